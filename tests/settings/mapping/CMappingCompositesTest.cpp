// The mapping's composite items over the real service's values.
#include <vector>

#include <gtest/gtest.h>

#include "MappingFixture.h"

namespace {

using CMappingCompositesTest = CMappingFixture;
using Preview = std::array<Rect4, 3>;
using Pair = std::array<std::uint16_t, 2>;

KeyPath Display(std::uint16_t code) {
  return Below(Context(), {{21, 2}, {code}});
}
KeyPath Area(std::uint16_t code, std::uint32_t part = 2) {
  return Below(Context(), {{20, part}, {code}});
}
const KeyPath kAreaMode = Below(Context(), {{126}});

TEST_F(CMappingCompositesTest, RectangleReadsAndWritesOriginAndExtent) {
  struct Row {
    ItemId rect, origin, extent, reported;
    std::uint16_t part, originCode;
  };
  for (const Row& row :
       {Row{kMapScreenRect, kMapScreenOrigin, kMapScreenExtent, kMapScreenRectReported, 21, 78},
        Row{kMapTabletRect, kMapTabletOrigin, kMapTabletExtent, kMapTabletRectReported, 20, 60}}) {
    SCOPED_TRACE(row.rect);
    const KeyPath origin = Below(Context(), {{row.part, 2}, {row.originCode}});
    const KeyPath extent =
        Below(Context(), {{row.part, 2}, {static_cast<std::uint16_t>(row.originCode + 1)}});
    CMapping& mapping = Make();
    ASSERT_EQ(Write(mapping, row.origin, Words3{10, 20, 7}), kStatusOk);
    ASSERT_EQ(Write(mapping, row.extent, Words3{100, 200, 9}), kStatusOk);
    EXPECT_EQ(Read<Rect4>(mapping, row.rect), (Rect4{20, 10, 220, 110}));
    EXPECT_EQ(Read<Rect4>(mapping, row.reported), (Rect4{20, 10, 220, 110}))
        << "as the driver reports it";
    m_driver->ClearRequests();
    ASSERT_EQ(Write(mapping, row.rect, Read<Rect4>(mapping, row.rect)), kStatusOk);
    EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0U) << "written back unchanged";
    // The third words stay as the driver has them.
    ASSERT_EQ(Write(mapping, row.rect, Rect4{-7, -5, 13, 5}), kStatusOk);
    EXPECT_EQ(ReadPath<Words3>(origin), (Words3{-5, -7, 7}));
    EXPECT_EQ(ReadPath<Words3>(extent), (Words3{10, 20, 9}));
  }
}

TEST_F(CMappingCompositesTest, DisplayAreaChoices) {
  // Mode and monitor as a fresh item shows them.
  for (const auto& [mode, monitor, choice] : std::vector<std::array<std::uint16_t, 3>>{
           {1, 0, 1}, {1, 2, 4}, {1, 3, 5}, {0, 3, 0}, {2, 4, 2}}) {
    ASSERT_EQ(WritePath(Display(150), mode), kStatusOk);
    ASSERT_EQ(WritePath(Display(151), monitor), kStatusOk);
    EXPECT_EQ(Read<std::uint16_t>(Make(), kMapDisplayArea), choice) << mode << "," << monitor;
  }
  // Choice 2 addresses the monitor shown last, even after a choice without one.
  CMapping& mapping = Make();
  ASSERT_EQ(Write(mapping, kMapDisplayArea, std::uint16_t{4}), kStatusOk);
  struct Step {
    std::uint16_t choice, mode, monitor, reads;
  };
  for (const Step& step :
       {Step{2, 1, 2, 2}, Step{1, 1, 0, 1}, Step{2, 1, 2, 2}, Step{5, 1, 3, 5}, Step{0, 0, 0, 0}}) {
    ASSERT_EQ(Write(mapping, kMapDisplayArea, step.choice), kStatusOk);
    SCOPED_TRACE(step.choice);
    EXPECT_EQ((Pair{ReadPath<std::uint16_t>(Display(150)), ReadPath<std::uint16_t>(Display(151))}),
              (Pair{step.mode, step.monitor}));
    EXPECT_EQ(Read<std::uint16_t>(mapping, kMapDisplayArea), step.reads);
  }
  // A fresh item that never showed a monitor takes monitor 1.
  CMapping& fresh = Make(0, kPenSerial, 9);
  ASSERT_EQ(Write(fresh, kMapDisplayArea, std::uint16_t{2}), kStatusOk);
  EXPECT_EQ((Pair{Read<std::uint16_t>(fresh, kMapDisplayAreaMode),
                  Read<std::uint16_t>(fresh, kMapMonitor)}),
            (Pair{1, 1}));
}

