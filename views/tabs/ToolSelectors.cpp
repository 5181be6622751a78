#include "views/tabs/ToolSelectors.h"

#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "settings/CDataGrouping.h"

CDataGrouping* SelectToolMapping(CDataGrouping* data, std::uint32_t argument) {
  return data != nullptr ? data->GetSubGroup(static_cast<std::int32_t>(argument), kSubGroupMapping) : nullptr;
}

CDataGrouping* SelectTabletControl(CDataGrouping* data, std::uint32_t argument) {
  return data != nullptr ? data->GetSubGroup(static_cast<std::int32_t>(argument), kSubGroupTabletControl)
                         : nullptr;
}

CDataGrouping* PenDisplayMapping(CDataGrouping* tool) {
  CDataGrouping* mapping = SelectToolMapping(tool, 0);
  if (mapping == nullptr) return nullptr;
  // Only a pen display's driver answers for the display's monitor.
  std::uint8_t probe[16] = {};
  return ReadItemBytes(*mapping, kItemPenDisplay, probe, sizeof probe, ReadMode::kHeld) == kStatusOk
             ? mapping
             : nullptr;
}
