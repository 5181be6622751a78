#include "calibration/CSimulatedPen.h"

#include "model/ModelReads.h"
#include "settings/CDataGrouping.h"
#include "settings/CDriverData.h"

namespace {

// Items of the driver object and of a tablet: the fields of the tablet's
// current pen record.
constexpr ItemId kCurrentTablet = 6;
constexpr ItemId kProximity = 148;
constexpr ItemId kPenX = 149;
constexpr ItemId kPenY = 150;
constexpr ItemId kPressure = 152;
constexpr std::uint16_t kNoTablet = 0xFFFF;

template <typename T>
Status SetItem(CDataGrouping& tablet, ItemId id, T value) {
  CDriverData* item = nullptr;
  KELVO_TRY(tablet.GetItem(id, item));
  return item->Set(&value);
}

}  // namespace

CDataGrouping* CSimulatedPen::Tablet() {
  std::uint16_t index = 0;
  if (ReadItem(m_driver, kCurrentTablet, index, ReadMode::kFresh) != kStatusOk || index == kNoTablet) index = 0;
  return m_driver.GetSubGroup(index, 0);
}

Status CSimulatedPen::Place(CDataGrouping& tablet, std::int32_t x, std::int32_t y, std::uint16_t pressure) {
  KELVO_TRY(SetItem(tablet, kPenX, x));
  KELVO_TRY(SetItem(tablet, kPenY, y));
  KELVO_TRY(SetItem(tablet, kPressure, pressure));
  return SetItem(tablet, kProximity, std::uint16_t{1});
}

Status CSimulatedPen::TakeAway(CDataGrouping& tablet) { return SetItem(tablet, kProximity, std::uint16_t{0}); }

bool CSimulatedPen::PutDownIfAway(std::int32_t x, std::int32_t y) {
  CDataGrouping* tablet = Tablet();
  if (tablet == nullptr) return false;
  std::uint16_t proximity = 0;
  if (ReadItem(*tablet, kProximity, proximity, ReadMode::kFresh) != kStatusOk || proximity != 0) return false;
  return Place(*tablet, x, y, 0) == kStatusOk;
}

void CSimulatedPen::Lift() {
  if (CDataGrouping* tablet = Tablet())
    DropStatus(TakeAway(*tablet), "a pen that stays down is read again on the next tap");
}
