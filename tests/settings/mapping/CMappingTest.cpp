// The mapping grouping: where its items live in the driver, which of them
// answer on each shipped profile, and what its whole-mapping operations send.
#include "settings/mapping/CMapping.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "MappingFixture.h"
#include "service/CProfileReader.h"

namespace {

namespace fs = std::filesystem;

using CMappingTest = CMappingFixture;

// The ids a mapping knows; every other id answers 0x600.
bool IsMappingId(ItemId id) {
  return id == 18 || id == 20 || id == 21 || id == 38 || (id >= 118 && id <= 147) || id == 160 ||
         id == 161;
}

std::vector<fs::path> ShippedProfiles() {
  std::vector<fs::path> files{fs::path()};  // the built-in one
  for (const auto& entry : fs::directory_iterator(fs::path(KELVO_SOURCE_DIR) / "service/profiles"))
    files.push_back(entry.path());
  return files;
}

TEST_F(CMappingTest, EveryItemAnswersOnEveryShippedProfile) {
  for (const fs::path& file : ShippedProfiles()) {
    StProfile profile = MakeDefaultProfile();
    std::string error;
    ASSERT_TRUE(file.empty() || CProfileReader::ReadFile(file, profile, error)) << error;
    const bool penDisplay = profile.tablets.at(0).penDisplay;
    Start(profile);
    const auto tools = ReadPath<std::uint16_t>(MakePath({{2, 0}, {28, 4}}));
    for (std::uint32_t tool = 0; tool < tools; ++tool) {
      const auto k1 = ReadPath<std::uint32_t>(MakePath({{2, 0}, {4, tool}, {116}}));
      const auto k2 = ReadPath<std::uint32_t>(MakePath({{2, 0}, {4, tool}, {38}}));
      const auto k3 = ReadPath<std::uint16_t>(MakePath({{2, 0}, {4, tool}, {37}}));
      CMapping& mapping = Make(k1, k2, k3, tool);
      for (ItemId id = 0; id <= 170; ++id) {
        SCOPED_TRACE(file.filename().string() + " tool " + std::to_string(tool) + " item " +
                     std::to_string(id));
        CDriverData* item = nullptr;
        const Status made = mapping.GetItem(id, item);
        if (!IsMappingId(id)) {
          EXPECT_EQ(made, kStatusNoItem);
          continue;
        }
        ASSERT_EQ(made, kStatusOk);
        std::vector<std::byte> value(item->GetSize());
        // Only a pen display has the common display value.
        const bool answers = id != kMapCommonMonitor || penDisplay;
        EXPECT_EQ(item->Get(value.data()) == kStatusOk, answers);
      }
    }
  }
}

// One item of each chain, on a context whose three values all differ, read
// where the request went.
TEST_F(CMappingTest, EachChainPutsItsItemsWhereTheDriverKeepsThem) {
  CMapping& mapping = Make(7, kPenSerial, kPenIdentity);
  const KeyPath context = Context(7);
  struct Row {
    ItemId id;
    KeyPath path;
  };
  const std::vector<Row> rows{
      {kMapTabletModel, MakePath({{2, 0}, {124}})},
      {kMapRawY, MakePath({{2, 0}, {168, 7}})},
      {kMapTabletBounds, MakePath({{2, 0}, {12}, {92}})},
      {kMapMouseSpeed, Below(context, {{21, 2}, {191}})},
      {kMapTabletExtent, Below(context, {{20, 2}, {61}})},
      {kMapPreviewSecond, Below(context, {{20, 0}, {243}})},
      {kMapPreviewFirst, Below(context, {{20, 1}, {243}})},
      {kMapTabletAreaMode, Below(context, {{126}})},
      {kMapCommonOrigin, MakePath({{2, 0}, {12}, {5, 0, 5}, {19, 0, 5}, {20, 2}, {60}})},
      {kMapCommonMonitor, MakePath({{2, 0}, {12}, {5, 0, 5}, {19, 0, 5}, {21, 2}, {151}})},
  };
  for (const Row& row : rows) {
    m_driver->ClearRequests();
    std::vector<std::byte> value(Item(mapping, row.id).GetSize());
    DropStatus(Item(mapping, row.id).Get(value.data()), "only the path is looked at");
    ASSERT_EQ(m_driver->GetRequests().size(), 1U) << "item " << row.id;
    EXPECT_EQ(m_driver->GetRequests()[0].levels, row.path) << "item " << row.id;
  }
  // The no-driver items never ask.
  m_driver->ClearRequests();
  EXPECT_EQ(Read<Rect4>(mapping, kMapScreenLimits), (Rect4{}));
  EXPECT_TRUE(m_driver->GetRequests().empty());
}

TEST_F(CMappingTest, SetKeyNeedsTheToolAndKeepsTheTabletsKey) {
  CMapping absent(0, kPenSerial, kPenIdentity);
  EXPECT_EQ(absent.SetKey(ToolKey(9)), kStatusNotFound);
  EXPECT_EQ(absent.GetKey().GetLevelCount(), 0U) << "a failed read changes nothing";

  m_driver->ClearRequests();
  CMapping mapping(0, kPenSerial, kPenIdentity);
  ASSERT_EQ(mapping.SetKey(ToolKey(1)), kStatusOk);
  ASSERT_EQ(m_driver->GetRequests().size(), 1U);
  EXPECT_EQ(m_driver->GetRequests()[0].levels, MakePath({{2, 0}, {4, 1}, {115}}));
  EXPECT_EQ(m_driver->GetRequests()[0].capacity, 2U);
  CDataKey tablet;
  tablet.AppendLevel(2, 0);
  EXPECT_TRUE(mapping.GetKey() == tablet);
}

// The tool's twelve values go out again in their order, whatever they hold;
// the common values are not the tool's to write.
TEST_F(CMappingTest, ForceWriteAllWritesTheToolsOwnValues) {
  CMapping& mapping = Make();
  ASSERT_EQ(Write(mapping, kMapMouseSpeed, std::uint16_t{9}), kStatusOk);
  m_driver->ClearRequests();
  ASSERT_EQ(mapping.ForceWriteAll(), kStatusOk);
  const std::vector<StRecordedRequest> sets = m_driver->RequestsOf(kCommandSet);
  ASSERT_EQ(sets.size(), 12U);
  std::vector<std::uint16_t> codes;
  for (const StRecordedRequest& set : sets) {
    codes.push_back(set.levels.back().code);
    EXPECT_EQ(std::vector<StObjectKey>(set.levels.begin(), set.levels.begin() + 7), Context());
  }
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{135, 191, 221, 78, 79, 150, 151, 60, 61, 149, 126, 152}));
  EXPECT_EQ(sets[1].data, Bytes(std::uint16_t{9}));
}

