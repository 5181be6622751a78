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

std::vector<ItemId> Ids(ItemId first, ItemId last, std::initializer_list<ItemId> more = {}) {
  std::vector<ItemId> ids(more);
  for (ItemId id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

// Item 107 is answered only for a control whose function is fixed; every
// control of the profiles is programmable.
constexpr ItemId kFixedFunction = 107;

class CModelWalkTest : public CAppletModelFixture {
 protected:
  // Each item must be made and read with `expected`.
  void ExpectItems(CDataGrouping& grouping, const std::vector<ItemId>& ids,
                   const std::string& where, Status expected = kStatusOk) {
    for (const ItemId id : ids) {
      CDriverData* item = nullptr;
      const Status made = grouping.GetItem(id, item);
      Status read = kStatusNoItem;
      if (made == kStatusOk && item != nullptr) {
        std::array<std::byte, 256> bytes{};
        read = item->Get(bytes.data());
      }
      EXPECT_TRUE(made == kStatusOk && read == expected)
          << where << ", item " << id << ": made " << made << ", read " << read;
      ++m_itemsReached;
    }
  }

  void WalkFunctionSets(CDataGrouping& tablet, const StProfile& profile,
                        const StTabletProfile& definition, const std::string& where) {
    CDataGrouping& functions = Child(tablet, 0);
    ExpectItems(functions, {12, 45, 46}, where + " functions");
    const std::size_t applications = std::max<std::size_t>(profile.applications.size(), 1);
    ASSERT_EQ(functions.GetSubGroupCount(kSubGroupMain), static_cast<std::int32_t>(applications));
    for (std::size_t s = 0; s < applications; ++s) {
      const std::string set = where + " set " + std::to_string(s);
      const StApplicationProfile own =
          s < profile.applications.size() ? profile.applications[s] : StApplicationProfile{};
      CDataGrouping& functionSet = Child(functions, static_cast<std::int32_t>(s));
      ExpectItems(functionSet, {18, 38, 41, 42, 43, 44}, set);
      ExpectItems(functionSet, {35, 172}, set + " battery",
                  definition.battery ? kStatusOk : kStatusNotFound);

      CDataGrouping& menu = Child(functionSet, 0);
      ExpectItems(menu, {105}, set + " menu");
      if (own.tabletMenu) {
        EXPECT_EQ(Value<std::uint32_t>(menu, 105), *own.tabletMenu) << set;
      }

      CDataGrouping& popup = Child(functionSet, 1);
      ExpectItems(popup, {79, 80}, set + " popup");
      ASSERT_EQ(popup.GetSubGroupCount(kSubGroupMain), static_cast<std::int32_t>(own.popup.size()))
          << set;
      for (std::size_t e = 0; e < own.popup.size(); ++e) {
        CDataGrouping& entry = Child(popup, static_cast<std::int32_t>(e));
        ExpectItems(entry, Ids(73, 77), set + " popup entry");
        EXPECT_EQ(Value<std::uint32_t>(entry, 73), own.popup[e]);
      }

      CDataGrouping& area = Child(functionSet, 2);
      ExpectItems(area, {186, 200, 201}, set + " area");
      EXPECT_EQ(Value<std::uint8_t>(area, 186), definition.tabletButtons);
      for (std::int32_t b = 0; b < definition.tabletButtons; ++b) {
        CDataGrouping& button = Child(area, b);
        ExpectItems(button, Ids(175, 185), set + " tablet button " + std::to_string(b));
        ExpectItems(button, {kFixedFunction}, set + " tablet button", kStatusNotFound);
        if (static_cast<std::size_t>(b) < own.tabletButtons.size()) {
          EXPECT_EQ(Value<std::uint32_t>(button, 175),
                    own.tabletButtons[static_cast<std::size_t>(b)])
              << set;
        }
      }
      for (std::int32_t strip = 0; strip < definition.touchStrips; ++strip) {
        CDataGrouping& touchStrip = Child(area, 8 + strip);
        ExpectItems(touchStrip, Ids(187, 192, {194, 195, 196, 197, 198}), set + " strip");
        if (static_cast<std::size_t>(strip) < own.touchStrips.size()) {
          EXPECT_EQ(Value<std::uint32_t>(touchStrip, 187),
                    own.touchStrips[static_cast<std::size_t>(strip)]);
        }
      }
    }
  }

  void WalkTabletControls(CDataGrouping& tablet, const StTabletProfile& definition,
                          const std::string& where) {
    ASSERT_EQ(tablet.GetSubGroupCount(kSubGroupTabletControl), 2);
    ExpectItems(Child(tablet, 0, kSubGroupTabletControl), {172, 173}, where + " battery",
                definition.battery ? kStatusOk : kStatusNotFound);
    CDataGrouping& joystick = Child(tablet, 1, kSubGroupTabletControl);
    const Status joystickStatus = definition.joystick ? kStatusOk : kStatusNotFound;
    ExpectItems(joystick, {174}, where + " joystick", joystickStatus);
    ExpectItems(Child(joystick, 0), Ids(61, 72), where + " joystick switch", joystickStatus);
  }

  void ExpectButton(CDataGrouping& button, const std::string& where) {
    ExpectItems(button, Ids(61, 72), where);
    ExpectItems(button, {kFixedFunction}, where, kStatusNotFound);
  }

  void WalkTool(CDataGrouping& group, const StToolProfile& definition, const std::string& where) {
    ExpectItems(group, {12, 45, 46, 47, 48, 49}, where + " group");
    CDataGrouping& tool = Child(group, 0);
    ExpectItems(tool, Ids(41, 60, {18, 84}), where);
    const bool stylus = ToolClassForTypeCode(definition.type) == ToolClass::kStylus;
    ExpectItems(tool, stylus ? Ids(81, 81) : Ids(85, 90), where);
    if (stylus) {
      ASSERT_EQ(tool.GetSubGroupCount(kSubGroupMain), definition.eraser ? 4 : 3) << where;
      for (const std::int32_t number : {1, 2, 3, 4}) {
        if (number == 4 && !definition.eraser) continue;
        const std::string button = where + " button " + std::to_string(number);
        CDataGrouping& control = Child(tool, number);
        ExpectButton(control, button);
        if (number == 1 || number == 4)
          ExpectItems(control, Ids(91, 102, {48, 163}), button + " pressure");
      }
    } else {
      ASSERT_EQ(tool.GetSubGroupCount(kSubGroupMain), definition.buttons) << where;
      for (std::int32_t number = 1; number <= definition.buttons; ++number)
        ExpectButton(Child(tool, number), where + " button " + std::to_string(number));
      if (definition.roller) ExpectItems(Child(tool, 16), {103, 104}, where + " roller");
    }
    if (definition.wheel) {
      CDataGrouping& wheel = Child(tool, 32);
      ExpectItems(wheel, Ids(108, 117, {105, 106}), where + " wheel");
      ExpectItems(wheel, {kFixedFunction}, where + " wheel", kStatusNotFound);
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
      WalkTabletControls(tablet, definition, where);
      ASSERT_EQ(tablet.GetSubGroupCount(kSubGroupMain),
                static_cast<std::int32_t>(definition.tools.size() + 1));
      for (std::size_t n = 0; n < definition.tools.size(); ++n) {
        CDataGrouping& group = Child(tablet, static_cast<std::int32_t>(n + 1));
        WalkTool(group, definition.tools[n], where + " tool " + std::to_string(n));
      }
    }
    ++walked;
  }
  EXPECT_GE(walked, 7U);
  EXPECT_GT(m_itemsReached, 1800U);
}

}  // namespace
