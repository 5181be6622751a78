#include "diagnostics/CDiagnosticSuperView.h"

#include "model/ModelCodes.h"
#include "views/CDefaultButtonItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/info/CDriverVersionView.h"

Status CDiagnosticSuperView::Build() {
  return AddChildView<CDriverVersionView>(*this, {}, nullptr, ControlId::kDriverVersion, ItemId{kItemDriverVersion}, 0U);
}