TEST_F(CMappingTest, DefaultItemsResetsTheToolsAndTheCommonValues) {
  CMapping& mapping = Make();
  ASSERT_EQ(Write(mapping, kMapMouseSpeed, std::uint16_t{9}), kStatusOk);
  ASSERT_EQ(Write(mapping, kMapForceProportions, std::uint16_t{1}), kStatusOk);
  ASSERT_EQ(Write(mapping, kMapCommonFlag, std::uint16_t{1}), kStatusOk);
  m_driver->ClearRequests();
  ASSERT_EQ(mapping.DefaultItems(), kStatusOk);
  EXPECT_EQ(m_driver->CountRequests(kCommandGetDefault), 15U);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 3U) << "only what differed from the default";
  EXPECT_EQ(ReadPath<std::uint16_t>(Below(Context(), {{21, 2}, {191}})), 5);
  EXPECT_EQ(ReadPath<std::uint16_t>(Below(Context(), {{20, 2}, {152}})), 2);
  EXPECT_EQ(ReadPath<std::uint16_t>(MakePath({{2, 0}, {12}, {5, 0, 5}, {19, 0, 5}, {20, 2}, {149}})), 0);
}

TEST_F(CMappingTest, RemoveFromDriverSendsOneRemovalThatDropsTheContext) {
  CMapping& mapping = Make(0, kPenSerial, kPenIdentity);
  ASSERT_EQ(Write(mapping, kMapMouseSpeed, std::uint16_t{9}), kStatusOk);
  m_driver->ClearRequests();
  ASSERT_EQ(mapping.RemoveFromDriver(), kStatusOk);
  ASSERT_EQ(m_driver->GetRequests().size(), 1U);
  const StRecordedRequest& removal = m_driver->GetRequests()[0];
  EXPECT_EQ(removal.command, kCommandRemove);
  EXPECT_EQ(removal.capacity, 0U);
  EXPECT_FALSE(removal.hadBuffer);
  EXPECT_EQ(removal.levels, MakePath({{12}, {5, 0, 4}, {3}, {5}, {136, kPenSerial, 4}, {136, kPenIdentity}}));
  EXPECT_EQ(Read<std::uint16_t>(Make(), kMapMouseSpeed), 5) << "back to the factory value";
}

