#include "service/input/CSettingsReader.h"

#include <gtest/gtest.h>

#include "service/input/InputTestSupport.h"

namespace {

using input_test::Bytes;
using input_test::CHarness;
using input_test::L;
using input_test::PenMapping;
using input_test::Tool;
using input_test::Word;
using input_test::Words;

TEST(CSettingsReader, ReadsTheFactorySettingsOfThePen) {
  CTabletService service;
  StToolSettings settings;
  ASSERT_EQ(CSettingsReader(service.Model()).Read(0, 0, settings), kStatusOk);
  EXPECT_EQ(settings.pressureLevels, 1023U);
  EXPECT_EQ(settings.tip.threshold, 40);
  EXPECT_EQ(settings.tip.curve, (std::array<std::uint16_t, 6>{0, 82, 512, 512, 1023, 1023}));
  EXPECT_TRUE(settings.eraserInUse);
  EXPECT_EQ(settings.buttons[1].code, 1U);
  EXPECT_EQ(settings.buttons[2].code, 3U);
  EXPECT_EQ(settings.buttons[3].code, 2U);
  EXPECT_EQ(settings.buttons[4].code, 15U);
  EXPECT_EQ(settings.doubleClickDistance, 2U);
  EXPECT_EQ(settings.doubleClickTimeMs, 500U);
  EXPECT_TRUE(settings.doubleClickAssist);
  EXPECT_FALSE(settings.mouseMode);
  EXPECT_EQ(settings.screenArea.width, 1920);
  EXPECT_EQ(settings.screenArea.height, 1080);
  EXPECT_EQ(settings.tabletArea.width, 20320);
  EXPECT_EQ(settings.tabletArea.height, 15240);
}

TEST(CSettingsReader, ReadsWhatTheAppletWrites) {
  CHarness harness;
  harness.Set(Tool(0, {L(11, 3), L(41)}), Bytes(8, 4));
  harness.Set(Tool(0, {L(11, 3), L(238)}), Words({Word(2, 0, 0x5A), Word(0, 'x', 0x58)}, 256));
  harness.Set(Tool(0, {L(11, 2), L(104)}), Bytes(2 | 32, 2));
  harness.Set(Tool(0, {L(11, 4), L(43)}), Bytes(77, 2));
  harness.Set(Tool(0, {L(205)}), Bytes(2, 2));
  harness.Set(Tool(0, {L(255)}), Bytes(9, 4));
  harness.Set(Tool(0, {L(113)}), Bytes(625, 4));
  harness.Set(Tool(0, {L(170)}), Bytes(0, 1));
  harness.Set(PenMapping({L(21, 2), L(135)}), Bytes(2, 1));
  harness.Set(PenMapping({L(21, 2), L(191)}), Bytes(8, 2));
  harness.Set(PenMapping({L(21, 2), L(221)}), Bytes(0, 2));
  harness.Set(PenMapping({L(21, 2), L(78)}), Words({1920, 0, 0}, 12));
  harness.Set(PenMapping({L(20, 2), L(60)}), Words({1000, 2000, 0}, 12));
  harness.Set(PenMapping({L(20, 2), L(61)}), Words({5000, 4000, 0}, 12));
  std::vector<std::uint8_t> path(256, 0);
  path[0] = '/';
  path[1] = 'x';
  harness.Set(Tool(0, {L(11, 2), L(240)}), path);
  StToolSettings settings;
  ASSERT_EQ(CSettingsReader(harness.m_service.Model()).Read(0, 0, settings), kStatusOk);
  EXPECT_EQ(settings.buttons[3].code, 8U);
  EXPECT_EQ(settings.buttons[3].keys, (std::vector<std::uint32_t>{Word(2, 0, 0x5A), Word(0, 'x', 0x58)}));
  EXPECT_EQ(settings.buttons[2].modifiers, 34);
  EXPECT_EQ(settings.buttons[2].application, "/x");
  EXPECT_EQ(settings.eraser.threshold, 77);
  EXPECT_FALSE(settings.eraserInUse);
  EXPECT_EQ(settings.doubleClickDistance, 9U);
  EXPECT_EQ(settings.doubleClickTimeMs, 625U);
  EXPECT_FALSE(settings.doubleClickAssist);
  EXPECT_TRUE(settings.mouseMode);
  EXPECT_EQ(settings.speed, 8);
  EXPECT_EQ(settings.acceleration, 0);
  EXPECT_EQ(settings.screenArea.x, 1920);
  EXPECT_EQ(settings.tabletArea.x, 1000);
  EXPECT_EQ(settings.tabletArea.y, 2000);
  EXPECT_EQ(settings.tabletArea.width, 5000);
  EXPECT_EQ(settings.tabletArea.height, 4000);
  // Another tool's context is its own.
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
