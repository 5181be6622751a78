// Tool and tablet controls made by the applet's factory: the feel family a
// pen's type code picks, the pressure value's fixed path, what applying and
// resetting send, and which controls exist.
#include "functions/AppletModelFixture.h"

namespace {

using Curve = std::array<std::uint16_t, 6>;
using Words = std::array<std::uint32_t, 64>;

// Position 1 of each family, where all five choices differ: the curve's
// third control value with its full scale, and the click percentage.
struct StFamilyChoice {
  std::uint16_t type;
  std::uint32_t c, fullScale, percent;
  std::uint32_t doubleClickA;  // value A of the double-click slider's row 1
};
constexpr std::array<StFamilyChoice, 6> kChoices{{
    {42, 123, 511, 6, 4},   // QVN
    {45, 43, 255, 6, 1},    // XFW
    {53, 256, 1023, 2, 1},  // KRB
    {7, 87, 511, 6, 1},     // MJ
    {20, 87, 511, 6, 1},    // MJ
    {2, 87, 511, 2, 1},     // any other pen: the MJ curve, the KRB click
}};

class CToolControlsTest : public CAppletModelFixture {
 protected:
  // One tablet of 1023 levels with a pen of each family and a wireless
  // tablet's controls.
  void ConnectPens() {
    StProfile profile = MakeDefaultProfile();
    StTabletProfile& tablet = profile.tablets[0];
    tablet.tools.clear();
    for (const StFamilyChoice& choice : kChoices) {
      StToolProfile pen;
      pen.type = choice.type;
      pen.serial = 100U + choice.type;
      pen.eraser = true;
      tablet.tools.push_back(pen);
    }
    tablet.joystick = true;
    tablet.tabletButtons = 2;
    tablet.touchStrips = 1;
    ASSERT_EQ(Connect(profile), kStatusOk);
    ASSERT_EQ(Tablet(0).GetSubGroupCount(kSubGroupMain),
              static_cast<std::int32_t>(kChoices.size() + 1));
  }
};

TEST_F(CToolControlsTest, ThePensTypeCodePicksTheFeelFamily) {
  ConnectPens();
  for (std::size_t n = 0; n < kChoices.size(); ++n) {
    const StFamilyChoice& choice = kChoices[n];
    SCOPED_TRACE(choice.type);
    CDataGrouping& pen = Tool(0, static_cast<std::int32_t>(n + 1));
    ASSERT_EQ(SetValue(Child(pen, 1), 93, std::uint16_t{1}), kStatusOk);
    const auto tool = static_cast<std::uint32_t>(n);
    EXPECT_EQ((InService<Curve>({{2}, {4, tool}, {11, 1}, {109}})[3]),
              choice.c * 1023 / choice.fullScale);
    EXPECT_EQ(InService<std::uint16_t>({{2}, {4, tool}, {11, 1}, {43}}),
              1023 * choice.percent / 100);
    ASSERT_EQ(SetValue(pen, 84, std::int32_t{1}), kStatusOk);
    EXPECT_EQ(InService<std::uint32_t>({{2}, {4, tool}, {255}}), choice.doubleClickA);
  }
}

TEST_F(CToolControlsTest, PressureValuePathIsFixedByTheToolReportedAtFirstDemand) {
  ConnectPens();
  CDataGrouping& tip = Child(Tool(0, 1), 1);
  CDriverData* value = nullptr;
  ASSERT_EQ(tip.GetItem(96, value), kStatusOk);
  const CDataKey& key = value->GetKey();
  // The current tool's type word (a pen) and serial.
  EXPECT_EQ(key.GetLevel(1), (StObjectKey{1, 4, 0x4000 | 42}));
  EXPECT_EQ(key.GetLevel(2), (StObjectKey{1, 4, 142}));
  ASSERT_EQ(SetValue(tip, 96, std::uint16_t{7}), kStatusOk);

  // The driver now reports another tool; the item stays where it was.
  ASSERT_EQ(SetValue(Tablet(0), 34, std::uint16_t{2}), kStatusOk);
  EXPECT_EQ(Value<std::uint16_t>(Child(Tool(0, 1), 1), 96), 7);
  CDriverData* other = nullptr;
  ASSERT_EQ(Child(Tool(0, 1), 4).GetItem(96, other), kStatusOk);
  EXPECT_EQ(other->GetKey().GetLevel(1), (StObjectKey{1, 4, 0x4000 | 53}));
}

TEST_F(CToolControlsTest, ApplyingAnUntouchedControlSendsNothing) {
  ConnectPens();
  CDataGrouping& lower = Child(Tool(0, 1), 2);
  CDataGrouping& tip = Child(Tool(0, 1), 1);
  CDataGrouping& strip = Child(Child(Child(Child(Tablet(0), 0), 0), 2), 8);
  m_driver->ClearRequests();
  for (CDataGrouping* control : {&lower, &tip, &strip}) EXPECT_EQ(control->ApplyItems(), kStatusOk);
  EXPECT_TRUE(m_driver->GetRequests().empty());

  // A picked function waits for Apply, which sends it alone.
  ASSERT_EQ(SetValue(lower, 62, std::uint32_t{8}), kStatusOk);
  ASSERT_EQ(SetValue(lower, 70, std::uint32_t{0x5A7A0002}), kStatusOk);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0U);
  ASSERT_EQ(lower.ApplyItems(), kStatusOk);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 2U);
  EXPECT_EQ(InService<std::uint32_t>({{2}, {4}, {11, 2}, {41}}), 8U);
  EXPECT_EQ((InService<Words>({{2}, {4}, {11, 2}, {238}})[0]), 0x5A7A0002U)
      << "the keystroke words";
}