// What the tabs and the calibration change reaches the service and is read
// back by another mapping of the same tool.
TEST_F(CMappingTest, TabAndCalibrationValuesRoundTripThroughTheService) {
  StProfile profile = MakeDefaultProfile();
  std::string error;
  ASSERT_TRUE(CProfileReader::ReadFile(fs::path(KELVO_SOURCE_DIR) / "service/profiles/pen-display.json",
                                       profile, error))
      << error;
  Start(profile);
  const auto serial = profile.tablets[0].tools[0].serial;
  const auto identity = profile.tablets[0].tools[0].identity;
  CMapping& writer = Make(0, serial, identity);
  ASSERT_EQ(Write(writer, kMapTrackingMode, std::uint8_t{2}), kStatusOk);
  ASSERT_EQ(Write(writer, kMapMouseSpeed, std::uint16_t{7}), kStatusOk);
  ASSERT_EQ(Write(writer, kMapAcceleration, std::uint16_t{3}), kStatusOk);
  ASSERT_EQ(Write(writer, kMapMonitor, std::uint16_t{1}), kStatusOk);
  ASSERT_EQ(Write(writer, kMapCommonOrigin, Words3{120, 80, 0}), kStatusOk);
  ASSERT_EQ(Write(writer, kMapCommonExtent, Words3{30000, 22000, 0}), kStatusOk);
  ASSERT_EQ(Write(writer, kMapCommonFlag, std::uint16_t{1}), kStatusOk);

  CMapping& reader = Make(0, serial, identity);
  EXPECT_EQ(Read<std::uint8_t>(reader, kMapTrackingMode), 2);
  EXPECT_EQ(Read<std::uint16_t>(reader, kMapMouseSpeed), 7);
  EXPECT_EQ(Read<std::uint16_t>(reader, kMapAcceleration), 3);
  EXPECT_EQ(Read<std::uint16_t>(reader, kMapMonitor), 1);
  EXPECT_EQ(Read<Words3>(reader, kMapCommonOrigin), (Words3{120, 80, 0}));
  EXPECT_EQ(Read<Words3>(reader, kMapCommonExtent), (Words3{30000, 22000, 0}));
  EXPECT_EQ(Read<std::uint16_t>(reader, kMapCommonFlag), 1);
  EXPECT_EQ(Read<std::uint16_t>(reader, kMapCommonMonitor), 2) << "the profile's pen display";
  EXPECT_EQ((Read<std::array<std::uint32_t, 2>>(reader, kMapTabletMaximum)),
            (std::array<std::uint32_t, 2>{30480, 22860}));
}

}  // namespace
