#pragma once

#include <vector>

#include "functions/FunctionCodes.h"

// The function lists of the tool buttons.
enum class FunctionMenu { kPuckButton, kUpperSideSwitch, kLowerSideSwitch };

// Whether the tablet runs as a Tablet PC digitizer: its pen's side switches
// then offer the Tablet PC barrel function instead of the mode toggle.
enum class TabletPcMode { kOff, kOn };

// The codes a list offers, in list order, "BDefault" (1000) last.
[[nodiscard]] std::vector<FunctionCode> FunctionMenuCodes(FunctionMenu menu, TabletPcMode mode);

// The string id of a list entry: the function's name, or "BDefault".
[[nodiscard]] const char* FunctionMenuEntryName(FunctionCode code);
