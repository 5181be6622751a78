#include "service/input/CEventRecording.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <array>

#include "service/input/CReportAssembler.h"
#include "service/input/InputTestSupport.h"

namespace {

TEST(CEventRecording, ReadsNamesNumbersAndTimesAndWritesThemBack) {
  CEventRecording recording;
  std::string error;
  ASSERT_EQ(recording.Read("# made by hand\nkelvo-events 1\nname  Two  words \nid 3 0x0ab1 66\n"
                           "abs ABS_PRESSURE 0 2047 0\nkey BTN_TOOL_PEN 331\nevents\n"
                           "12.000250 EV_ABS ABS_PRESSURE 17\n12.000250 3 0x18 18\r\n13.100000 EV_KEY 999 -1\n",
                           error),
            kStatusOk)
      << error;
  EXPECT_EQ(recording.m_device.name, "Two  words ");
  EXPECT_EQ(recording.m_device.vendor, 0x0ab1);
  EXPECT_EQ(recording.m_device.product, 66);
  EXPECT_EQ(recording.m_device.Axis(ABS_PRESSURE)->maximum, 2047);
  EXPECT_EQ(recording.m_device.keys, (std::vector<std::uint16_t>{BTN_TOOL_PEN, BTN_STYLUS}));
  EXPECT_EQ(recording.m_events, (std::vector<StInputEvent>{{12'000'250, EV_ABS, ABS_PRESSURE, 17},
                                                           {12'000'250, EV_ABS, ABS_PRESSURE, 18},
                                                           {13'100'000, EV_KEY, 999, -1}}));
  EXPECT_EQ(CEventRecording::EventLine(recording.m_events[2]), "13.100000 EV_KEY 999 -1");
  CEventRecording again;
  ASSERT_EQ(again.Read(recording.Write(), error), kStatusOk) << error;
  EXPECT_EQ(again.m_events, recording.m_events);
  EXPECT_EQ(again.Write(), recording.Write());
}

TEST(CEventRecording, RefusesWhatIsNotARecordingAndSaysWhere) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"", "line 0"},
      {"kelvo-events 2\n", "line 1"},
      {"kelvo-events 1\nevents\n1.5 EV_KEY BTN_LEFT 1\n", "line 3"},
      {"kelvo-events 1\nevents\n1.000000 EV_KEY BTN_LEFT\n", "line 3"},
      {"kelvo-events 1\nevents\n1.000000 EV_NOPE BTN_LEFT 1\n", "line 3"},
      {"kelvo-events 1\nevents\n1.000000 EV_KEY BTN_NOPE 1\n", "line 3"},
      {"kelvo-events 1\nevents\n1.000000 EV_KEY BTN_LEFT one\n", "line 3"},
      {"kelvo-events 1\nevents\n2.000000 EV_KEY BTN_LEFT 1\n1.000000 EV_KEY BTN_LEFT 0\n", "line 4"},
      {"kelvo-events 1\nabs ABS_X 10 0 0\n", "line 2"},
      {"kelvo-events 1\nid 3 x 1\n", "line 2"},
      {"kelvo-events 1\nsize 3\n", "line 2"},
  };
  for (const auto& [text, where] : cases) {
    CEventRecording recording;
    recording.m_events.push_back({});
    std::string error;
    EXPECT_NE(recording.Read(text, error), kStatusOk) << text;
    EXPECT_TRUE(error.starts_with(where + ":")) << text << " -> " << error;
    EXPECT_TRUE(recording.m_events.empty());
  }
}

TEST(CReportAssembler, MakesOneReportPerFrameAndSkipsDroppedOnes) {
  CReportAssembler assembler;
  // Feeds (type, code, value) events; true when the last one closed a report.
  auto feed = [&](std::initializer_list<std::array<std::int32_t, 3>> events) {
    bool closed = false;
    for (const auto& [type, code, value] : events)
      closed = assembler.Feed({7, static_cast<std::uint16_t>(type), static_cast<std::uint16_t>(code), value});
    return closed;
  };
  ASSERT_TRUE(feed({{EV_KEY, BTN_TOOL_RUBBER, 1}, {EV_ABS, ABS_X, 10}, {EV_KEY, BTN_STYLUS2, 1},
                    {EV_REL, REL_WHEEL, -1}, {EV_REL, REL_WHEEL, -1}, {EV_SYN, SYN_REPORT, 0}}));
  EXPECT_EQ(assembler.Report().tool, ToolKind::kEraser);
  EXPECT_EQ(assembler.Report().buttons, ButtonBit(3));
  EXPECT_EQ(assembler.Report().wheel, -2);
  // Wheel steps belong to their report only.
  EXPECT_TRUE(feed({{EV_SYN, SYN_REPORT, 0}}));
  EXPECT_EQ(assembler.Report().wheel, 0);
  // Events the kernel dropped leave a frame that is not taken for a report.
  EXPECT_FALSE(feed({{EV_SYN, SYN_DROPPED, 0}, {EV_ABS, ABS_X, 99}, {EV_SYN, SYN_REPORT, 0}}));
  EXPECT_TRUE(feed({{EV_ABS, ABS_Y, 5}, {EV_SYN, SYN_REPORT, 0}}));
  EXPECT_EQ(assembler.Report().x, 10);
  EXPECT_EQ(assembler.Report().y, 5);
  // Leaving lets go of the buttons; another tool's leaving does not end this one.
  EXPECT_TRUE(feed({{EV_KEY, BTN_TOOL_PEN, 0}, {EV_SYN, SYN_REPORT, 0}}));
  EXPECT_TRUE(assembler.Report().proximity);
  EXPECT_TRUE(feed({{EV_KEY, BTN_TOOL_RUBBER, 0}, {EV_SYN, SYN_REPORT, 0}}));
  EXPECT_FALSE(assembler.Report().proximity);
  EXPECT_EQ(assembler.Report().buttons, 0U);
}

}  // namespace
