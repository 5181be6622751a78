#pragma once

#include <cstdint>

// What a tool number becomes, decided by its tool type code (item code 115).
enum class ToolClass { kNone, kStylus, kPuck };

// What a button number of a tool becomes.
enum class ButtonClass { kNone, kButton, kPressureButton, kRoller, kWheel };

// The fixed tablet controls, by their sub-group number under the tablet.
enum class TabletControlClass { kNone, kBattery, kJoystick };

[[nodiscard]] ToolClass ToolClassForTypeCode(std::uint16_t typeCode);
[[nodiscard]] ButtonClass ButtonClassFor(ToolClass tool, std::uint32_t buttonNumber);
[[nodiscard]] TabletControlClass TabletControlClassFor(std::uint32_t number);
