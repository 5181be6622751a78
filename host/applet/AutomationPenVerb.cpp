#include "host/applet/AutomationPenVerb.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "calibration/CSimulatedPen.h"
#include "model/CDriverLink.h"
#include "model/CDriverObject.h"
#include "settings/CDriverData.h"
#include "toolkit/automation/ZafAutomation.h"

namespace {

bool Number(const std::string& word, std::int32_t& out) {
  const char* end = word.data() + word.size();
  return !word.empty() && std::from_chars(word.data(), end, out).ptr == end;
}

}  // namespace

std::string MovePen(CDataGrouping& driver, const std::vector<std::string>& words) {
  const bool away = words.size() == 2 && words[1] == "away";
  std::int32_t x = 0, y = 0, pressure = 0;
  if (!away && (words.size() < 3 || words.size() > 4 || !Number(words[1], x) || !Number(words[2], y) ||
                (words.size() == 4 && !Number(words[3], pressure)))) {
    return "pen: X Y [PRESSURE], or away";
  }
  CDataGrouping* tablet = CSimulatedPen(driver).Tablet();
  if (tablet == nullptr) return "pen: there is no tablet";
  const Status status = away ? CSimulatedPen::TakeAway(*tablet)
                             : CSimulatedPen::Place(*tablet, x, y, static_cast<std::uint16_t>(pressure));
  return status == kStatusOk ? std::string{} : std::string("pen: the driver refused the pen's values");
}

void InstallPenVerb() {
  ZafAutomation::AddVerb("pen", [](const std::vector<std::string>& words) {
    CDriverObject* driver = GetDriverObject();
    return driver != nullptr ? MovePen(*driver, words) : std::string("pen: the applet has no driver link");
  });
}
