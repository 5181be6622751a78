#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "service/CPenPlayer.h"
#include "service/CPenRecord.h"
#include "service/CPenStroke.h"

namespace {

bool Parse(const std::string& text, StPenStroke& stroke, std::string& error) {
  std::istringstream in(text);
  return CPenStroke::Parse(in, "s", stroke, error);
}

TEST(PenStrokeTest, LeftOutColumnsKeepTheReportBeforesValues) {
  StPenStroke stroke;
  std::string error;
  ASSERT_TRUE(
      Parse("# a comment\nrate 133\ntool 2\n\n10 20 30 -5 6 0x3 -2 90  # trailing\n"
            "11 21 31\naway\n12 22 0\n",
            stroke, error))
      << error;
  EXPECT_EQ(stroke.rate, 133u);
  EXPECT_EQ(stroke.tool, 2u);
  const StPenReport carried{true, 11, 21, 31, -5, 6, 0x3, -2, 90};
  StPenReport away = carried;
  away.inProximity = false;
  const StPenReport back{true, 12, 22, 0, -5, 6, 0x3, -2, 90};  // near again after "away"
  EXPECT_EQ(stroke.reports, (std::vector<StPenReport>{
                                {true, 10, 20, 30, -5, 6, 0x3, -2, 90}, carried, away, back}));

  // Written out and read back, the stroke is the same.
  StPenStroke again;
  ASSERT_TRUE(Parse(CPenStroke::Format(stroke), again, error)) << error;
  EXPECT_EQ(again.rate, stroke.rate);
  EXPECT_EQ(again.tool, stroke.tool);
  EXPECT_EQ(again.reports, stroke.reports);

  // Without a rate line, the default rate.
  ASSERT_TRUE(Parse("1 2 3\n", stroke, error));
  EXPECT_EQ(stroke.rate, CPenStroke::kDefaultRate);
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
      {"1 2 3 -32769 0\n", "s:1: tilt x -32769 is out of range"},
      {"rate 0\n1 2 3\n", "s:1: rate is 1 to 1000"},
      {"rate 1001\n1 2 3\n", "s:1: rate is 1 to 1000"},
      {"rate 100\nrate 100\n1 2 3\n", "s:2: rate is 1 to 1000"},
      {"1 2 3\nrate 100\n", "s:2: rate after the first report"},
      {"tool 1\ntool 2\n1 2 3\n", "s:2: tool is a tool number"},
      {"away now\n", "s:1: away takes nothing"},
  };
  for (const auto& row : rows) {
    StPenStroke stroke;
    std::string error;
    EXPECT_FALSE(Parse(row.text, stroke, error)) << row.text;
    EXPECT_EQ(error.rfind(row.error, 0), 0u) << row.text << " gave " << error;
  }
}

TEST(PenStrokeTest, ARecordCarriesEveryFieldBothWays) {
  const StPenReport report{true, 70000, 123456, 1023, -60, 45, 0x5, -3, 359};
  const ToolRecordBytes record = CPenRecord::Encode(report, 0x4802, 0xDEADBEEF);
  EXPECT_EQ(CPenRecord::Decode(record), report);
  EXPECT_EQ(CPenRecord::Describe(record),
            "pen type 2050 serial 0xDEADBEEF in x 70000 y 123456 pressure 1023 tilt -60 45 "
            "switches 0x5 wheel -3 rotation 359");
}

TEST(PenStrokeTest, ThePlayerSendsEveryReportInOrderAndStops) {
  StPenStroke stroke;
  stroke.rate = 1000;
  for (std::uint32_t i = 0; i < 20; ++i) stroke.reports.push_back({true, i, 0, 0, 0, 0, 0, 0, 0});
  std::vector<std::uint32_t> seen;
  volatile std::sig_atomic_t stop = 0;
  std::uint32_t failAt = 20;
  const auto record = [&](const StPenReport& report) {
    seen.push_back(report.x);
    return report.x == failAt ? kStatusNotFound : kStatusOk;
  };
  const CPenPlayer::StOutcome twice = CPenPlayer::Play(stroke, record, 2, stop);
  EXPECT_EQ(twice.sent, 40u);
  ASSERT_EQ(seen.size(), 40u);
  for (std::uint32_t i = 0; i < 40; ++i) EXPECT_EQ(seen[i], i % 20);
  // 39 intervals of a millisecond lie between the first report and the last.
  EXPECT_GE(twice.elapsed, std::chrono::milliseconds(39));

  // A failed send ends the play with its status; so does the stop flag.
  failAt = 5;
  const CPenPlayer::StOutcome failed = CPenPlayer::Play(stroke, record, 1, stop);
  EXPECT_EQ(failed.status, kStatusNotFound);
  EXPECT_EQ(failed.sent, 5u);
  const auto stopAt3 = [&](const StPenReport& report) {
    if (report.x == 3) stop = 1;
    return kStatusOk;
  };
  const CPenPlayer::StOutcome looped = CPenPlayer::Play(stroke, stopAt3, 0, stop);
  EXPECT_EQ(looped.sent, 4u);
  EXPECT_EQ(looped.status, kStatusOk);
}

}  // namespace
