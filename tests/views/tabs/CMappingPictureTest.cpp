// What the Mapping tab's pictures show for the mapping's choices.
#include <cstring>

#include <gtest/gtest.h>

#include "views/tabs/CMappingPicture.h"

namespace {

// The preview's records are (top, left, bottom, right) words.
void PutRecord(StMappingValues& values, int number, std::int32_t top, std::int32_t left,
               std::int32_t bottom, std::int32_t right) {
  const std::int32_t words[4] = {top, left, bottom, right};
  std::memcpy(values.preview.data() + static_cast<std::size_t>(number) * sizeof words, words,
              sizeof words);
}

// Two monitors: 1280 x 1024, and 1024 x 768 to its left; the tablet 2000 x 1000.
StMappingValues Values(std::uint16_t screenChoice, std::uint16_t tabletChoice,
                       bool proportions = false) {
  StMappingValues values;
  PutRecord(values, 0, 100, 200, 700, 1000);
  PutRecord(values, 1, 10, 20, 510, 1020);
  PutRecord(values, 2, 600, 1100, 900, 1900);
  values.screenChoice = screenChoice;
  values.tabletChoice = tabletChoice;
  values.proportions = proportions;
  values.tabletWidth = 2000;
  values.tabletHeight = 1000;
  return values;
}

const std::vector<StPictureRect> kMonitors = {{0, 0, 1280, 1024}, {-1024, 0, 0, 768}};

// The whole desktop, a part and a monitor that is there are checked end to end
// by the mapping-tab acceptance case.
TEST(MappingPictureTest, TheScreenAreaFollowsTheDisplayAreaChoice) {
  struct Case {
    std::uint16_t choice;
    StPictureRect area;
  };
  for (const Case& c : {Case{2, {-1024, 0, 1280, 1024}},   // a remembered monitor: the desktop
                        Case{3, {0, 0, 1280, 1024}},       // monitor 1
                        Case{5, {-1024, 0, 1280, 1024}}})  // a monitor not there: the desktop
    EXPECT_EQ(CMappingPicture(Values(c.choice, 0), kMonitors).ScreenArea(), c.area) << c.choice;
  // Without monitors the whole desktop is what the driver reports.
  EXPECT_EQ(CMappingPicture(Values(0, 0), {}).ScreenArea(), (StPictureRect{200, 100, 1000, 700}));
}

TEST(MappingPictureTest, TheScreenPictureShowsEveryMonitorAndTheAreaWithAMargin) {
  const StPicture picture = CMappingPicture(Values(4, 0), kMonitors).Screen();
  // 2304 x 1024 and a margin of 2304 / 24 + 1 on every side.
  EXPECT_EQ(picture.originX, -1024 - 97);
  EXPECT_EQ(picture.originY, -97);
  EXPECT_EQ(picture.width, 2304 + 2 * 97);
  EXPECT_EQ(picture.height, 1024 + 2 * 97);
  ASSERT_EQ(picture.items.size(), 3U);
  EXPECT_EQ(picture.items[2], (StPictureItem{kMonitors[1], PictureRole::kArea}));
  EXPECT_EQ(picture.draggable, -1);
}

TEST(MappingPictureTest, TheTabletPictureShowsASecondAreaWhereTheChoiceHasOne) {
  const StPicture picture = CMappingPicture(Values(1, 2), kMonitors).Tablet();
  EXPECT_EQ(picture.items,
            (std::vector<StPictureItem>{{{0, 0, 2000, 1000}, PictureRole::kOutline},
                                        {{20, 10, 1020, 510}, PictureRole::kArea},
                                        {{1100, 600, 1900, 900}, PictureRole::kSecondArea}}));
  EXPECT_EQ(picture.draggable, 1);
  EXPECT_EQ(picture.originX, -(2000 / 24 + 1));
}

TEST(MappingPictureTest, TheProportionalPartKeepsTheShapeInsideTheArea) {
  struct Case {
    StPictureRect area, shape, part;
  };
  for (const Case& c :
       {Case{{0, 0, 1000, 1000}, {0, 0, 1600, 900}, {0, 219, 1000, 781}},  // wide in square
        Case{{0, 0, 1000, 1000}, {0, 0, 900, 1600}, {219, 0, 781, 1000}},  // tall in square
        Case{{10, 20, 410, 320}, {0, 0, 4, 3}, {10, 20, 410, 320}},        // same shape
        Case{{0, 0, 100, 100}, {0, 0, 0, 50}, {0, 0, 100, 100}}})          // no shape
    EXPECT_EQ(CMappingPicture::Proportional(c.area, c.shape), c.part);
}

TEST(MappingPictureTest, KeepingTheShapeWidensOrHeightensThePicture) {
  struct Case {
    std::int32_t shownWidth, shownHeight, width, height;
  };
  for (const Case& c :
       {Case{200, 100, 2000, 1000}, Case{100, 300, 1000, 3000}, Case{0, 30, 1000, 1000}}) {
    StPicture picture;
    picture.width = 1000;
    picture.height = 1000;
    CMappingPicture::KeepShape(picture, c.shownWidth, c.shownHeight);
    EXPECT_EQ(picture.width, c.width) << c.shownWidth << "x" << c.shownHeight;
    EXPECT_EQ(picture.height, c.height) << c.shownWidth << "x" << c.shownHeight;
  }
}

}  // namespace
