#pragma once

#include <cstdint>

#include "service/input/StToolSettings.h"

// Where the pointer goes: in pen mode the tablet area is laid onto the
// screen area (absolute); in mouse mode pen movement moves the pointer by
// the distance moved, scaled by the same ratio, the speed and, for fast
// strokes, the acceleration.
class CPointerMapper {
 public:
  void Configure(const StToolSettings& settings);

  struct StPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
  };
  // Pen mode: the screen pixel of a tablet position, inside the screen area.
  [[nodiscard]] StPoint Absolute(std::int32_t x, std::int32_t y) const;
  // Mouse mode: the pixels to move for a pen now at (x, y); the first report
  // after Lift() only sets where the pen is. Fractions carry to the next report.
  [[nodiscard]] StPoint Relative(std::int32_t x, std::int32_t y, std::int64_t timeUs);
  void Lift() { m_anchored = false; }

  // Tablet units per millisecond at which the acceleration has doubled the
  // speed once per step of the acceleration setting below 3.
  static constexpr double kAccelerationVelocity = 100.0;
  static constexpr double kMaxAcceleration = 4.0;

 private:
  StArea m_tablet;
  StArea m_screen;
  double m_gainX = 1;
  double m_gainY = 1;
  double m_acceleration = 0;
  bool m_anchored = false;
  std::int32_t m_lastX = 0;
  std::int32_t m_lastY = 0;
  std::int64_t m_lastTime = 0;
  double m_restX = 0;
  double m_restY = 0;
};
