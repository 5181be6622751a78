#pragma once

#include <string>
#include <vector>

class CDataGrouping;

// The "pen" line of automation scripts: moves the tablet service's simulated
// pen through the applet's own tablet items, so that what the driver reports
// of the pen (diagnostics, calibration taps) can be scripted.
//   pen X Y [PRESSURE]   the pen in proximity at (X, Y) tablet units
//   pen away             the pen out of proximity
void InstallPenVerb();

// The verb on a driver object: what went wrong, empty when the pen moved.
[[nodiscard]] std::string MovePen(CDataGrouping& driverObject, const std::vector<std::string>& words);
