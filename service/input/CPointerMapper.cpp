#include "service/input/CPointerMapper.h"

#include <algorithm>
#include <cmath>

void CPointerMapper::Configure(const StToolSettings& settings) {
  m_tablet = settings.tabletArea;
  m_screen = settings.screenArea;
  if (m_tablet.width <= 0) m_tablet.width = 1;
  if (m_tablet.height <= 0) m_tablet.height = 1;
  // Speed 5 (the middle) moves the pointer as far as pen mode would.
  const double speed = (static_cast<double>(settings.speed) + 1.0) / 6.0;
  m_gainX = speed * m_screen.width / m_tablet.width;
  m_gainY = speed * m_screen.height / m_tablet.height;
  m_acceleration = 3.0 - std::min<double>(settings.acceleration, 3);
  m_anchored = false;
  m_restX = m_restY = 0;
}

CPointerMapper::StPoint CPointerMapper::Absolute(std::int32_t x, std::int32_t y) const {
  const std::int64_t dx = std::clamp<std::int64_t>(std::int64_t{x} - m_tablet.x, 0, m_tablet.width);
  const std::int64_t dy = std::clamp<std::int64_t>(std::int64_t{y} - m_tablet.y, 0, m_tablet.height);
  const std::int64_t sx = m_screen.x + dx * m_screen.width / m_tablet.width;
  const std::int64_t sy = m_screen.y + dy * m_screen.height / m_tablet.height;
  // The far edge of the area is the last pixel inside it.
  return {static_cast<std::int32_t>(std::min<std::int64_t>(sx, m_screen.x + std::max(m_screen.width - 1, 0))),
          static_cast<std::int32_t>(std::min<std::int64_t>(sy, m_screen.y + std::max(m_screen.height - 1, 0)))};
}

CPointerMapper::StPoint CPointerMapper::Relative(std::int32_t x, std::int32_t y, std::int64_t timeUs) {
  if (!m_anchored) {
    m_anchored = true;
    m_lastX = x;
    m_lastY = y;
    m_lastTime = timeUs;
    m_restX = m_restY = 0;
    return {};
  }
  const double dx = static_cast<double>(x) - m_lastX;
  const double dy = static_cast<double>(y) - m_lastY;
  const double ms = std::max<double>(static_cast<double>(timeUs - m_lastTime) / 1000.0, 1.0);
  m_lastX = x;
  m_lastY = y;
  m_lastTime = timeUs;
  const double velocity = std::hypot(dx, dy) / ms;
  const double factor = std::min(1.0 + m_acceleration * velocity / kAccelerationVelocity, kMaxAcceleration);
  const double moveX = dx * m_gainX * factor + m_restX;
  const double moveY = dy * m_gainY * factor + m_restY;
  // A jump across the whole range moves at most that far.
  constexpr double kLimit = 1 << 20;
  const double wholeX = std::clamp(std::trunc(moveX), -kLimit, kLimit);
  const double wholeY = std::clamp(std::trunc(moveY), -kLimit, kLimit);
  m_restX = std::clamp(moveX - wholeX, -1.0, 1.0);
  m_restY = std::clamp(moveY - wholeY, -1.0, 1.0);
  return {static_cast<std::int32_t>(wholeX), static_cast<std::int32_t>(wholeY)};
}
