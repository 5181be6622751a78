// Taking hold of a corner of the mapping picture and dragging it: which
// corner a press takes, and where a dragged corner lands in the caller's units.
#include <gtest/gtest.h>

#include "toolkit/controls/CThumbnail.h"

namespace {

// 200 x 100 pixels showing units 1000..2999 by 500..1499 (10 units a pixel),
// the draggable rectangle at units (1500, 700)-(2499, 1199): pixels (50, 20)-(149, 69).
class ThumbnailDragTest : public testing::Test {
 protected:
  void SetUp() override {
    picture.SetRegion(ZafRegion::FromSize(0, 0, 200, 100));
    picture.SetOrigin(1000, 500);
    picture.SetExtent(2000, 1000);
    picture.SetRectangles({{{1000, 500, 2999, 1499}, 8}, {kArea, 9}});
    picture.SetDraggable(1);
    picture.SetUserFunction([this](ZafWindowObject&, ZafEventType event) {
      reported.push_back(event);
      return ZafEventType{0};
    });
  }
  static constexpr ZafRegion kArea{1500, 700, 2499, 1199};
  CThumbnail picture;
  std::vector<ZafEventType> reported;
};

TEST_F(ThumbnailDragTest, APressTakesTheNearestCornerWithinTheGrip) {
  struct Case {
    std::int32_t x, y;
    ThumbnailCorner corner;
  };
  for (const Case& c :
       {Case{50, 20, ThumbnailCorner::kTopLeft}, Case{149, 20, ThumbnailCorner::kTopRight},
        Case{50, 69, ThumbnailCorner::kBottomLeft}, Case{155, 75, ThumbnailCorner::kBottomRight},
        Case{44, 14, ThumbnailCorner::kTopLeft}, Case{156, 69, ThumbnailCorner::kNone},
        Case{100, 45, ThumbnailCorner::kNone}}) {
    EXPECT_EQ(picture.CornerAt(c.x, c.y), c.corner) << c.x << "," << c.y;
  }
  picture.SetDraggable(5);  // no such rectangle: nothing to take
  EXPECT_EQ(picture.CornerAt(50, 20), ThumbnailCorner::kNone);
}

TEST_F(ThumbnailDragTest, ADraggedCornerMovesAndTheOppositeOneStays) {
  struct Case {
    std::int32_t fromX, fromY, toX, toY;
    ZafRegion area;
  };
  for (const Case& c : {
           // The far corner's pixel ends at its unit's far side.
           Case{149, 69, 179, 89, {1500, 700, 2799, 1399}},
           Case{50, 20, 20, 10, {1200, 600, 2499, 1199}},
           Case{149, 20, 99, 30, {1500, 800, 1999, 1199}},
           // Past the opposite corner the rectangle keeps one unit.
           Case{149, 69, 10, 5, {1500, 700, 1500, 700}},
           // Out of the picture the corner stops at its edge.
           Case{50, 20, -40, -40, {1000, 500, 2499, 1199}},
           Case{149, 69, 400, 300, {1500, 700, 2999, 1499}},
           // A press beside every corner changes nothing.
           Case{100, 45, 10, 10, kArea},
       }) {
    SetUp();
    reported.clear();
    const bool moved = c.area != kArea;
    SCOPED_TRACE(testing::Message()
                 << c.fromX << "," << c.fromY << " to " << c.toX << "," << c.toY);
    EXPECT_EQ(picture.UserDrag(c.fromX, c.fromY, c.toX, c.toY), moved);
    EXPECT_EQ(picture.DraggableArea(), c.area);
    EXPECT_EQ(reported.size(), moved ? 1U : 0U);
    // Only the draggable rectangle moves.
    EXPECT_EQ(picture.Rectangles().front().area, (ZafRegion{1000, 500, 2999, 1499}));
  }
}

}  // namespace
