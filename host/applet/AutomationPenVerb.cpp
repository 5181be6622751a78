#include "host/applet/AutomationPenVerb.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "model/CDriverLink.h"
#include "model/CDriverObject.h"
#include "settings/CDriverData.h"
#include "toolkit/automation/ZafAutomation.h"

namespace {

// Items of the driver object and of a tablet (the pen's fields of the
// tablet's current record).
constexpr ItemId kCurrentTablet = 6;
constexpr ItemId kProximity = 148;
constexpr ItemId kPenX = 149;
constexpr ItemId kPenY = 150;
constexpr ItemId kPressure = 152;
constexpr std::uint16_t kNoTablet = 0xFFFF;

bool Number(const std::string& word, std::int32_t& out) {
  const char* end = word.data() + word.size();
  return !word.empty() && std::from_chars(word.data(), end, out).ptr == end;
}

template <typename T>
Status SetItem(CDataGrouping& tablet, ItemId id, T value) {
  CDriverData* item = nullptr;
  KELVO_TRY(tablet.GetItem(id, item));
  return item->Set(&value);
}

}  // namespace

std::string MovePen(CDataGrouping& driver, const std::vector<std::string>& words) {
  const bool away = words.size() == 2 && words[1] == "away";
  std::int32_t x = 0, y = 0, pressure = 0;
  if (!away && (words.size() < 3 || words.size() > 4 || !Number(words[1], x) || !Number(words[2], y) ||
                (words.size() == 4 && !Number(words[3], pressure)))) {
    return "pen: X Y [PRESSURE], or away";
  }
  std::uint16_t index = 0;
  CDriverData* current = nullptr;
  if (driver.GetItem(kCurrentTablet, current) == kStatusOk && current->Get(&index) == kStatusOk && index == kNoTablet)
    index = 0;
  CDataGrouping* tablet = driver.GetSubGroup(index, 0);
  if (tablet == nullptr) return "pen: there is no tablet";
  const Status status =
      away ? SetItem(*tablet, kProximity, std::uint16_t{0})
           : [&] {
               KELVO_TRY(SetItem(*tablet, kPenX, x));
               KELVO_TRY(SetItem(*tablet, kPenY, y));
               KELVO_TRY(SetItem(*tablet, kPressure, static_cast<std::uint16_t>(pressure)));
               return SetItem(*tablet, kProximity, std::uint16_t{1});
             }();
  return status == kStatusOk ? std::string{} : std::string("pen: the driver refused the pen's values");
}

void InstallPenVerb() {
  ZafAutomation::AddVerb("pen", [](const std::vector<std::string>& words) {
    CDriverObject* driver = GetDriverObject();
    return driver != nullptr ? MovePen(*driver, words) : std::string("pen: the applet has no driver link");
  });
}