TEST_F(CToolControlsTest, ResetsReachWhatEachControlOwns) {
  ConnectPens();
  // A touch strip goes back to its factory function with its keystrokes.
  CDataGrouping& strip = Child(Child(Child(Child(Tablet(0), 0), 0), 2), 8);
  ASSERT_EQ(SetValue(strip, 187, std::uint32_t{8}), kStatusOk);
  ASSERT_EQ(SetValue(strip, 189, std::uint32_t{0x20000000}), kStatusOk);
  ASSERT_EQ(SetValue(strip, 194, std::uint16_t{1}), kStatusOk);
  ASSERT_EQ(strip.DefaultItems(), kStatusOk);
  EXPECT_EQ(InService<std::uint32_t>({{2}, {23, 0, 1}, {11, 8}, {41}}), 1U);
  EXPECT_EQ((InService<Words>({{2}, {23, 0, 1}, {11, 8}, {153}})[0]), 0U);
  EXPECT_EQ(InService<std::uint16_t>({{2}, {23, 0, 1}, {11, 8}, {104}}), 0);

  // A joystick whose switch was never asked for resets its speed only.
  CDataGrouping& joystick = Child(Tablet(0), 1, kSubGroupTabletControl);
  ASSERT_EQ(SetValue(joystick, 174, std::uint32_t{3}), kStatusOk);
  m_driver->ClearRequests();
  ASSERT_EQ(joystick.DefaultItems(), kStatusOk);
  EXPECT_EQ(InService<std::uint32_t>({{2}, {6}, {108}}), 1U);
  for (const StRecordedRequest& request : m_driver->GetRequests())
    EXPECT_EQ(request.levels.size(), 3U) << "nothing under the switch";

  // The tip's reset puts its feel back with its function.
  CDataGrouping& tip = Child(Tool(0, 3), 1);
  ASSERT_EQ(SetValue(tip, 93, std::uint16_t{6}), kStatusOk);
  ASSERT_EQ(SetValue(tip, 62, std::uint32_t{0}), kStatusOk);
  ASSERT_EQ(tip.ApplyItems(), kStatusOk);
  ASSERT_EQ(tip.DefaultItems(), kStatusOk);
  EXPECT_EQ(Value<std::uint16_t>(tip, 93), 3);
  EXPECT_EQ(InService<std::uint16_t>({{2}, {4, 2}, {11, 1}, {43}}), 40) << "KRB middle threshold";
  ASSERT_EQ(tip.ApplyItems(), kStatusOk);
  EXPECT_EQ(InService<std::uint32_t>({{2}, {4, 2}, {11, 1}, {41}}), 1U);
}

}  // namespace
