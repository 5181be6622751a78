#include "host/upperview/CDiagnosticSuperView.h"

#include "host/upperview/CDriverVersionView.h"
#include "host/upperview/TabViewMakers.h"
#include "views/CDefaultButtonItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

Status CDiagnosticSuperView::Build() {
  return AddChildView<CDriverVersionView>(*this, {}, nullptr, ControlId::kDriverVersion, ItemId{3}, 0U);
}
