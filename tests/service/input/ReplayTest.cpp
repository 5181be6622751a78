// The four sample recordings replayed through the service's settings: each
// gives exactly the events the settings in force ask for; and the reader of
// those settings.

#include <gtest/gtest.h>

#include "service/input/CSettingsReader.h"
#include "service/input/InputTestSupport.h"

namespace input_test {
namespace {


std::string P(std::int32_t value) { return "pen EV_ABS ABS_PRESSURE " + std::to_string(value); }
const std::string kPenSyn = "pen EV_SYN SYN_REPORT 0";
const std::string kMouseSyn = "mouse EV_SYN SYN_REPORT 0";
const std::string kKeySyn = "keyboard EV_SYN SYN_REPORT 0";

Lines XY(int x, int y) { return {"pen EV_ABS ABS_X " + std::to_string(x), "pen EV_ABS ABS_Y " + std::to_string(y)}; }
Lines Cat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
// A mouse frame of one button change such as "BTN_LEFT 1".
Lines Mouse(const char* change) { return {std::string("mouse EV_KEY ") + change, kMouseSyn}; }
// One keyboard frame of key changes such as "Z 1".
Lines Keys(std::initializer_list<const char*> changes) {
  Lines lines;
  for (const char* change : changes) lines.push_back(std::string("keyboard EV_KEY KEY_") + change);
  lines.push_back(kKeySyn);
  return lines;
}

// The pen stroke moves 48 by 27 pixels a report from (480, 270) on the whole
// screen; its pressures are 30, 200, 400, 600, 600, 300, 20, 0.
Lines PenStrokeInPenMode(const std::array<double, 6>& curve, int threshold) {
  const std::array<int, 8> pressures{30, 200, 400, 600, 600, 300, 20, 0};
  Lines lines = Cat({{"pen EV_KEY BTN_TOOL_PEN 1"}, XY(480, 270),
                     {P(0), "pen EV_ABS ABS_TILT_X 10", "pen EV_ABS ABS_TILT_Y -5", kPenSyn}});
  bool contact = false;
  int shown = 0;
  for (std::size_t i = 0; i < pressures.size(); ++i) {
    lines = Cat({lines, XY(528 + 48 * static_cast<int>(i), 297 + 27 * static_cast<int>(i))});
    const bool now = pressures[i] > 0 && pressures[i] >= threshold;
    const int value = now ? CurveAt(curve, pressures[i]) : 0;
    if (value != shown) lines.push_back(P(value));
    shown = value;
    if (i == 3) lines.push_back("pen EV_ABS ABS_TILT_X 12");
    if (now != contact) lines.push_back(std::string("pen EV_KEY BTN_TOUCH ") + (now ? "1" : "0"));
    contact = now;
    lines.push_back(kPenSyn);
  }
  return Cat({lines, {"pen EV_KEY BTN_TOOL_PEN 0", kPenSyn}});
}

TEST(Replay, PenStrokeFollowsThresholdCurveAndMapping) {
  CHarness factory;  // feel of type 2: the middle curve, a 4 % threshold
  EXPECT_EQ(factory.Replay("pen-stroke"), PenStrokeInPenMode({0, 82, 512, 512, 1023, 1023}, 40));
  CHarness firm;  // a straight curve and a firm click
  firm.Set(Tool(0, {L(11, 1), L(109)}), Words({0, 512 | 512u << 16, 1023 | 1023u << 16}, 12));
  firm.Set(Tool(0, {L(11, 1), L(43)}), Bytes(300, 2));
  EXPECT_EQ(firm.Replay("pen-stroke"), PenStrokeInPenMode({0, 0, 512, 512, 1023, 1023}, 300));
}

TEST(Replay, PenStrokeOnAScreenAreaLandsInsideIt) {
  CHarness harness;
  harness.Set(PenMapping({L(21, 2), L(78)}), Words({100, 50, 0}, 12));
  harness.Set(PenMapping({L(21, 2), L(79)}), Words({960, 540, 0}, 12));
  // Half the tablet area: its left half maps onto the whole area.
  harness.Set(PenMapping({L(20, 2), L(61)}), Words({10160, 15240, 0}, 12));
  const Lines lines = harness.Replay("pen-stroke");
  ASSERT_GE(lines.size(), 3U);
  EXPECT_EQ(lines[1], "pen EV_ABS ABS_X 580");  // 100 + 5080 * 960 / 10160
  EXPECT_EQ(lines[2], "pen EV_ABS ABS_Y 185");  // 50 + 3810 * 540 / 15240
  // 5080 + 8 * 508 = 9144 tablet units: 100 + 864 = 964 pixels.
  EXPECT_EQ(Count(lines, "pen EV_ABS ABS_X 964"), 1U);
}

TEST(Replay, PenStrokeInMouseModeMovesByDistance) {
  // Mode 1 is what the applet's mouse button writes, 2 another non-zero mode.
  auto mouseMode = [](std::uint8_t mode, std::uint16_t acceleration) {
    auto harness = std::make_unique<CHarness>();
    harness->Set(PenMapping({L(21, 2), L(135)}), Bytes(mode, 1));
    harness->Set(PenMapping({L(21, 2), L(221)}), Bytes(acceleration, 2));
    return harness;
  };
  // No acceleration: the first report places the pen; every later one moves 48 by 27 pixels.
  Lines expected;
  for (std::size_t i = 0; i < 8; ++i) {
    expected.insert(expected.end(), {"mouse EV_REL REL_X 48", "mouse EV_REL REL_Y 27"});
    if (i == 1) expected.insert(expected.end(), {kMouseSyn, "mouse EV_KEY BTN_LEFT 1"});
    if (i == 6) expected.insert(expected.end(), {kMouseSyn, "mouse EV_KEY BTN_LEFT 0"});
    expected.push_back(kMouseSyn);
  }
  EXPECT_EQ(mouseMode(1, 3)->Replay("pen-stroke"), expected);

  const auto slower = mouseMode(2, 3);
  slower->Set(PenMapping({L(21, 2), L(191)}), Bytes(2, 2));  // half of speed 5's gain
  EXPECT_EQ(slower->Replay("pen-stroke").front(), "mouse EV_REL REL_X 24");
  // 635 units in 5 ms: 127 units/ms, three steps of acceleration: 48 times the cap of 4.
  EXPECT_EQ(mouseMode(2, 0)->Replay("pen-stroke").front(), "mouse EV_REL REL_X 192");
}

// The side switch goes down in the second report and up in the fourth; the
// pen hovers at (960, 540) and moves one pixel in the third.
Lines SideSwitch(const Lines& press, const Lines& release) {
  return Cat({{"pen EV_KEY BTN_TOOL_PEN 1"}, XY(960, 540), {P(0), "pen EV_ABS ABS_TILT_X 0", "pen EV_ABS ABS_TILT_Y 0", kPenSyn},
              press, {"pen EV_ABS ABS_X 961", kPenSyn}, release, {"pen EV_KEY BTN_TOOL_PEN 0", kPenSyn}});
}

TEST(Replay, SideSwitchDoesItsFunction) {
  struct StCase {
    const char* name;
    std::uint32_t function;
    std::uint16_t modifiers;
    std::vector<std::uint32_t> keys;
    Lines press;
    Lines release;
  };
  const Lines right = Cat({Mouse("BTN_RIGHT 1"), Mouse("BTN_RIGHT 0")});
  const std::vector<StCase> cases{
      {"factory right click", 3, 0, {}, Mouse("BTN_RIGHT 1"), Mouse("BTN_RIGHT 0")},
      {"keystroke Ctrl+Z, A", 8, 0, {Word(2, 0, 0x5A), Word(4, 'A', 0x41)},
       Cat({Keys({"LEFTCTRL 1", "Z 1"}), Keys({"Z 0", "LEFTCTRL 0"}),
            Keys({"LEFTSHIFT 1", "A 1"}), Keys({"A 0", "LEFTSHIFT 0"})}),
       {}},
      {"modifier Ctrl+Shift with a click", 9, 2 | 4 | 32, {},
       Cat({Keys({"LEFTCTRL 1", "LEFTSHIFT 1"}), Mouse("BTN_LEFT 1")}),
       Cat({Mouse("BTN_LEFT 0"), Keys({"LEFTSHIFT 0", "LEFTCTRL 0"})})},
      {"right double click", 6, 0, {}, Cat({right, right}), {}},
      {"disabled", 0, 0, {}, {}, {}},
  };
  for (const StCase& entry : cases) {
    CHarness harness;
    harness.Set(Tool(0, {L(11, 2), L(41)}), Bytes(entry.function, 4));
    harness.Set(Tool(0, {L(11, 2), L(104)}), Bytes(entry.modifiers, 2));
    harness.Set(Tool(0, {L(11, 2), L(238)}), Words(entry.keys, 256));
    EXPECT_EQ(harness.Replay("side-switch"), SideSwitch(entry.press, entry.release)) << entry.name;
  }
}

TEST(Replay, SideSwitchClickLockHoldsUntilTheNextPress) {
  CHarness harness;
  harness.Set(Tool(0, {L(11, 2), L(41)}), Bytes(7, 4));
  // Locked by the press, kept through the release; the service lets go when it stops.
  EXPECT_EQ(harness.Replay("side-switch"),
            Cat({SideSwitch(Mouse("BTN_LEFT 1"), {}), Mouse("BTN_LEFT 0")}));
}

// The eraser end touches at (1440, 810) and moves 48 pixels left a report
// with pressures 500, 700, 100, 0.
TEST(Replay, EraserStrokeFollowsTheEraserSwitch) {
  const std::array<double, 6> factory{0, 82, 512, 512, 1023, 1023};
  CHarness inUse;  // erasing with its own feel
  inUse.Set(Tool(0, {L(11, 4), L(43)}), Bytes(600, 2));
  EXPECT_EQ(inUse.Replay("eraser-stroke"),
            Cat({{"pen EV_KEY BTN_TOOL_RUBBER 1"}, XY(1440, 810),
                 {P(0), "pen EV_ABS ABS_TILT_X 0", "pen EV_ABS ABS_TILT_Y 0", kPenSyn},
                 {"pen EV_ABS ABS_X 1392", kPenSyn, "pen EV_ABS ABS_X 1344"},
                 {P(CurveAt(factory, 700)), "pen EV_KEY BTN_TOUCH 1", kPenSyn, "pen EV_ABS ABS_X 1296", P(0)},
                 {"pen EV_KEY BTN_TOUCH 0", kPenSyn, "pen EV_ABS ABS_X 1248", kPenSyn},
                 {"pen EV_KEY BTN_TOOL_RUBBER 0", kPenSyn}}));

  CHarness off;  // switched off: the eraser end is a second tip, with the tip's feel
  off.Set(Tool(0, {L(205)}), Bytes(2, 2));
  off.Set(Tool(0, {L(11, 4), L(43)}), Bytes(600, 2));
  const Lines tip = off.Replay("eraser-stroke");
  EXPECT_EQ(tip.front(), "pen EV_KEY BTN_TOOL_PEN 1");
  EXPECT_EQ(Count(tip, P(CurveAt(factory, 500))), 1U);

  CHarness keystroke;  // a touch with a function other than a click does that, without ink
  keystroke.Set(Tool(0, {L(11, 4), L(41)}), Bytes(16, 4));
  keystroke.Set(Tool(0, {L(11, 4), L(238)}), Words({Word(0, 0, 225)}, 256));
  const Lines deleting = keystroke.Replay("eraser-stroke");
  EXPECT_EQ(deleting.front(), "pen EV_KEY BTN_TOOL_PEN 1");
  EXPECT_EQ(Count(deleting, "keyboard EV_KEY KEY_DELETE 1"), 1U);
  EXPECT_EQ(Count(deleting, "pen EV_KEY BTN_TOUCH 1"), 0U);
}

// The puck sits at (192, 108); its wheel turns +1, +1, -1, -1, -1.
TEST(Replay, PuckWheelScrollsAsItsFunctionSays) {
  const Lines in = Cat({{"pen EV_KEY BTN_TOOL_MOUSE 1"}, XY(192, 108), {kPenSyn}});
  const Lines out{"pen EV_KEY BTN_TOOL_MOUSE 0", kPenSyn};
  auto fine = [](int hiRes, int notches) {
    Lines lines{"mouse EV_REL REL_WHEEL_HI_RES " + std::to_string(hiRes)};
    if (notches != 0) lines.push_back("mouse EV_REL REL_WHEEL " + std::to_string(notches));
    lines.push_back(kMouseSyn);
    return lines;
  };
  const Lines up = Cat({Keys({"PAGEUP 1"}), Keys({"PAGEUP 0"})});
  const Lines down = Cat({Keys({"PAGEDOWN 1"}), Keys({"PAGEDOWN 0"})});
  struct StCase {
    const char* name;
    std::uint32_t function;
    std::uint16_t lines;
    Lines expected;
  };
  const std::vector<StCase> cases{
      {"three lines a step", 0, 3,
       Cat({in, fine(120, 1), fine(120, 1), fine(-120, -1), fine(-120, -1), fine(-120, -1), out})},
      {"two lines a step: what is left of a notch carries over", 0, 2,
       Cat({in, fine(80, 0), fine(80, 1), fine(-80, 0), fine(-80, -1), fine(-80, 0), out})},
      {"pages", 1, 3, Cat({in, up, up, down, down, down, out})},
      {"off", 3, 3, Cat({in, out})},
  };
  for (const StCase& entry : cases) {
    CHarness harness;
    harness.Set(Tool(1, {L(11, 32), L(41)}), Bytes(entry.function, 4));
    harness.Set(Tool(1, {L(11, 32), L(108)}), Bytes(entry.lines, 2));
    EXPECT_EQ(harness.Replay("puck-wheel"), entry.expected) << entry.name;
  }
  CHarness keys;  // keystrokes: '+' away from the user, '-' towards
  keys.Set(Tool(1, {L(11, 32), L(41)}), Bytes(2, 4));
  keys.Set(Tool(1, {L(11, 32), L(153, 0)}), Words({Word(4, '+', 0xBB)}, 256));
  keys.Set(Tool(1, {L(11, 32), L(153, 1)}), Words({Word(0, '-', 0xBD)}, 256));
  const Lines lines = keys.Replay("puck-wheel");
  EXPECT_EQ(Count(lines, "keyboard EV_KEY KEY_EQUAL 1"), 2U);
  EXPECT_EQ(Count(lines, "keyboard EV_KEY KEY_LEFTSHIFT 1"), 2U);
  EXPECT_EQ(Count(lines, "keyboard EV_KEY KEY_MINUS 1"), 3U);
}

TEST(Replay, ReadsTheSettingsAgainEachTimeAToolComesNear) {
  const CEventRecording recording = Recording("side-switch");
  CRecordingSink sink;
  CFakeLauncher launcher;
  CInputPipeline pipeline(sink, launcher);
  std::uint32_t function = 3;
  int reads = 0;
  CReplay replay(pipeline, [&](ToolKind kind, std::uint32_t serial, StToolSettings& out) {
    ++reads;
    EXPECT_EQ(kind, ToolKind::kPen);
    EXPECT_EQ(serial, kPenSerial);
    out.buttons[2].code = function;
    out.tabletArea = {0, 0, 20320, 15240};
    out.screenArea = {0, 0, 1920, 1080};
    return true;
  });
  for (const StInputEvent& event : recording.m_events) replay.Feed(event, recording.m_device);
  function = 2;  // changed while the pen is away
  for (const StInputEvent& event : recording.m_events) replay.Feed(event, recording.m_device);
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(Count(sink.Lines(), "mouse EV_KEY BTN_RIGHT 1"), 1U);
  EXPECT_EQ(Count(sink.Lines(), "mouse EV_KEY BTN_MIDDLE 1"), 1U);
}

// What the replays of the sample recordings do not show: the double-click
// assist, the application path, the tablet area's origin, and that a
// tool's mapping context is its own.
TEST(CSettingsReader, ReadsWhatTheAppletWrites) {
  CHarness harness;
  harness.Set(Tool(0, {L(255)}), Bytes(9, 4));
  harness.Set(Tool(0, {L(113)}), Bytes(625, 4));
  harness.Set(Tool(0, {L(170)}), Bytes(0, 1));
  harness.Set(PenMapping({L(21, 2), L(135)}), Bytes(2, 1));
  harness.Set(PenMapping({L(20, 2), L(60)}), Words({1000, 2000, 0}, 12));
  std::vector<std::uint8_t> path{'/', 'x'};
  path.resize(256);
  harness.Set(Tool(0, {L(11, 2), L(240)}), path);
  StToolSettings settings;
  ASSERT_EQ(CSettingsReader(harness.m_service.Model()).Read(0, 0, settings), kStatusOk);
  EXPECT_EQ(settings.buttons[2].application, "/x");
  EXPECT_EQ(settings.doubleClickDistance, 9U);
  EXPECT_EQ(settings.doubleClickTimeMs, 625U);
  EXPECT_FALSE(settings.doubleClickAssist);
  EXPECT_EQ(settings.tabletArea.x, 1000);
  EXPECT_EQ(settings.tabletArea.y, 2000);
  StToolSettings puck;
  ASSERT_EQ(CSettingsReader(harness.m_service.Model()).Read(0, 1, puck), kStatusOk);
  EXPECT_FALSE(puck.mouseMode);
  EXPECT_EQ(puck.tabletArea.x, 0);
}

TEST(CSettingsReader, FindsTheToolByKindAndSerial) {
  CHarness harness;
  const CSettingsReader reader(harness.m_service.Model());
  EXPECT_EQ(reader.FindTool(0, ToolKind::kPen, 0x1234), 0U);
  EXPECT_EQ(reader.FindTool(0, ToolKind::kEraser, 0), 0U);
  EXPECT_EQ(reader.FindTool(0, ToolKind::kPuck, 0x5678), 1U);
  EXPECT_EQ(reader.FindTool(0, ToolKind::kPuck, 99), 1U);  // an unknown serial: the first of its kind
  EXPECT_FALSE(reader.FindTool(0, ToolKind::kNone, 0).has_value());
  EXPECT_FALSE(reader.FindTool(3, ToolKind::kPen, 0).has_value());
  // A second pen is found by its serial; a tool taken out of use is not found.
  std::vector<std::uint8_t> tool{2, 0, 0x99, 0, 0, 0};
  ASSERT_EQ(service_test::Request(harness.m_service, kCommandCreate, {L(2, 0), L(4)}, tool), kStatusOk);
  EXPECT_EQ(reader.FindTool(0, ToolKind::kPen, 0x99), 2U);
  harness.Set(Tool(0, {L(172)}), Bytes(0, 1));
  EXPECT_EQ(reader.FindTool(0, ToolKind::kPen, 0x1234), 2U);
}

}  // namespace
}  // namespace input_test
