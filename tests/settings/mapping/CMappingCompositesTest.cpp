// The mapping's composite items over the real service's values: rectangles,
// display-area and tablet-area choices, proportions and the preview.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "MappingFixture.h"
#include "settings/mapping/CMappingDisplayAreaData.h"
#include "settings/mapping/CMappingProportionOnOff.h"
#include "settings/mapping/CMappingRectData.h"
#include "settings/mapping/CMappingTabletAreaData.h"
#include "settings/mapping/CMappingThumbData.h"

namespace {

using CMappingCompositesTest = CMappingFixture;
using Preview = std::array<Rect4, 3>;

KeyPath Display(std::uint16_t code) { return Below(Context(), {{21, 2}, {code}}); }
KeyPath Area(std::uint16_t code, std::uint32_t part = 2) {
  return Below(Context(), {{20, part}, {code}});
}
const KeyPath kAreaMode = Below(Context(), {{126}});

TEST_F(CMappingCompositesTest, RectangleReadsAndWritesOriginAndExtent) {
  struct Row {
    ItemId rect, origin, extent, reported;
    KeyPath originPath, extentPath;
  };
  const Row rows[] = {
      {kMapScreenRect, kMapScreenOrigin, kMapScreenExtent, kMapScreenRectReported, Display(78), Display(79)},
      {kMapTabletRect, kMapTabletOrigin, kMapTabletExtent, kMapTabletRectReported, Area(60), Area(61)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.rect);
    CMapping& mapping = Make();
    ASSERT_EQ(Write(mapping, row.origin, Words3{10, 20, 0}), kStatusOk);
    ASSERT_EQ(Write(mapping, row.extent, Words3{100, 200, 0}), kStatusOk);
    EXPECT_EQ(Read<Rect4>(mapping, row.rect), (Rect4{20, 10, 220, 110}));
    EXPECT_EQ(Read<Rect4>(Make(), row.reported), (Rect4{20, 10, 220, 110})) << "as the driver reports it";

    m_driver->ClearRequests();
    ASSERT_EQ(Write(mapping, row.rect, Read<Rect4>(mapping, row.rect)), kStatusOk);
    EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0U) << "writing it back changes nothing";

    // The third words stay as the driver has them.
    ASSERT_EQ(Write(mapping, row.origin, Words3{1, 2, 7}), kStatusOk);
    ASSERT_EQ(Write(mapping, row.extent, Words3{3, 4, 9}), kStatusOk);
    ASSERT_EQ(Write(mapping, row.rect, Rect4{0, 0, 50, 60}), kStatusOk);
    EXPECT_EQ(ReadPath<Words3>(row.originPath), (Words3{0, 0, 7}));
    EXPECT_EQ(ReadPath<Words3>(row.extentPath), (Words3{60, 50, 9}));
    ASSERT_EQ(Write(mapping, row.rect, Rect4{-7, -5, 13, 5}), kStatusOk);
    EXPECT_EQ(ReadPath<Words3>(row.originPath), (Words3{-5, -7, 7}));
    EXPECT_EQ(ReadPath<Words3>(row.extentPath), (Words3{10, 20, 9}));
  }
}

TEST_F(CMappingCompositesTest, DisplayAreaReadsModeAndMonitorAsOneChoice) {
  struct Row {
    std::uint16_t mode, monitor, choice;
  };
  const Row rows[] = {{0, 0, 0}, {1, 0, 1}, {1, 2, 4}, {1, 3, 5}, {0, 3, 0}, {2, 4, 2}};
  for (const Row& row : rows) {
    ASSERT_EQ(WritePath(Display(150), row.mode), kStatusOk);
    ASSERT_EQ(WritePath(Display(151), row.monitor), kStatusOk);
    EXPECT_EQ(Read<std::uint16_t>(Make(), kMapDisplayArea), row.choice) << row.mode << "," << row.monitor;
  }
}

