// The mapping grouping: which items answer on each shipped profile and what
// resetting the whole mapping sends.
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "MappingFixture.h"
#include "service/CProfileReader.h"
#include "settings/mapping/CMapping.h"

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
        SCOPED_TRACE(file.filename().string() + " tool " + std::to_string(tool) + " item " +
                     std::to_string(id));
        const bool known = id == 18 || id == 20 || id == 21 || id == 38 ||
                           (id >= 118 && id <= 147) || id == 160 || id == 161;
        CDriverData* item = nullptr;
        ASSERT_EQ(mapping.GetItem(id, item), known ? kStatusOk : kStatusNoItem);
        if (!known) continue;
        std::vector<std::byte> value(item->GetSize());
        // Only a pen display has the common display value.
        EXPECT_EQ(item->Get(value.data()) == kStatusOk,
                  id != kMapCommonMonitor || profile.tablets[0].penDisplay);
      }
    }
  }
  CMapping absent(0, kPenSerial, 1);
  CDataKey key;
  key.AppendLevel(2, 0).AppendLevel(4, 9);
  EXPECT_EQ(absent.SetKey(key), kStatusNotFound) << "no such tool";
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
  m_driver->ClearRequests();
  EXPECT_EQ(Read<Rect4>(mapping, kMapScreenLimits), (Rect4{})) << "a no-driver item";
  EXPECT_TRUE(m_driver->GetRequests().empty());
}

}  // namespace
