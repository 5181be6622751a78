#pragma once

#include <cstdint>

// The tablet area that maps onto a pen display, found from two pen taps on
// targets at known places of a window covering the display. Integer
// arithmetic, divisions truncating toward zero.

struct StCalibrationPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct StCalibrationInput {
  StCalibrationPoint firstTap;      // raw pen position on the upper-left target (tablet units)
  StCalibrationPoint secondTap;     // raw pen position on the lower-right target
  StCalibrationPoint upperLeft;     // target centres, window pixels
  StCalibrationPoint lowerRight;
  std::int32_t windowSpanX = 0;     // window right minus left (inclusive edges)
  std::int32_t windowSpanY = 0;     // window bottom minus top
};

struct StCalibratedArea {
  std::int32_t origin[2] = {0, 0};  // X then Y, tablet units
  std::int32_t extent[2] = {0, 0};  // width then height
};

// The centre of a span with inclusive edges, as the targets are measured.
[[nodiscard]] constexpr std::int32_t SpanCentre(std::int32_t low, std::int32_t high) {
  return low + (high - low + 1) / 2;
}

// False (out untouched) when the targets share a row or a column.
[[nodiscard]] bool ComputeCalibratedArea(const StCalibrationInput& in, StCalibratedArea& out);
