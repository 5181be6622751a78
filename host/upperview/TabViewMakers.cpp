#include "host/upperview/TabViewMakers.h"

#include "host/upperview/CAdvancedSuperView.h"
#include "host/upperview/CCalibrateTabView.h"
#include "host/upperview/CDiagnosticSuperView.h"
#include "host/upperview/CPuckView.h"
#include "host/upperview/CStylusView.h"
#include "host/upperview/CTabletView.h"
#include "model/ModelCodes.h"
#include "settings/CDataGrouping.h"
#include "views/ControlIds.h"

Status MakeStylusView(std::unique_ptr<CSuperView>& out) {
  return MakeOwned<CStylusView>(out, ControlId::kStylusView);
}
Status MakePuckView(std::unique_ptr<CSuperView>& out) {
  return MakeOwned<CPuckView>(out, ControlId::kPuckView);
}
Status MakeTabletView(std::unique_ptr<CSuperView>& out) {
  return MakeOwned<CTabletView>(out, ControlId::kTabletView);
}
Status MakeCalibrateTabView(std::unique_ptr<CSuperView>& out) {
  return MakeOwned<CCalibrateTabView>(out, ControlId::kCalibrateView);
}
Status MakeDiagnosticSuperView(std::unique_ptr<CSuperView>& out) {
  return MakeOwned<CDiagnosticSuperView>(out, ControlId::kDiagnosticsDialog);
}
Status MakeAdvancedSuperView(std::unique_ptr<CSuperView>& out) {
  return MakeOwned<CAdvancedSuperView>(out, ControlId::kAdvancedSettings);
}

CDataGrouping* SelectToolMapping(CDataGrouping* data, std::uint32_t argument) {
  return data != nullptr ? data->GetSubGroup(static_cast<std::int32_t>(argument), kSubGroupMapping) : nullptr;
}

CDataGrouping* SelectTabletControl(CDataGrouping* data, std::uint32_t argument) {
  return data != nullptr ? data->GetSubGroup(static_cast<std::int32_t>(argument), kSubGroupTabletControl)
                         : nullptr;
}
