// Every shipped profile, walked through the applet's own model factory: every
// function set, tablet control, tool, button, wheel and roller the profile
// describes is there, and every item they offer is answered by the service.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "functions/AppletModelFixture.h"
#include "model/ToolClasses.h"
#include "service/CProfileReader.h"

namespace {

struct StShippedProfile {
  std::string file;
  StProfile profile;
};

std::vector<StShippedProfile> ShippedProfiles() {
  std::vector<StShippedProfile> profiles{{"(built in)", MakeDefaultProfile()}};
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(KELVO_SOURCE_DIR) / "service/profiles"))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    StShippedProfile shipped{file.filename().string(), {}};
    std::string error;
    EXPECT_TRUE(CProfileReader::ReadFile(file, shipped.profile, error)) << error;
    profiles.push_back(std::move(shipped));
  }
  return profiles;
}

// Item 107 is answered only for a control whose function is fixed; every
// control of the profiles is programmable.
constexpr ItemId kFixedFunction = 107;

class CModelWalkTest : public CAppletModelFixture {
 protected:
  // Every item the grouping makes must read, but those `absent` (all with
  // `allAbsent`) answer not found.
  void ExpectItems(CDataGrouping& grouping, const std::string& where,
                   std::vector<ItemId> absent = {}, bool allAbsent = false) {
    absent.push_back(kFixedFunction);
    std::size_t made = 0;
    for (ItemId id = 0; id < 256; ++id) {
      CDriverData* item = nullptr;
      if (grouping.GetItem(id, item) != kStatusOk || item == nullptr) continue;
      ++made;
      std::array<std::byte, 256> bytes{};
      const bool missing = allAbsent || std::find(absent.begin(), absent.end(), id) != absent.end();
      EXPECT_EQ(item->Get(bytes.data()), missing ? kStatusNotFound : kStatusOk)
          << where << ", item " << id;
    }
    EXPECT_GT(made, 0U) << where;
    m_itemsReached += made;
  }

  void WalkFunctionSets(CDataGrouping& tablet, const StProfile& profile,
                        const StTabletProfile& definition, const std::string& where) {
    CDataGrouping& functions = Child(tablet, 0);
    ExpectItems(functions, where + " functions");
    const std::size_t applications = std::max<std::size_t>(profile.applications.size(), 1);
    ASSERT_EQ(functions.GetSubGroupCount(kSubGroupMain), static_cast<std::int32_t>(applications));
    for (std::size_t s = 0; s < applications; ++s) {
      const std::string set = where + " set " + std::to_string(s);
      const StApplicationProfile own =
          s < profile.applications.size() ? profile.applications[s] : StApplicationProfile{};
      CDataGrouping& functionSet = Child(functions, static_cast<std::int32_t>(s));
      ExpectItems(functionSet, set,
                  definition.battery ? std::vector<ItemId>{} : std::vector<ItemId>{35, 172});
      CDataGrouping& menu = Child(functionSet, 0);
      ExpectItems(menu, set + " menu");
      EXPECT_TRUE(!own.tabletMenu || Value<std::uint32_t>(menu, 105) == *own.tabletMenu) << set;
      CDataGrouping& popup = Child(functionSet, 1);
      ExpectItems(popup, set + " popup");
      ASSERT_EQ(popup.GetSubGroupCount(kSubGroupMain), static_cast<std::int32_t>(own.popup.size()))
          << set;
      for (std::size_t e = 0; e < own.popup.size(); ++e) {
        CDataGrouping& entry = Child(popup, static_cast<std::int32_t>(e));
        ExpectItems(entry, set + " popup entry");
        EXPECT_EQ(Value<std::uint32_t>(entry, 73), own.popup[e]);
      }
      CDataGrouping& area = Child(functionSet, 2);
      ExpectItems(area, set + " area");
      EXPECT_EQ(Value<std::uint8_t>(area, 186), definition.tabletButtons);
      for (std::int32_t b = 0; b < definition.tabletButtons; ++b)
        ExpectItems(Child(area, b), set + " tablet button " + std::to_string(b));
      for (std::size_t strip = 0; strip < definition.touchStrips; ++strip) {
        CDataGrouping& touchStrip = Child(area, 8 + static_cast<std::int32_t>(strip));
        ExpectItems(touchStrip, set + " strip");
        EXPECT_TRUE(strip >= own.touchStrips.size() ||
                    Value<std::uint32_t>(touchStrip, 187) == own.touchStrips[strip]);
      }
    }
  }

