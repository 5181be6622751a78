#include "toolkit/controls/CThumbnail.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Pixels to units, rounded to the nearest unit.
std::int32_t Unscale(std::int32_t pixel, std::int32_t pixels, std::int32_t units) {
  if (pixels <= 0) return 0;
  const std::int64_t value = (std::int64_t{pixel} * units + pixels / 2) / pixels;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, units));
}

}  // namespace

void CThumbnail::SetExtent(std::int32_t width, std::int32_t height) {
  m_extentWidth = width < 1 ? 1 : width;
  m_extentHeight = height < 1 ? 1 : height;
  NotifyChanged(ZafChange::kDrawing);
}

void CThumbnail::SetOrigin(std::int32_t x, std::int32_t y) {
  m_originX = x;
  m_originY = y;
  NotifyChanged(ZafChange::kDrawing);
}

void CThumbnail::SetRectangles(std::vector<StThumbnailRect> rectangles) {
  m_rectangles = std::move(rectangles);
  NotifyChanged(ZafChange::kDrawing);
}

ZafRegion CThumbnail::Scaled(const ZafRegion& area) const {
  const std::int64_t w = Region().Width();
  const std::int64_t h = Region().Height();
  const std::int64_t left = std::int64_t{area.left} - m_originX;
  const std::int64_t top = std::int64_t{area.top} - m_originY;
  const std::int64_t right = std::int64_t{area.right} + 1 - m_originX;
  const std::int64_t bottom = std::int64_t{area.bottom} + 1 - m_originY;
  return {static_cast<std::int32_t>(left * w / m_extentWidth), static_cast<std::int32_t>(top * h / m_extentHeight),
          static_cast<std::int32_t>(right * w / m_extentWidth - 1),
          static_cast<std::int32_t>(bottom * h / m_extentHeight - 1)};
}

std::int32_t CThumbnail::UnscaledX(std::int32_t x) const {
  return m_originX + Unscale(x, Region().Width(), m_extentWidth);
}
std::int32_t CThumbnail::UnscaledY(std::int32_t y) const {
  return m_originY + Unscale(y, Region().Height(), m_extentHeight);
}

bool CThumbnail::HasDraggable() const {
  return m_draggable >= 0 && static_cast<std::size_t>(m_draggable) < m_rectangles.size();
}

ZafRegion CThumbnail::DraggableArea() const {
  return HasDraggable() ? m_rectangles[static_cast<std::size_t>(m_draggable)].area : ZafRegion{};
}

ThumbnailCorner CThumbnail::CornerAt(std::int32_t x, std::int32_t y) const {
  if (!HasDraggable()) return ThumbnailCorner::kNone;
  const ZafRegion shown = Scaled(DraggableArea());
  struct StCandidate {
    ThumbnailCorner corner;
    std::int32_t x, y;
  };
  const StCandidate candidates[] = {{ThumbnailCorner::kTopLeft, shown.left, shown.top},
                                    {ThumbnailCorner::kTopRight, shown.right, shown.top},
                                    {ThumbnailCorner::kBottomLeft, shown.left, shown.bottom},
                                    {ThumbnailCorner::kBottomRight, shown.right, shown.bottom}};
  ThumbnailCorner nearest = ThumbnailCorner::kNone;
  std::int32_t best = kGrip + 1;
  for (const StCandidate& c : candidates) {
    const std::int32_t distance = std::max(std::abs(c.x - x), std::abs(c.y - y));
    if (distance < best) {
      best = distance;
      nearest = c.corner;
    }
  }
  return nearest;
}

void CThumbnail::MoveCorner(ThumbnailCorner corner, std::int32_t x, std::int32_t y) {
  if (!HasDraggable() || corner == ThumbnailCorner::kNone) return;
  ZafRegion area = DraggableArea();
  const bool left = corner == ThumbnailCorner::kTopLeft || corner == ThumbnailCorner::kBottomLeft;
  const bool top = corner == ThumbnailCorner::kTopLeft || corner == ThumbnailCorner::kTopRight;
  // A right or bottom edge is the last unit inside, one before the pixel's far side.
  if (left) area.left = std::min(UnscaledX(x), area.right);
  else area.right = std::max(UnscaledX(x + 1) - 1, area.left);
  if (top) area.top = std::min(UnscaledY(y), area.bottom);
  else area.bottom = std::max(UnscaledY(y + 1) - 1, area.top);
  m_rectangles[static_cast<std::size_t>(m_draggable)].area = area;
  NotifyChanged(ZafChange::kDrawing);
}

bool CThumbnail::UserDrag(std::int32_t fromX, std::int32_t fromY, std::int32_t toX, std::int32_t toY) {
  const ThumbnailCorner corner = CornerAt(fromX, fromY);
  if (corner == ThumbnailCorner::kNone) return false;
  MoveCorner(corner, toX, toY);
  EndDrag();
  return true;
}

std::string CThumbnail::ShownText() const {
  std::string text;
  for (const StThumbnailRect& r : m_rectangles) {
    if (!text.empty()) text += "; ";
    text += std::to_string(r.area.left) + "," + std::to_string(r.area.top) + " " + std::to_string(r.area.Width()) +
            "x" + std::to_string(r.area.Height());
  }
  return text;
}
