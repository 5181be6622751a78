#pragma once

#include <string>
#include <vector>

#include "toolkit/ZafWindowObject.h"

// A small picture of the mapping: rectangles (the tablet area, the screen
// area, ...) scaled into the control, each in a colour of the colour table.
struct StThumbnailRect {
  ZafRegion area;       // in the caller's units
  std::int32_t colour;  // colour-table index
  bool operator==(const StThumbnailRect&) const = default;
};

// The corners of a rectangle a user can take hold of.
enum class ThumbnailCorner { kNone, kTopLeft, kTopRight, kBottomLeft, kBottomRight };

class CThumbnail : public ZafWindowObject {
 public:
  // How far from a corner, in control pixels, a press still takes hold of it.
  static constexpr std::int32_t kGrip = 6;

  CThumbnail() : ZafWindowObject("CThumbnail") {}
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kThumbnail; }
  // The extent of the caller's units that the control's region shows.
  void SetExtent(std::int32_t width, std::int32_t height);
  // The caller's units at the control's top-left corner (0, 0 unless set).
  void SetOrigin(std::int32_t x, std::int32_t y);
  void SetRectangles(std::vector<StThumbnailRect> rectangles);
  [[nodiscard]] const std::vector<StThumbnailRect>& Rectangles() const { return m_rectangles; }
  // A rectangle in control pixels (0,0 at the control's top-left).
  [[nodiscard]] ZafRegion Scaled(const ZafRegion& area) const;
  // A point of the control in the caller's units, kept inside the extent.
  [[nodiscard]] std::int32_t UnscaledX(std::int32_t x) const;
  [[nodiscard]] std::int32_t UnscaledY(std::int32_t y) const;

  // The rectangle (by position) whose corners the user may drag; -1 none.
  void SetDraggable(int index) { m_draggable = index; }
  [[nodiscard]] int Draggable() const { return m_draggable; }
  // The draggable rectangle's corner nearest to a control point, within kGrip.
  [[nodiscard]] ThumbnailCorner CornerAt(std::int32_t x, std::int32_t y) const;
  // Moves a corner of the draggable rectangle to a control point; the
  // opposite corner stays, and the rectangle keeps at least one unit.
  void MoveCorner(ThumbnailCorner corner, std::int32_t x, std::int32_t y);
  // The draggable rectangle as it stands, in the caller's units.
  [[nodiscard]] ZafRegion DraggableArea() const;
  // User input: a press at (fromX, fromY) dragged to (toX, toY) and let go.
  // False when the press takes hold of no corner; else the change is reported.
  bool UserDrag(std::int32_t fromX, std::int32_t fromY, std::int32_t toX, std::int32_t toY);
  // A drag the presenter carried out has ended: reports the change.
  void EndDrag() { UserChanged(); }

  // Each rectangle in the caller's units, "x,y wxh", separated by "; ".
  [[nodiscard]] std::string ShownText() const override;

 private:
  [[nodiscard]] bool HasDraggable() const;

  std::int32_t m_originX = 0;
  std::int32_t m_originY = 0;
  std::int32_t m_extentWidth = 1;
  std::int32_t m_extentHeight = 1;
  std::vector<StThumbnailRect> m_rectangles;
  int m_draggable = -1;
};
