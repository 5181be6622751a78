#pragma once

#include <cstdint>

enum class ToolKind : std::uint8_t { kNone, kPen, kEraser, kPuck };

// The state of a tablet after one report (all events up to a SYN_REPORT).
// Buttons are bits by the driver model's button numbers: a pen's side
// switches are 2 and 3, a puck's buttons 1 to 5 (left, right, middle, side,
// extra).
struct StInputReport {
  std::int64_t timeUs = 0;
  ToolKind tool = ToolKind::kNone;
  bool proximity = false;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t pressure = 0;
  std::int32_t tiltX = 0;
  std::int32_t tiltY = 0;
  std::int32_t distance = 0;
  std::int32_t wheel = 0;  // wheel steps in this report, positive away from the user
  std::uint32_t serial = 0;
  std::uint32_t buttons = 0;
};

[[nodiscard]] constexpr std::uint32_t ButtonBit(std::uint32_t button) { return 1U << button; }
