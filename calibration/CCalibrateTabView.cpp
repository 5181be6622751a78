#include "calibration/CCalibrateTabView.h"

#include "calibration/CCalibrateDialogView.h"
#include "settings/mapping/MappingItems.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

CCalibrateTabView::CCalibrateTabView(std::uint32_t controlId) : CSuperView(controlId) {}

CCalibrateTabView::~CCalibrateTabView() = default;

Status CCalibrateTabView::Build() {
  KELVO_TRY(AddItemView(*this, ControlId::kCalibrationMonitorComboBox, kMapMonitor));
  KELVO_TRY(AddItemView(*this, ControlId::kCalibrateButton, kMapMonitor));
  KELVO_TRY(MakeView(m_dialogView, ControlId::kCalibrateDialog));
  return m_dialogView->Build();
}

ViewResult CCalibrateTabView::Attach(CDataGrouping* data, std::int32_t index) {
  m_attachedData = ResolveViewData(data, index);
  return CSuperView::Attach(m_attachedData, kSameData);
}

ViewResult CCalibrateTabView::Dispatch(ViewRequest& request) {
  const ViewResult result = CSuperView::Dispatch(request);
  if (LowWord(result) != kStatusOk && LowWord(result) != kStatusHandled) return result;
  if (request.operation == kViewSet && request.controlId == ControlId::kCalibrateButton &&
      m_attachedData != nullptr && m_dialogView->GetData() == nullptr)
    DropStatus(ResultStatus(m_dialogView->Attach(m_attachedData, kSameData)),
               "the dialog opens with what its views could bind");
  return result;
}