  void WalkTool(CDataGrouping& group, const StToolProfile& definition, const std::string& where) {
    ExpectItems(group, where + " group");
    CDataGrouping& tool = Child(group, 0);
    ExpectItems(tool, where);
    // A pen has its tip, two side switches and, with an eraser, the eraser.
    const bool pen = ToolClassForTypeCode(definition.type) == ToolClass::kStylus;
    const std::int32_t buttons = pen ? (definition.eraser ? 4 : 3) : definition.buttons;
    if (!pen && definition.roller) ExpectItems(Child(tool, 16), where + " roller");
    ASSERT_EQ(tool.GetSubGroupCount(kSubGroupMain), buttons) << where;
    for (std::int32_t number = 1; number <= buttons; ++number)
      ExpectItems(Child(tool, number), where + " button " + std::to_string(number));
    if (definition.wheel) {
      ExpectItems(Child(tool, 32), where + " wheel");
    } else {
      EXPECT_EQ(tool.GetSubGroup(32, kSubGroupMain), nullptr)
          << where << ": a wheel the driver has not";
    }
  }

  std::size_t m_itemsReached = 0;
};

TEST_F(CModelWalkTest, EveryShippedProfileAnswersEveryControlAndItem) {
  std::size_t walked = 0;
  for (const StShippedProfile& shipped : ShippedProfiles()) {
    SCOPED_TRACE(shipped.file);
    const Status connected = Connect(shipped.profile);
    if (shipped.profile.driverVersion != MakeDefaultProfile().driverVersion) {
      // A driver of another version is refused before any model is built.
      EXPECT_EQ(connected, kStatusVersionMismatch);
      continue;
    }
    ASSERT_EQ(connected, kStatusOk);
    ASSERT_EQ(m_driverObject->GetSubGroupCount(kSubGroupMain),
              static_cast<std::int32_t>(shipped.profile.tablets.size()));
    for (std::size_t t = 0; t < shipped.profile.tablets.size(); ++t) {
      const StTabletProfile& definition = shipped.profile.tablets[t];
      const std::string where = shipped.file + " tablet " + std::to_string(t);
      CDataGrouping& tablet = Tablet(static_cast<std::int32_t>(t));
      WalkFunctionSets(tablet, shipped.profile, definition, where);
      ASSERT_EQ(tablet.GetSubGroupCount(kSubGroupTabletControl), 2);
      ExpectItems(Child(tablet, 0, kSubGroupTabletControl), where + " battery",
                  definition.battery ? std::vector<ItemId>{} : std::vector<ItemId>{172, 173});
      CDataGrouping& joystick = Child(tablet, 1, kSubGroupTabletControl);
      ExpectItems(joystick, where + " joystick", {}, !definition.joystick);
      ExpectItems(Child(joystick, 0), where + " joystick switch", {}, !definition.joystick);
      ASSERT_EQ(tablet.GetSubGroupCount(kSubGroupMain),
                static_cast<std::int32_t>(definition.tools.size() + 1));
      for (std::size_t n = 0; n < definition.tools.size(); ++n)
        WalkTool(Child(tablet, static_cast<std::int32_t>(n + 1)), definition.tools[n],
                 where + " tool " + std::to_string(n));
    }
    ++walked;
  }
  EXPECT_GE(walked, 7U);
  // What the tables make on the shipped profiles: an item no longer made shows here.
  EXPECT_GE(m_itemsReached, 1872U);
}

}  // namespace
