#pragma once

#include <cstdint>

class CDataGrouping;

// Selectors for child views of the tool tabs: a tool's mapping at `argument`;
// a tablet's control (0 battery, 1 joystick) at `argument`.
[[nodiscard]] CDataGrouping* SelectToolMapping(CDataGrouping* data, std::uint32_t argument);
[[nodiscard]] CDataGrouping* SelectTabletControl(CDataGrouping* data, std::uint32_t argument);

// The tool's first mapping when the tool is on a pen display (the mapping
// answers for the display's own monitor), else none.
[[nodiscard]] CDataGrouping* PenDisplayMapping(CDataGrouping* tool);
