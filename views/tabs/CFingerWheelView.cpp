#include "views/tabs/CFingerWheelView.h"

#include <cstring>

#include "functions/FunctionCodes.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

namespace {
// The wheel function that scrolls by lines, as the radio group stores it.
constexpr std::uint32_t kScrollByLines = 0;
}  // namespace

Status CFingerWheelView::Build() {
  KELVO_TRY(AddItemView(*this, ControlId::kWheelFunctionGroup, kItemWheelFunction, {}, 0, &m_functionView));
  return AddItemView(*this, ControlId::kWFLinesSpin, kItemWheelLines, {}, 0, &m_linesView);
}

ViewResult CFingerWheelView::Dispatch(ViewRequest& request) {
  const ViewResult result = CControlGroupView::Dispatch(request);
  const bool aboutFunction = request.controlId == ControlId::kWheelFunctionGroup &&
                             (request.operation == kViewGet || request.operation == kViewSet);
  const bool went = LowWord(result) == kStatusOk || LowWord(result) == kStatusHandled;
  if (aboutFunction && request.data != nullptr && went) {
    std::uint32_t function = 0;
    std::memcpy(&function, request.data, sizeof function);
    FollowFunction(function);
  } else if (m_functionView->GetItem() != nullptr &&
             (request.operation == kViewRefresh || request.operation == kViewDefault ||
              request.operation == kViewRevert)) {
    // A refresh of the line count shows it enabled again; the function decides.
    std::uint32_t function = 0;
    ViewRequest get{kViewGet, ControlId::kWheelFunctionGroup, &function};
    if (LowWord(m_functionView->Dispatch(get)) == kStatusHandled) FollowFunction(function);
  }
  return result;
}

void CFingerWheelView::FollowFunction(std::uint32_t function) {
  if (m_linesView->GetItem() == nullptr) return;
  DropStatus(ResultStatus(m_linesView->SetStateAndNotify(function == kScrollByLines ? kStateShown
                                                                                   : kStateDisabled)),
             "a window without the line count has nothing to grey");
}
