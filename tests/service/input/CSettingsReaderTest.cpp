#include "service/input/CSettingsReader.h"

#include <gtest/gtest.h>

#include "service/input/InputTestSupport.h"

namespace {

using input_test::Bytes;
using input_test::CHarness;
using input_test::L;
using input_test::PenMapping;
using input_test::Tool;
using input_test::Words;

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
  std::vector<std::uint8_t> path(256, 0);
  path[0] = '/';
  path[1] = 'x';
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
