#include "service/input/CPressureCurve.h"

#include <algorithm>
#include <cmath>

void CPressureCurve::Set(const std::array<std::uint16_t, 6>& words, std::uint32_t levels) {
  const double top = levels;
  const double x0 = std::min<double>(words[1], top);
  const double y0 = std::min<double>(words[0], top);
  double x2 = std::min<double>(words[5], top);
  const double y2 = std::min<double>(words[4], top);
  if (x2 < x0) x2 = x0;
  // A control point outside the input span would fold the curve back.
  const double x1 = std::clamp<double>(words[3], x0, x2);
  const double y1 = std::min<double>(words[2], top);
  const double a = x0 - 2 * x1 + x2;
  const double b = 2 * (x1 - x0);
  m_table.assign(levels + 1, 0);
  for (std::uint32_t level = 0; level <= levels; ++level) {
    const double x = level;
    double y = 0;
    if (x <= x0) {
      y = y0;
    } else if (x >= x2) {
      y = y2;
    } else {
      const double c = x0 - x;
      // The root in [0, 1] of a t^2 + b t + c, in the form that stays exact
      // as the curve straightens (a near 0).
      const double root = std::sqrt(std::max(0.0, b * b - 4 * a * c));
      double t = b + root > 0 ? -2 * c / (b + root) : 0.0;
      t = std::clamp(t, 0.0, 1.0);
      y = (1 - t) * (1 - t) * y0 + 2 * (1 - t) * t * y1 + t * t * y2;
    }
    m_table[level] = static_cast<std::uint16_t>(std::clamp(std::lround(y), 0L, static_cast<long>(levels)));
  }
}
