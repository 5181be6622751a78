#pragma once

#include <cstdint>

class CDataGrouping;

// Selectors for child views of the tool tabs: a tool's mapping at `argument`;
// a tablet's control (0 battery, 1 joystick) at `argument`.
[[nodiscard]] CDataGrouping* SelectToolMapping(CDataGrouping* data, std::uint32_t argument);
[[nodiscard]] CDataGrouping* SelectTabletControl(CDataGrouping* data, std::uint32_t argument);