TEST_F(CMappingCompositesTest, TabletAreaChoices) {
  for (const auto& [flag, mode, choice] : std::vector<std::array<std::uint16_t, 3>>{
           {0, 3, 0}, {1, 3, 1}, {5, 3, 1}, {0, 1, 2}, {1, 2, 3}, {1, 0, 0}, {1, 4, 0}}) {
    ASSERT_EQ(WritePath(Area(149), flag), kStatusOk);
    ASSERT_EQ(WritePath(kAreaMode, mode), kStatusOk);
    EXPECT_EQ(Read<std::uint16_t>(Make(), kMapTabletArea), choice) << flag << "," << mode;
  }
  // Choices 2 and 3 leave the flag as it was; 7 acts as 1.
  for (const auto& [flag, mode, choice, newFlag, newMode] :
       std::vector<std::array<std::uint16_t, 5>>{
           {0, 3, 2, 0, 1}, {1, 3, 3, 1, 2}, {0, 1, 7, 1, 3}, {1, 2, 0, 0, 3}, {0, 2, 1, 1, 3}}) {
    ASSERT_EQ(WritePath(Area(149), flag), kStatusOk);
    ASSERT_EQ(WritePath(kAreaMode, mode), kStatusOk);
    ASSERT_EQ(Write(Make(), kMapTabletArea, choice), kStatusOk);
    EXPECT_EQ((Pair{ReadPath<std::uint16_t>(Area(149)), ReadPath<std::uint16_t>(kAreaMode)}),
              (Pair{newFlag, newMode}))
        << "choice " << choice;
  }
}

TEST_F(CMappingCompositesTest, ProportionsAreOnOnlyWhenTheDriverHoldsOne) {
  for (const auto& [driver, shown] : std::vector<Pair>{{1, 1}, {2, 0}, {0, 0}}) {
    ASSERT_EQ(WritePath(Area(152), driver), kStatusOk);
    EXPECT_EQ(Read<std::uint16_t>(Make(), kMapProportionOnOff), shown) << driver;
  }
  for (const auto& [choice, driver] : std::vector<Pair>{{1, 1}, {0, 2}, {9, 1}}) {
    ASSERT_EQ(Write(Make(), kMapProportionOnOff, choice), kStatusOk);
    EXPECT_EQ(ReadPath<std::uint16_t>(Area(152)), driver) << choice;
  }
}

TEST_F(CMappingCompositesTest, PreviewShowsOneOrTwoTabletRectanglesAndNeverWrites) {
  ASSERT_EQ(WritePath(Area(61, 0), Words3{10, 20, 0}), kStatusOk);
  ASSERT_EQ(WritePath(Area(61, 1), Words3{30, 40, 0}), kStatusOk);
  ASSERT_EQ(WritePath(Display(79), Words3{1280, 1024, 0}), kStatusOk);
  const Rect4 screen{0, 0, 1024, 1280};
  const Rect4 whole{0, 0, 15240, 20320};
  const Preview one{screen, whole, Rect4{}};
  const Preview two{screen, Rect4{0, 0, 40, 30}, Rect4{0, 0, 20, 10}};
  CMapping& mapping = Make();
  for (const auto& [choice, records] :
       std::vector<std::pair<std::uint16_t, Preview>>{{0, one}, {1, one}, {2, two}, {3, two}}) {
    ASSERT_EQ(Write(mapping, kMapTabletArea, choice), kStatusOk);
    EXPECT_EQ(Read<Preview>(mapping, kMapPreview), records) << "choice " << choice;
  }
  // The choice under it now differs from what Revert would restore.
  CDriverData& preview = Item(mapping, kMapPreview);
  m_driver->ClearRequests();
  const Preview records{};
  EXPECT_EQ(preview.Set(records.data()), kStatusOk);
  for (auto operation : {&CDriverData::Revert, &CDriverData::SetDefault, &CDriverData::Apply})
    EXPECT_EQ((preview.*operation)(), kStatusOk);
  EXPECT_TRUE(m_driver->GetRequests().empty());
}

// When both sources are written and fail, the one that counts is answered.
TEST_F(CMappingCompositesTest, AFailedWriteIsAnsweredFromTheSourceThatCounts) {
  struct Row {
    ItemId id;
    std::vector<std::uint8_t> value;
    KeyPath first, second;  // the second's failure wins
  };
  const std::vector<Row> rows{
      {kMapScreenRect, Bytes(Rect4{5, 5, 50, 60}), Display(78), Display(79)},
      {kMapDisplayArea, Bytes(std::uint16_t{3}), Display(150), Display(151)},
      {kMapTabletArea, Bytes(std::uint16_t{0}), Area(149), kAreaMode},
      {kMapProportionOnOff, Bytes(std::uint16_t{1}), Area(152), {}},
  };
  for (const Row& row : rows) {
    for (const bool both : {false, true}) {
      Start(MakeDefaultProfile());
      ASSERT_EQ(WritePath(kAreaMode, std::uint16_t{1}), kStatusOk);  // so that choice 0 writes both
      m_driver->FailWith(kCommandSet, row.first, kStatusReadOnly);
      if (both) m_driver->FailWith(kCommandSet, row.second, kStatusWrongSize);
      const Status expected = both && !row.second.empty() ? kStatusWrongSize : kStatusReadOnly;
      EXPECT_EQ(Item(Make(), row.id).Set(row.value.data()), expected)
          << row.id << (both ? " both" : "");
    }
  }
}

}  // namespace
