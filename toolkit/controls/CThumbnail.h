#pragma once

#include <vector>

#include "toolkit/ZafWindowObject.h"

// A small picture of the mapping: rectangles (the tablet area, the screen
// area, ...) scaled into the control, each in a colour of the colour table.
struct StThumbnailRect {
  ZafRegion area;       // in the caller's units
  std::int32_t colour;  // colour-table index
  bool operator==(const StThumbnailRect&) const = default;
};

class CThumbnail : public ZafWindowObject {
 public:
  CThumbnail() : ZafWindowObject("CThumbnail") {}
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kThumbnail; }
  // The extent of the caller's units that the control's region shows.
  void SetExtent(std::int32_t width, std::int32_t height) {
    m_extentWidth = width < 1 ? 1 : width;
    m_extentHeight = height < 1 ? 1 : height;
    NotifyChanged(ZafChange::kDrawing);
  }
  void SetRectangles(std::vector<StThumbnailRect> rectangles) {
    m_rectangles = std::move(rectangles);
    NotifyChanged(ZafChange::kDrawing);
  }
  [[nodiscard]] const std::vector<StThumbnailRect>& Rectangles() const { return m_rectangles; }
  // A rectangle in control pixels (0,0 at the control's top-left).
  [[nodiscard]] ZafRegion Scaled(const ZafRegion& area) const {
    const std::int64_t w = Region().Width();
    const std::int64_t h = Region().Height();
    return {static_cast<std::int32_t>(area.left * w / m_extentWidth),
            static_cast<std::int32_t>(area.top * h / m_extentHeight),
            static_cast<std::int32_t>((std::int64_t{area.right} + 1) * w / m_extentWidth - 1),
            static_cast<std::int32_t>((std::int64_t{area.bottom} + 1) * h / m_extentHeight - 1)};
  }

 private:
  std::int32_t m_extentWidth = 1;
  std::int32_t m_extentHeight = 1;
  std::vector<StThumbnailRect> m_rectangles;
};
