// The pipeline, and the keystroke keys and pressure curve it plays through.

#include "service/input/CInputPipeline.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "service/input/CKeystrokeKeys.h"
#include "service/input/CPressureCurve.h"
#include "service/input/InputTestSupport.h"

namespace input_test {
namespace {


// A pen on a tablet of 1920 x 1080 units laid onto the whole screen, so
// that a tablet unit is a pixel; a straight curve and a threshold of 10.
StToolSettings Settings() {
  StToolSettings settings;
  settings.pressureLevels = 1023;
  settings.tip = {10, {0, 0, 512, 512, 1023, 1023}};
  settings.buttons[1].code = 1;
  settings.tabletArea = {0, 0, 1920, 1080};
  settings.screenArea = {0, 0, 1920, 1080};
  settings.doubleClickAssist = true;
  settings.doubleClickDistance = 4;
  settings.doubleClickTimeMs = 500;
  return settings;
}

StDeviceDescription Device(std::int32_t maxPressure = 1023) {
  StDeviceDescription device;
  device.axes = {{ABS_X, 0, 1919, 0}, {ABS_Y, 0, 1079, 0}, {ABS_PRESSURE, 0, maxPressure, 0}};
  return device;
}

StInputReport Pen(std::int64_t ms, std::int32_t x, std::int32_t y, std::int32_t pressure,
                  std::uint32_t buttons = 0) {
  return {.timeUs = ms * 1000, .tool = ToolKind::kPen, .proximity = true, .x = x, .y = y,
          .pressure = pressure, .buttons = buttons};
}

class CPipelineTest : public ::testing::Test {
 protected:
  CPipelineTest() : m_pipeline(m_sink, m_launcher) {}
  Lines Run(const StToolSettings& settings, const std::vector<StInputReport>& reports,
            const StDeviceDescription& device = Device()) {
    m_pipeline.Configure(settings, device);
    m_sink.Clear();
    for (const StInputReport& report : reports) m_pipeline.Process(report);
    return m_sink.Lines();
  }
  CRecordingSink m_sink;
  CFakeLauncher m_launcher;
  CInputPipeline m_pipeline;
};

TEST_F(CPipelineTest, SecondTapNearAndSoonLandsOnTheFirst) {
  struct StCase {
    const char* name;
    std::int64_t secondMs;
    std::int32_t secondX;
    bool assist;
    bool snapped;
  };
  const std::vector<StCase> cases{
      {"at the distance", 300, 104, true, true},
      {"too far", 300, 105, true, false},
      {"too late", 600, 101, true, false},
      {"assist off", 300, 101, false, false},
  };
  for (const StCase& entry : cases) {
    StToolSettings settings = Settings();
    settings.doubleClickAssist = entry.assist;
    const Lines lines = Run(settings, {Pen(0, 100, 50, 0), Pen(10, 100, 50, 500), Pen(20, 100, 50, 0),
                                       Pen(entry.secondMs - 10, entry.secondX, 50, 0),
                                       Pen(entry.secondMs, entry.secondX, 50, 500)});
    // The frame of the second touch: where the pointer is when it goes down.
    const auto touch = std::find(lines.rbegin(), lines.rend(), "pen EV_KEY BTN_TOUCH 1");
    ASSERT_NE(touch, lines.rend());
    const auto x = std::find_if(touch, lines.rend(), [](const std::string& l) { return l.starts_with("pen EV_ABS ABS_X"); });
    ASSERT_NE(x, lines.rend());
    EXPECT_EQ(*x, entry.snapped ? "pen EV_ABS ABS_X 100" : "pen EV_ABS ABS_X " + std::to_string(entry.secondX))
        << entry.name;
    m_pipeline.Release();
  }
  // A snapped touch that moves beyond the distance follows the pen again.
  const Lines lines = Run(Settings(), {Pen(0, 100, 50, 500), Pen(10, 100, 50, 0), Pen(20, 102, 50, 500),
                                       Pen(30, 103, 50, 500), Pen(40, 110, 50, 500)});
  EXPECT_EQ(Count(lines, "pen EV_ABS ABS_X 102"), 0U);
  EXPECT_EQ(Count(lines, "pen EV_ABS ABS_X 103"), 0U);
  EXPECT_EQ(lines[lines.size() - 2], "pen EV_ABS ABS_X 110");
}

TEST_F(CPipelineTest, LeavingLetsGoOfWhatIsHeld) {
  StToolSettings settings = Settings();
  settings.buttons[2] = {9, 4, {}, {}};  // Shift while held
  // Shift goes down after the pen's first frame; leaving lets go of the touch and of Shift.
  const Lines lines = Run(settings, {Pen(0, 10, 10, 600, ButtonBit(2)), StInputReport{}});
  const auto held = std::find(lines.begin(), lines.end(), "keyboard EV_KEY KEY_LEFTSHIFT 1");
  EXPECT_EQ(Lines(held, lines.end()),
            (Lines{"keyboard EV_KEY KEY_LEFTSHIFT 1", "keyboard EV_SYN SYN_REPORT 0",
                   "pen EV_KEY BTN_TOUCH 0", "keyboard EV_KEY KEY_LEFTSHIFT 0",
                   "keyboard EV_SYN SYN_REPORT 0", "pen EV_ABS ABS_PRESSURE 0",
                   "pen EV_KEY BTN_TOOL_PEN 0", "pen EV_SYN SYN_REPORT 0"}));
  // New settings while touching lift the pen first.
  Run(settings, {Pen(0, 10, 10, 600)});
  m_pipeline.Configure(settings, Device());
  EXPECT_EQ(m_sink.Lines().back(), "pen EV_SYN SYN_REPORT 0");
  EXPECT_EQ(Count(m_sink.Lines(), "pen EV_KEY BTN_TOUCH 0"), 1U);
}

TEST_F(CPipelineTest, PressureOfAnotherRangeIsScaledToTheTabletsLevels) {
  // A device with 2047 levels on a tablet of 1023: the threshold of 10 is
  // 21 of the device's (20 is 9.995 levels), and the straight curve halves what it reads.
  const Lines lines = Run(Settings(), {Pen(0, 0, 0, 20), Pen(5, 0, 0, 21), Pen(10, 0, 0, 2047)}, Device(2047));
  EXPECT_EQ(Count(lines, "pen EV_KEY BTN_TOUCH 1"), 1U);
  EXPECT_EQ(lines[lines.size() - 5], "pen EV_ABS ABS_PRESSURE 10");
  EXPECT_EQ(lines[lines.size() - 2], "pen EV_ABS ABS_PRESSURE 1023");
}

TEST_F(CPipelineTest, ModeToggleTakesEffectWhenThePenComesBack) {
  StToolSettings settings = Settings();
  settings.buttons[3].code = 11;
  const Lines lines = Run(settings, {Pen(0, 100, 100, 0), Pen(5, 100, 100, 0, ButtonBit(3)), Pen(10, 120, 100, 0),
                                     StInputReport{}, Pen(20, 300, 300, 0), Pen(25, 310, 300, 0)});
  EXPECT_EQ(lines[lines.size() - 2], "mouse EV_REL REL_X 10");
  EXPECT_EQ(Count(lines, "pen EV_ABS ABS_X 300"), 0U);
  EXPECT_EQ(Count(lines, "pen EV_ABS ABS_X 120"), 1U);
}

TEST_F(CPipelineTest, RunApplicationStartsOncePerPress) {
  StToolSettings settings = Settings();
  settings.buttons[2] = {23, 0, {}, "/usr/bin/app"};
  Run(settings, {Pen(0, 1, 1, 0, ButtonBit(2)), Pen(5, 2, 1, 0, ButtonBit(2)), Pen(10, 2, 1, 0),
                 Pen(15, 2, 1, 0, ButtonBit(2))});
  EXPECT_EQ(m_launcher.m_started, (std::vector<std::string>{"/usr/bin/app", "/usr/bin/app"}));
}

TEST_F(CPipelineTest, ReportsBeyondAnyRangeStayOnTheScreenAndTurnTheWheelAFewSteps) {
  StToolSettings settings = Settings();
  settings.wheel.code = 1;  // pages
  StInputReport far = Pen(0, INT32_MIN, INT32_MAX, INT32_MAX);
  far.tool = ToolKind::kPuck;
  far.wheel = INT32_MAX;
  const Lines lines = Run(settings, {far});
  EXPECT_EQ(Count(lines, "pen EV_ABS ABS_X 0"), 1U);
  EXPECT_EQ(Count(lines, "pen EV_ABS ABS_Y 1079"), 1U);
  EXPECT_EQ(Count(lines, "keyboard EV_KEY KEY_PAGEUP 1"), static_cast<std::size_t>(CInputPipeline::kMaxWheelSteps));
  settings.mouseMode = true;
  const Lines moved = Run(settings, {Pen(0, INT32_MIN, 0, 0), Pen(1, INT32_MAX, 0, 0)});
  ASSERT_FALSE(moved.empty());
  EXPECT_EQ(moved.front(), "mouse EV_REL REL_X 1048576");
}

TEST(CKeystrokeKeys, TurnsWordsIntoKeysWithTheirModifiers) {
  struct StCase {
    std::uint32_t word;
    StKeyPress press;
  };
  const std::vector<StCase> cases{
      {Word(0, 'a', 0x41), {KEY_A}},
      {Word(4, 'A', 0x41), {KEY_A, false, false, true}},
      {Word(0, 'A', 0x41), {KEY_A, false, false, true}},        // a capital needs Shift anyway
      {Word(4, '!', 0x31), {KEY_1, false, false, true}},
      {Word(0, '{', 0xDB), {KEY_LEFTBRACE, false, false, true}},
      {Word(0, ';', ';'), {KEY_SEMICOLON}},
      {Word(2, 0x03, 0x43), {KEY_C, true}},                      // Ctrl+C as a control character
      {Word(2, 0, 0x5A), {KEY_Z, true}},
      {Word(1, 0, 0x09), {KEY_TAB, false, true}},                // {Alt}{Tab}
      {Word(5, 0, 0x09), {KEY_TAB, false, true, true}},          // {Alt}{Shift}{Tab}
      {Word(0, 0, 0x2C), {KEY_SYSRQ}},                           // {Print Screen}: a named key code
      {Word(2, 0, 235), {KEY_F1, true}},                         // {Ctrl}{F1}, dedicated code
      {Word(0, 0, 0x70), {KEY_F1}},
      {Word(0, 0, 0x7B), {KEY_F12}},
  };
  for (const StCase& entry : cases) {
    const std::optional<StKeyPress> press = CKeystrokeKeys::FromWord(entry.word);
    ASSERT_TRUE(press.has_value()) << std::hex << entry.word;
    EXPECT_EQ(*press, entry.press) << std::hex << entry.word;
  }
  EXPECT_FALSE(CKeystrokeKeys::FromWord(Word(2, 0, 0)).has_value());
  EXPECT_FALSE(CKeystrokeKeys::FromWord(Word(0, 0, 0xFF)).has_value());
}

TEST(CPressureCurve, FollowsTheCurveOfTheFeel) {
  // The feel slider's softest, middle and firmest curves for 1023 levels, a
  // soft one for 2047 levels, and one with a firm start and a lowered top.
  const std::vector<std::pair<std::array<std::uint16_t, 6>, std::uint32_t>> curves{
      {{0, 10, 1023, 133, 1023, 1023}, 1023},
      {{0, 41, 512, 512, 1023, 1023}, 1023},
      {{0, 153, 133, 1023, 1023, 1023}, 1023},
      {{0, 164, 1024, 164, 2047, 2047}, 2047},
      {{100, 300, 500, 500, 900, 1000}, 1023},
  };
  for (const auto& [words, levels] : curves) {
    CPressureCurve curve;
    curve.Set(words, levels);
    std::array<double, 6> w{};
    std::copy(words.begin(), words.end(), w.begin());
    std::uint32_t previous = 0;
    for (std::uint32_t in = 0; in <= levels; ++in) {
      const std::uint32_t out = curve.Apply(in);
      ASSERT_EQ(static_cast<std::int32_t>(out), CurveAt(w, in)) << "input " << in << " of curve w1=" << words[1];
      ASSERT_GE(out + 1, previous) << "the curve falls back at " << in;
      previous = out;
    }
    EXPECT_EQ(curve.Apply(levels + 500), curve.Apply(levels)) << "beyond the scale stays at its top";
  }
}

TEST(CPressureCurve, WordsOutsideTheScaleStayInsideIt) {
  CPressureCurve curve;
  // A control point left of the start and words above the levels.
  curve.Set({0, 500, 60000, 100, 60000, 60000}, 1023);
  for (std::uint32_t in = 0; in <= 1023; ++in) ASSERT_LE(curve.Apply(in), 1023U);
  EXPECT_EQ(curve.Apply(499), 0U);
  EXPECT_EQ(curve.Apply(1023), 1023U);
}

}  // namespace
}  // namespace input_test
