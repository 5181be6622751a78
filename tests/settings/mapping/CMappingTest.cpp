// The mapping grouping: which items answer on each shipped profile, where
// they live in the driver, and what resetting the whole mapping sends.
#include "settings/mapping/CMapping.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "MappingFixture.h"
#include "service/CProfileReader.h"

namespace {

namespace fs = std::filesystem;

using CMappingTest = CMappingFixture;

StProfile ProfileFile(const fs::path& file) {
  StProfile profile = MakeDefaultProfile();
  std::string error;
  EXPECT_TRUE(file.empty() || CProfileReader::ReadFile(file, profile, error)) << error;
  return profile;
}

TEST_F(CMappingTest, EveryItemAnswersOnEveryShippedProfile) {
  std::vector<fs::path> files{fs::path()};  // the built-in profile
  for (const auto& entry : fs::directory_iterator(fs::path(KELVO_SOURCE_DIR) / "service/profiles"))
    files.push_back(entry.path());
  for (const fs::path& file : files) {
    const StProfile profile = ProfileFile(file);
    Start(profile);
    for (std::uint32_t tool = 0; tool < profile.tablets[0].tools.size(); ++tool) {
      const KeyPath toolPath = MakePath({{2, 0}, {4, tool}});
      CMapping& mapping = Make(ReadPath<std::uint32_t>(Below(toolPath, {{116}})),
                               ReadPath<std::uint32_t>(Below(toolPath, {{38}})),
                               ReadPath<std::uint16_t>(Below(toolPath, {{37}})), tool);
      for (ItemId id = 0; id <= 170; ++id) {
        SCOPED_TRACE(file.filename().string() + " tool " + std::to_string(tool) + " item " + std::to_string(id));
        const bool known = id == 18 || id == 20 || id == 21 || id == 38 || (id >= 118 && id <= 147) ||
                           id == 160 || id == 161;
        CDriverData* item = nullptr;
        ASSERT_EQ(mapping.GetItem(id, item), known ? kStatusOk : kStatusNoItem);
        if (!known) continue;
        std::vector<std::byte> value(item->GetSize());
        // Only a pen display has the common display value.
        EXPECT_EQ(item->Get(value.data()) == kStatusOk, id != kMapCommonMonitor || profile.tablets[0].penDisplay);
      }
    }
  }
  CMapping absent(0, kPenSerial, 1);
  CDataKey key;
  key.AppendLevel(2, 0).AppendLevel(4, 9);
  EXPECT_EQ(absent.SetKey(key), kStatusNotFound) << "no such tool";
}

// One item of each chain, on a context whose three values all differ.
TEST_F(CMappingTest, EachChainPutsItsItemsWhereTheDriverKeepsThem) {
  CMapping& mapping = Make(7, kPenSerial, 1);
  const std::vector<std::pair<ItemId, KeyPath>> rows{
      {kMapTabletModel, MakePath({{2, 0}, {124}})},
      {kMapRawY, MakePath({{2, 0}, {168, 7}})},
      {kMapTabletBounds, MakePath({{2, 0}, {12}, {92}})},
      {kMapMouseSpeed, Below(Context(7), {{21, 2}, {191}})},
      {kMapPreviewSecond, Below(Context(7), {{20, 0}, {243}})},
      {kMapPreviewFirst, Below(Context(7), {{20, 1}, {243}})},
      {kMapTabletAreaMode, Below(Context(7), {{126}})},
      {kMapCommonOrigin, MakePath({{2, 0}, {12}, {5, 0, 5}, {19, 0, 5}, {20, 2}, {60}})},
      {kMapCommonMonitor, MakePath({{2, 0}, {12}, {5, 0, 5}, {19, 0, 5}, {21, 2}, {151}})},
  };
  for (const auto& [id, path] : rows) {
    m_driver->ClearRequests();
    std::vector<std::byte> value(Item(mapping, id).GetSize());
    DropStatus(Item(mapping, id).Get(value.data()), "only where the request went counts");
    ASSERT_EQ(m_driver->GetRequests().size(), 1U) << "item " << id;
    EXPECT_EQ(m_driver->GetRequests()[0].levels, path) << "item " << id;
  }
  m_driver->ClearRequests();
  EXPECT_EQ(Read<Rect4>(mapping, kMapScreenLimits), (Rect4{})) << "a no-driver item";
  EXPECT_TRUE(m_driver->GetRequests().empty());
}

TEST_F(CMappingTest, DefaultItemsResetsTheToolsAndTheCommonValues) {
  CMapping& mapping = Make();
  ASSERT_EQ(Write(mapping, kMapForceProportions, std::uint16_t{1}), kStatusOk);
  ASSERT_EQ(Write(mapping, kMapCommonFlag, std::uint16_t{1}), kStatusOk);
  m_driver->ClearRequests();
  ASSERT_EQ(mapping.DefaultItems(), kStatusOk);
  EXPECT_EQ(m_driver->CountRequests(kCommandGetDefault), 15U);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 2U) << "only what differed from the default";
  EXPECT_EQ(Read<std::uint16_t>(Make(), kMapForceProportions), 2);
  EXPECT_EQ(Read<std::uint16_t>(Make(), kMapCommonFlag), 0);
}

// What the tabs and the calibration change on a pen display lands where the
// service keeps it.
TEST_F(CMappingTest, TabAndCalibrationValuesLandInTheService) {
  const StProfile profile = ProfileFile(fs::path(KELVO_SOURCE_DIR) / "service/profiles/pen-display.json");
  Start(profile);
  const StToolProfile& pen = profile.tablets[0].tools[0];
  const KeyPath display = Below(Context(0, pen.serial, pen.identity), {{21, 2}});
  const KeyPath common = MakePath({{2, 0}, {12}, {5, 0, 5}, {19, 0, 5}, {20, 2}});
  struct Row {
    ItemId id;
    std::vector<std::uint8_t> bytes;
    KeyPath path;
  };
  const std::vector<Row> rows{
      {kMapTrackingMode, {2}, Below(display, {{135}})},
      {kMapMouseSpeed, {7, 0}, Below(display, {{191}})},
      {kMapAcceleration, {3, 0}, Below(display, {{221}})},
      {kMapMonitor, {1, 0}, Below(display, {{151}})},
      {kMapCommonFlag, {1, 0}, Below(common, {{149}})},
      {kMapCommonOrigin, Bytes(Words3{120, 80, 0}), Below(common, {{60}})},
      {kMapCommonExtent, Bytes(Words3{30000, 22000, 0}), Below(common, {{61}})},
  };
  CMapping& mapping = Make(0, pen.serial, pen.identity);
  for (const Row& row : rows) {
    ASSERT_EQ(Item(mapping, row.id).Set(row.bytes.data()), kStatusOk) << row.id;
    const std::vector<StRecordedRequest> sets = m_driver->RequestsOf(kCommandSet);
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(sets.back().levels, row.path) << row.id;
    EXPECT_EQ(sets.back().data, row.bytes) << row.id;
  }
  EXPECT_EQ(Read<std::uint16_t>(mapping, kMapCommonMonitor), 2) << "the profile's pen display";
}

}  // namespace
