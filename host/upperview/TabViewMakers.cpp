#include "host/upperview/TabViewMakers.h"

#include "calibration/CCalibrateTabView.h"
#include "diagnostics/CDiagnosticSuperView.h"
#include "views/ControlIds.h"
#include "views/tabs/CAdvancedSuperView.h"
#include "views/tabs/CMappingTabView.h"
#include "views/tabs/CPuckView.h"
#include "views/tabs/CStylusView.h"
#include "views/tabs/CTabletView.h"

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
Status MakeMappingTabView(std::unique_ptr<CSuperView>& out) {
  return MakeOwned<CMappingTabView>(out, ControlId::kMappingView);
}
Status MakeDiagnosticSuperView(std::unique_ptr<CSuperView>& out) {
  return MakeOwned<CDiagnosticSuperView>(out, ControlId::kDiagnosticsDialog);
}
Status MakeAdvancedSuperView(std::unique_ptr<CSuperView>& out) {
  return MakeOwned<CAdvancedSuperView>(out, ControlId::kAdvancedSettings);
}
