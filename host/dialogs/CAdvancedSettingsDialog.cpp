#include "host/dialogs/CAdvancedSettingsDialog.h"

#include "services/CEventTranslator.h"
#include "views/ControlIds.h"

namespace {
Status Send(std::uint32_t operation, std::uint32_t controlId, void* data = nullptr) {
  return ForwardViewRequest(operation, controlId, data);
}
}  // namespace

ZafEventType CAdvancedSettingsDialog::Event(const ZafEventStruct& event) {
  const ZafEventType result = ZafDialogWindow::Event(event);
  if (event.type == kZafEventOk) {
    DropStatus(Send(kViewApply, ControlId::kAdvancedSettings), "the refresh after the dialog shows the driver's value");
    std::uint32_t stylusPage = ControlId::kStylusTab;
    DropStatus(Send(kViewRefresh, ControlId::kTabChange, &stylusPage), "the stylus tab's views bind what is there");
  } else if (event.type == kZafEventInitialize) {
    if (ZafWindowObject* close = Find("AdvancedCloseButton")) close->SetFocus();
    DropStatus(Send(kViewRefresh, ControlId::kAdvancedSettings), "without a driver the dialog shows its layout");
  }
  return result;
}
