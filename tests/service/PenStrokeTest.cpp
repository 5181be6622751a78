#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "service/CPenPlayer.h"
#include "service/CPenRecord.h"
#include "service/CPenStroke.h"

namespace {

namespace fs = std::filesystem;

bool Parse(const std::string& text, StPenStroke& stroke, std::string& error) {
  std::istringstream in(text);
  return CPenStroke::Parse(in, "s", stroke, error);
}

TEST(PenStrokeTest, LeftOutColumnsKeepTheReportBeforesValues) {
  StPenStroke stroke;
  std::string error;
  ASSERT_TRUE(Parse("# a comment\nrate 133\ntool 2\n\n10 20 30 -5 6 0x3 -2 90  # trailing\n11 21 31\naway\n12 22 0\n",
                    stroke, error))
      << error;
  EXPECT_EQ(stroke.rate, 133u);
  EXPECT_EQ(stroke.tool, 2u);
  ASSERT_EQ(stroke.reports.size(), 4u);
  const StPenReport full{true, 10, 20, 30, -5, 6, 0x3, -2, 90};
  EXPECT_EQ(stroke.reports[0], full);
  StPenReport carried = full;
  carried.x = 11;
  carried.y = 21;
  carried.pressure = 31;
  EXPECT_EQ(stroke.reports[1], carried);
  carried.inProximity = false;
  EXPECT_EQ(stroke.reports[2], carried);
  // Back near after "away": in proximity again.
  EXPECT_TRUE(stroke.reports[3].inProximity);
  EXPECT_EQ(stroke.reports[3].tiltX, -5);

  // Written out and read back, the stroke is the same.
  StPenStroke again;
  ASSERT_TRUE(Parse(CPenStroke::Format(stroke), again, error)) << error;
  EXPECT_EQ(again.rate, stroke.rate);
  EXPECT_EQ(again.tool, stroke.tool);
  EXPECT_EQ(again.reports, stroke.reports);

  // Without a rate line, the default rate.
  ASSERT_TRUE(Parse("1 2 3\n", stroke, error));
  EXPECT_EQ(stroke.rate, CPenStroke::kDefaultRate);
  EXPECT_FALSE(stroke.tool.has_value());
}

TEST(PenStrokeTest, TextsThatAreNoStrokeSayWhereAndWhy) {
  struct {
    const char* text;
    const char* error;
  } const rows[] = {
      {"", "s:0: no reports"},
      {"1 2\n", "s:1: a report is"},
      {"1 2 3 4 5 6 7 8 9\n", "s:1: a report is"},
      {"1 2 x\n", "s:1: bad pressure \"x\""},
      {"1 2 65536\n", "s:1: pressure 65536 is out of range"},
      {"-1 2 3\n", "s:1: x -1 is out of range"},
      {"1 2 3 -32769 0\n", "s:1: tilt x -32769 is out of range"},
      {"rate 0\n1 2 3\n", "s:1: rate is 1 to 1000"},
      {"rate 1001\n1 2 3\n", "s:1: rate is 1 to 1000"},
      {"rate 100\nrate 100\n1 2 3\n", "s:2: rate is 1 to 1000"},
      {"1 2 3\nrate 100\n", "s:2: rate after the first report"},
      {"tool 1\ntool 2\n1 2 3\n", "s:2: tool is a tool number"},
      {"tool\n1 2 3\n", "s:1: tool takes one number"},
      {"away now\n", "s:1: away takes nothing"},
  };
  for (const auto& row : rows) {
    StPenStroke stroke;
    std::string error;
    EXPECT_FALSE(Parse(row.text, stroke, error)) << row.text;
    EXPECT_EQ(error.rfind(row.error, 0), 0u) << row.text << " gave " << error;
  }
}

TEST(PenStrokeTest, TheSampleStrokesAreStrokes) {
  for (const char* name : {"signature.stroke", "tap-and-hover.stroke"}) {
    StPenStroke stroke;
    std::string error;
    ASSERT_TRUE(CPenStroke::ReadFile(fs::path(KELVO_SOURCE_DIR) / "service/strokes" / name, stroke, error)) << error;
    EXPECT_GT(stroke.reports.size(), 100u) << name;
    EXPECT_FALSE(stroke.reports.back().inProximity) << name;
  }
  StPenStroke stroke;
  std::string error;
  EXPECT_FALSE(CPenStroke::ReadFile("/nonexistent/x.stroke", stroke, error));
  EXPECT_NE(error.find("cannot be read"), std::string::npos);
}

TEST(PenStrokeTest, TheDemoStaysOnTheTabletAndWithinItsPressure) {
  const StPenStroke demo = CPenStroke::Demo(20000, 15000, 1023);
  ASSERT_GT(demo.reports.size(), 600u);
  EXPECT_EQ(demo.rate, CPenStroke::kDefaultRate);
  std::uint16_t most = 0;
  bool switched = false;
  for (std::size_t i = 0; i + 1 < demo.reports.size(); ++i) {
    const StPenReport& report = demo.reports[i];
    EXPECT_TRUE(report.inProximity) << i;
    EXPECT_LT(report.x, 20000u) << i;
    EXPECT_LT(report.y, 15000u) << i;
    EXPECT_LE(report.pressure, 1023) << i;
    most = std::max(most, report.pressure);
    switched = switched || report.switches != 0;
  }
  EXPECT_GT(most, 900);
  EXPECT_TRUE(switched);
  EXPECT_FALSE(demo.reports.back().inProximity);
  EXPECT_EQ(demo.reports.front().pressure, 0);  // it hovers in first
}

TEST(PenStrokeTest, ARecordCarriesEveryFieldBothWays) {
  const StPenReport report{true, 70000, 123456, 1023, -60, 45, 0x5, -3, 359};
  const ToolRecordBytes record = CPenRecord::Encode(report, 0x4802, 0xDEADBEEF);
  EXPECT_EQ(CPenRecord::Decode(record), report);
  EXPECT_EQ(CPenRecord::Type(record), 0x4802);
  EXPECT_EQ(CPenRecord::Serial(record), 0xDEADBEEFu);
  EXPECT_EQ(CPenRecord::Describe(record),
            "pen type 2050 serial 0xDEADBEEF in x 70000 y 123456 pressure 1023 tilt -60 45 switches 0x5 wheel -3 "
            "rotation 359");
}

TEST(PenStrokeTest, ThePlayerSendsEveryReportInOrderAndStops) {
  StPenStroke stroke;
  stroke.rate = 1000;
  for (std::uint32_t i = 0; i < 20; ++i) stroke.reports.push_back({true, i, 0, 0, 0, 0, 0, 0, 0});
  std::vector<std::uint32_t> seen;
  volatile std::sig_atomic_t stop = 0;
  const auto record = [&](const StPenReport& report) {
    seen.push_back(report.x);
    return kStatusOk;
  };
  const CPenPlayer::StOutcome twice = CPenPlayer::Play(stroke, record, 2, stop);
  EXPECT_EQ(twice.sent, 40u);
  ASSERT_EQ(seen.size(), 40u);
  for (std::uint32_t i = 0; i < 40; ++i) EXPECT_EQ(seen[i], i % 20);
  // 39 intervals of a millisecond lie between the first report and the last.
  EXPECT_GE(twice.elapsed, std::chrono::milliseconds(39));

  // A failed send ends the play with its status; so does the stop flag.
  seen.clear();
  const CPenPlayer::StOutcome failed = CPenPlayer::Play(
      stroke, [&](const StPenReport& report) { return report.x == 5 ? kStatusNotFound : record(report); }, 1, stop);
  EXPECT_EQ(failed.status, kStatusNotFound);
  EXPECT_EQ(failed.sent, 5u);
  const CPenPlayer::StOutcome looped = CPenPlayer::Play(
      stroke,
      [&](const StPenReport& report) {
        if (report.x == 3) stop = 1;
        return kStatusOk;
      },
      0, stop);
  EXPECT_EQ(looped.sent, 4u);
  EXPECT_EQ(looped.status, kStatusOk);
}

}  // namespace