// Choice 2 addresses the monitor shown last while the control shows 2, even
// after a choice without a monitor.
TEST_F(CMappingCompositesTest, DisplayAreaChoiceTwoKeepsTheLastMonitor) {
  CMapping& mapping = Make();
  ASSERT_EQ(WritePath(Display(150), std::uint16_t{1}), kStatusOk);
  ASSERT_EQ(WritePath(Display(151), std::uint16_t{2}), kStatusOk);
  ASSERT_EQ(Read<std::uint16_t>(mapping, kMapDisplayArea), 4);
  struct Step {
    std::uint16_t choice, mode, monitor, reads;
  };
  const Step steps[] = {
      {2, 1, 2, 2}, {1, 1, 0, 1}, {2, 1, 2, 2}, {5, 1, 3, 5}, {0, 0, 0, 0}, {2, 1, 3, 2}, {4, 1, 2, 4},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.choice);
    ASSERT_EQ(Write(mapping, kMapDisplayArea, step.choice), kStatusOk);
    EXPECT_EQ(ReadPath<std::uint16_t>(Display(150)), step.mode);
    EXPECT_EQ(ReadPath<std::uint16_t>(Display(151)), step.monitor);
    EXPECT_EQ(Read<std::uint16_t>(mapping, kMapDisplayArea), step.reads);
  }
  // A fresh item that never showed a monitor takes monitor 1.
  CMapping& fresh = Make(0, kPenSerial, 9);
  ASSERT_EQ(Write(fresh, kMapDisplayArea, std::uint16_t{2}), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(fresh, kMapMonitor), 1);
  EXPECT_EQ(Read<std::uint16_t>(fresh, kMapDisplayAreaMode), 1);
  EXPECT_EQ(Read<std::uint16_t>(fresh, kMapDisplayArea), 2);
}

TEST_F(CMappingCompositesTest, TabletAreaChoices) {
  struct Get {
    std::uint16_t flag, mode, choice;
  };
  for (const Get& row : {Get{0, 3, 0}, Get{1, 3, 1}, Get{5, 3, 1}, Get{0, 1, 2}, Get{1, 2, 3}, Get{1, 0, 0},
                         Get{1, 4, 0}}) {
    ASSERT_EQ(WritePath(Area(149), row.flag), kStatusOk);
    ASSERT_EQ(WritePath(kAreaMode, row.mode), kStatusOk);
    EXPECT_EQ(Read<std::uint16_t>(Make(), kMapTabletArea), row.choice) << row.flag << "," << row.mode;
  }
  // Choices 2 and 3 leave the flag as it was; 7 acts as 1.
  struct Set {
    std::uint16_t flag, mode, choice, newFlag, newMode;
  };
  for (const Set& row : {Set{0, 3, 2, 0, 1}, Set{1, 3, 3, 1, 2}, Set{0, 1, 7, 1, 3}, Set{1, 2, 0, 0, 3},
                         Set{0, 2, 1, 1, 3}}) {
    ASSERT_EQ(WritePath(Area(149), row.flag), kStatusOk);
    ASSERT_EQ(WritePath(kAreaMode, row.mode), kStatusOk);
    ASSERT_EQ(Write(Make(), kMapTabletArea, row.choice), kStatusOk);
    EXPECT_EQ(ReadPath<std::uint16_t>(Area(149)), row.newFlag) << "choice " << row.choice;
    EXPECT_EQ(ReadPath<std::uint16_t>(kAreaMode), row.newMode) << "choice " << row.choice;
  }
}

TEST_F(CMappingCompositesTest, ProportionsAreOnOnlyWhenTheDriverHoldsOne) {
  for (const auto& [driver, shown] : std::vector<std::pair<std::uint16_t, std::uint16_t>>{{1, 1}, {2, 0}, {0, 0}, {7, 0}}) {
    ASSERT_EQ(WritePath(Area(152), driver), kStatusOk);
    EXPECT_EQ(Read<std::uint16_t>(Make(), kMapProportionOnOff), shown) << driver;
  }
  struct Row {
    std::uint16_t before, choice, after;
  };
  for (const Row& row : {Row{1, 0, 2}, Row{2, 1, 1}, Row{2, 9, 1}}) {
    ASSERT_EQ(WritePath(Area(152), row.before), kStatusOk);
    ASSERT_EQ(Write(Make(), kMapProportionOnOff, row.choice), kStatusOk);
    EXPECT_EQ(ReadPath<std::uint16_t>(Area(152)), row.after) << row.choice;
  }
}

TEST_F(CMappingCompositesTest, PreviewShowsOneOrTwoTabletRectanglesByTheTabletAreaChoice) {
  ASSERT_EQ(WritePath(Area(60, 0), Words3{1, 2, 0}), kStatusOk);
  ASSERT_EQ(WritePath(Area(61, 0), Words3{10, 20, 0}), kStatusOk);
  ASSERT_EQ(WritePath(Area(60, 1), Words3{3, 4, 0}), kStatusOk);
  ASSERT_EQ(WritePath(Area(61, 1), Words3{30, 40, 0}), kStatusOk);
  ASSERT_EQ(WritePath(Display(79), Words3{1280, 1024, 0}), kStatusOk);
  const Rect4 screen{0, 0, 1024, 1280};
  const Rect4 whole{0, 0, 15240, 20320};
  const Rect4 second{2, 1, 22, 11};
  const Rect4 first{4, 3, 44, 33};
  struct Row {
    std::uint16_t choice;
    Preview records;
  };
  const Row rows[] = {
      {0, {screen, whole, Rect4{}}},
      {1, {screen, whole, Rect4{}}},
      {2, {screen, first, second}},
      {3, {screen, first, second}},
  };
  CMapping& mapping = Make();
  for (const Row& row : rows) {
    ASSERT_EQ(Write(mapping, kMapTabletArea, row.choice), kStatusOk);
    EXPECT_EQ(Read<Preview>(mapping, kMapPreview), row.records) << "choice " << row.choice;
  }
}

