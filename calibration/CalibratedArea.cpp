#include "calibration/CalibratedArea.h"

namespace {

// One axis: origin = t1 - d * a / p; extent = ((span - b + 1) * d) / p - origin + t2,
// in 64 bits so that large tablets and screens cannot overflow on the way.
void Axis(std::int64_t t1, std::int64_t t2, std::int64_t a, std::int64_t b, std::int64_t span,
          std::int32_t& origin, std::int32_t& extent) {
  const std::int64_t d = t2 - t1;
  const std::int64_t p = b - a;
  const std::int64_t o = t1 - d * a / p;
  origin = static_cast<std::int32_t>(o);
  extent = static_cast<std::int32_t>((span - b + 1) * d / p - o + t2);
}

}  // namespace

bool ComputeCalibratedArea(const StCalibrationInput& in, StCalibratedArea& out) {
  if (in.lowerRight.x == in.upperLeft.x || in.lowerRight.y == in.upperLeft.y) return false;
  Axis(in.firstTap.x, in.secondTap.x, in.upperLeft.x, in.lowerRight.x, in.windowSpanX, out.origin[0],
       out.extent[0]);
  Axis(in.firstTap.y, in.secondTap.y, in.upperLeft.y, in.lowerRight.y, in.windowSpanY, out.origin[1],
       out.extent[1]);
  return true;
}
