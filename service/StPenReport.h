#pragma once

#include <cstdint>

// One report of a pen (or puck) as a tablet sends it: where the tool is and
// what it does. Out of proximity only the flag counts.
struct StPenReport {
  bool inProximity = true;
  std::uint32_t x = 0;  // tablet units
  std::uint32_t y = 0;
  std::uint16_t pressure = 0;
  std::int16_t tiltX = 0;  // degrees from upright
  std::int16_t tiltY = 0;
  std::uint32_t switches = 0;  // bit n: switch n + 1 pressed
  std::int16_t wheel = 0;
  std::uint16_t rotation = 0;  // degrees
  bool operator==(const StPenReport&) const = default;
};