TEST_F(CMappingCompositesTest, PreviewSendsNothingOnAnyWrite) {
  CMapping& mapping = Make();
  CDriverData& preview = Item(mapping, kMapPreview);
  Preview records{};
  ASSERT_EQ(preview.Get(records.data()), kStatusOk);
  // A pending change under the preview that a passed-on Revert would send.
  ASSERT_EQ(Write(mapping, kMapTabletArea, std::uint16_t{2}), kStatusOk);
  m_driver->ClearRequests();
  records[0][0] = 99;
  EXPECT_EQ(preview.Set(records.data()), kStatusOk);
  EXPECT_EQ(preview.Revert(), kStatusOk);
  EXPECT_EQ(preview.Commit(), kStatusOk);
  EXPECT_EQ(preview.SetDefault(), kStatusOk);
  EXPECT_EQ(preview.Apply(), kStatusOk);
  EXPECT_TRUE(m_driver->GetRequests().empty());
  EXPECT_EQ(ReadPath<std::uint16_t>(kAreaMode), 1) << "the change under it stays";
}

// When both sources are written and both fail, one of them is answered.
TEST_F(CMappingCompositesTest, AFailedWriteIsAnsweredFromTheSourceThatCounts) {
  struct Failure {
    KeyPath path;
    Status status;
  };
  struct Row {
    ItemId id;
    std::vector<std::uint8_t> value;
    std::vector<Failure> failures;
    Status expected;
  };
  const std::vector<std::uint8_t> rect = Bytes(Rect4{5, 5, 50, 60});
  const std::vector<std::uint8_t> monitor1 = Bytes(std::uint16_t{3});
  const std::vector<std::uint8_t> choice0 = Bytes(std::uint16_t{0});
  const std::vector<Row> rows{
      {kMapScreenRect, rect, {{Display(78), kStatusReadOnly}}, kStatusReadOnly},
      {kMapScreenRect, rect, {{Display(78), kStatusReadOnly}, {Display(79), kStatusWrongSize}}, kStatusWrongSize},
      {kMapDisplayArea, monitor1, {{Display(150), kStatusReadOnly}}, kStatusReadOnly},
      {kMapDisplayArea, monitor1, {{Display(150), kStatusReadOnly}, {Display(151), kStatusWrongSize}}, kStatusWrongSize},
      {kMapTabletArea, choice0, {{Area(149), kStatusReadOnly}}, kStatusReadOnly},
      {kMapTabletArea, choice0, {{Area(149), kStatusReadOnly}, {kAreaMode, kStatusWrongSize}}, kStatusWrongSize},
      {kMapProportionOnOff, Bytes(std::uint16_t{1}), {{Area(152), kStatusReadOnly}}, kStatusReadOnly},
  };
  for (const Row& row : rows) {
    Start(MakeDefaultProfile());
    // Tablet-area choice 2 first, so that choosing 0 writes flag and mode.
    ASSERT_EQ(WritePath(kAreaMode, std::uint16_t{1}), kStatusOk);
    for (const Failure& failure : row.failures) m_driver->FailWith(kCommandSet, failure.path, failure.status);
    EXPECT_EQ(Item(Make(), row.id).Set(row.value.data()), row.expected) << "item " << row.id;
  }
}

TEST_F(CMappingCompositesTest, AMissingSourceAnswers102) {
  CDriverData source(DataType::kType2);
  const std::vector<std::function<Status()>> cases{
      [&] { return CMappingRectData().SetSources(&source, nullptr); },
      [&] { return CMappingDisplayAreaData().SetSources(nullptr, &source); },
      [&] { return CMappingTabletAreaData().SetSources(&source, nullptr); },
      [&] { return CMappingProportionOnOff().SetSources(nullptr); },
      [&] { return CMappingThumbData().SetSources(&source, &source, &source, nullptr, &source); },
      [&] {
        std::array<std::byte, 48> out{};
        return CMappingThumbData().Get(out.data());
      },
      [&] {
        std::uint16_t choice = 3;
        return CMappingDisplayAreaData().Set(&choice);
      },
  };
  for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(cases[i](), kStatusMissingArgument) << i;
}

}  // namespace
