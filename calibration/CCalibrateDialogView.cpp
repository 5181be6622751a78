#include "calibration/CCalibrateDialogView.h"

#include "settings/mapping/MappingItems.h"
#include "views/CItemView.h"
#include "views/CRootStack.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

namespace {
// Value types of the area items: two signed 32-bit numbers each.
constexpr std::uint32_t kValuePair = 8;
constexpr std::uint32_t kValueMaximum = 7;
}  // namespace

CCalibrateDialogView::~CCalibrateDialogView() = default;

Status CCalibrateDialogView::Build() {
  KELVO_TRY(MakeView(m_rawX, ControlId::kDeviceXData, kMapRawX, kValueLong));
  KELVO_TRY(MakeView(m_rawY, ControlId::kDeviceYData, kMapRawY, kValueLong));
  KELVO_TRY(AddItemView(*this, ControlId::kCalibratedOrigin, kMapCommonOrigin, {}, kValuePair));
  KELVO_TRY(AddItemView(*this, ControlId::kCalibratedExtent, kMapCommonExtent, {}, kValuePair));
  KELVO_TRY(AddItemView(*this, ControlId::kCalibratedFlag, kMapCommonFlag, {}, kValueLong));
  KELVO_TRY(AddItemView(*this, ControlId::kTabletMaximum, kMapTabletMaximum, {}, kValueMaximum));
  KELVO_TRY(AddItemView(*this, ControlId::kMinimumPortion, kMapMinimumPortion, {}, kValueLong));
  return AddItemView(*this, ControlId::kCalibrationMonitorComboBox, kMapMonitor);
}

ViewResult CCalibrateDialogView::Attach(CDataGrouping* data, std::int32_t index) {
  for (CItemView* kept : {m_rawX.get(), m_rawY.get()}) {
    if (kept->CanAttach(data, index) == kStatusOk) DropStatus(ResultStatus(kept->Attach(data, index)), "an unbound view reads nothing");
  }
  return CDialogSuperView::Attach(data, index);
}

ViewResult CCalibrateDialogView::Detach() {
  DropStatus(ResultStatus(m_rawX->Detach()), "detaching only forgets the item");
  DropStatus(ResultStatus(m_rawY->Detach()), "detaching only forgets the item");
  return CSuperView::Detach();
}

ViewResult CCalibrateDialogView::Dispatch(ViewRequest& request) {
  if (request.controlId == GetControlId()) {
    ViewRequest toChildren{request.operation, kBroadcastId, request.data};
    const ViewResult result = CSuperView::Dispatch(toChildren);
    if (request.operation == kViewApply || request.operation == kViewRevert) {
      if (CRootStack* roots = FindRootStack()) roots->PopRoot();
      DropStatus(ResultStatus(Detach()), "detaching only forgets the items");
    }
    return LowWord(result) == kStatusOk ? ViewResult{kStatusHandled} : result;
  }
  if (request.controlId == ControlId::kDeviceXData || request.controlId == ControlId::kDeviceYData) {
    CItemView& kept = request.controlId == ControlId::kDeviceXData ? *m_rawX : *m_rawY;
    if (const ViewResult result = kept.Dispatch(request); result != 0) return result;
  }
  return CSuperView::Dispatch(request);
}
