#include "views/tabs/ToolSelectors.h"

#include "model/ModelCodes.h"
#include "settings/CDataGrouping.h"

CDataGrouping* SelectToolMapping(CDataGrouping* data, std::uint32_t argument) {
  return data != nullptr ? data->GetSubGroup(static_cast<std::int32_t>(argument), kSubGroupMapping) : nullptr;
}

CDataGrouping* SelectTabletControl(CDataGrouping* data, std::uint32_t argument) {
  return data != nullptr ? data->GetSubGroup(static_cast<std::int32_t>(argument), kSubGroupTabletControl)
                         : nullptr;
}
