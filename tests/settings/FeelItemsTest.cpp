// Feel items against the tablet service in process: slider positions in and
// out of the driver's pressure curves, click thresholds and the eraser box.
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "protocol/StDriverPacket.h"
#include "services/CStringManager.h"
#include "services/CWinStringManager.h"
#include "settings/CBehaviour.h"
#include "settings/CCorrelatedTransNameData.h"
#include "settings/CDataGrouping.h"
#include "settings/CDoubleClickFeelData.h"
#include "settings/CPressureFeelData.h"
#include "settings/CQVNDoubleClickFeelData.h"
#include "settings/CSettingsTest.h"
#include "settings/CUDPenHasEraser.h"
#include "settings/FeelTables.h"
#include "settings/PressureFamilies.h"

namespace {

using Curve = std::array<std::uint16_t, 6>;

struct StFamily {
  PressureFamily family;
  const StCurveFamily& curve;
  const ClickPercents& click;
};
constexpr std::array<StFamily, 4> kFamilies{{{PressureFamily::kKRB, kCurveKRB, kClickKRB},
                                             {PressureFamily::kMJ, kCurveMJ, kClickMJ},
                                             {PressureFamily::kQVN, kCurveQVN, kClickQVN},
                                             {PressureFamily::kXFW, kCurveXFW, kClickXFW}}};

constexpr std::array<std::uint32_t, 3> kLevels{1023, 511, 255};

template <typename T>
T Read(CDriverData& item, Status* status = nullptr) {
  std::array<std::byte, 256> bytes{};
  const Status got = item.Get(bytes.data());
  if (status != nullptr) *status = got;
  T value{};
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

template <typename T>
Status Write(CDriverData& item, T value) {
  std::array<std::byte, 256> bytes{};
  std::memcpy(bytes.data(), &value, sizeof value);
  return item.Set(bytes.data());
}

// One pen on each of three tablets of 1023, 511 and 255 pressure levels.
class CFeelItemsTest : public CServiceTest {
 protected:
  void SetUp() override {
    StProfile profile = MakeDefaultProfile();
    profile.tablets.clear();
    for (const std::uint32_t levels : kLevels) {
      StTabletProfile tablet;
      tablet.pressureLevels = levels;
      StToolProfile pen;
      pen.eraser = true;
      tablet.tools.push_back(pen);
      StToolProfile puck;
      puck.type = 5;
      tablet.tools.push_back(puck);
      profile.tablets.push_back(tablet);
    }
    Start(profile);
  }
  void TearDown() override {
    CServiceTest::TearDown();
    ReleaseStringManager();
  }

  static CDataKey Key(std::uint32_t tablet, std::initializer_list<StLevel> levels) {
    CDataKey key;
    key.AppendLevel(2, tablet);
    for (const StLevel& level : levels) key.AppendLevel(level.code, level.index, level.qualifier);
    return key;
  }
  static std::unique_ptr<CDriverData> Item(const CDataKey& key, std::uint16_t code, DataType type) {
    std::unique_ptr<CDriverData> item;
    EXPECT_EQ(CDataGrouping::MakeItem(item, key, code, type, BehaviourKind::kLive, 0), kStatusOk);
    return item;
  }
  // The tip's raw values on tablet t, and a family's curve and click items over them.
  struct StTip {
    std::unique_ptr<CDriverData> curve, threshold, axis;
    std::unique_ptr<CPressureBezierData> curveItem;
    std::unique_ptr<CClickThresholdData> clickItem;
  };
  StTip Tip(std::uint32_t tablet, PressureFamily family) {
    const CDataKey key = Key(tablet, {{4, 0}, {11, 1}});
    StTip tip{Item(key, 109, DataType::kPressureCurve), Item(key, 43, DataType::kWord),
              Item(Key(tablet, {}), 93, DataType::kPressureAxis), MakePressureBezierData(family),
              MakeClickThresholdData(family)};
    EXPECT_EQ(tip.curveItem->SetSources(tip.curve.get(), tip.axis.get()), kStatusOk);
    EXPECT_EQ(tip.clickItem->SetSources(tip.threshold.get(), tip.axis.get()), kStatusOk);
    return tip;
  }
  template <typename T>
  static T InDriver(std::uint32_t tablet, std::initializer_list<StLevel> levels) {
    return ReadPath<T>(PathOf(Key(tablet, levels)));
  }
};

// The tables' points scaled to the tablet's levels, the curve's other words
// untouched; a position reads back exactly at the family's own full scale,
// where no rounding moves it.
TEST_F(CFeelItemsTest, EverySliderPositionWritesTheFamilysCurveAndThreshold) {
  for (const StFamily& table : kFamilies) {
    for (std::uint32_t t = 0; t < kLevels.size(); ++t) {
      const std::uint32_t levels = kLevels[t];
      StTip tip = Tip(t, table.family);
      const Curve before = InDriver<Curve>(t, {{4, 0}, {11, 1}, {109}});
      for (std::uint16_t p = 0; p < kPressurePositions; ++p) {
        SCOPED_TRACE(testing::Message() << "family " << static_cast<int>(table.family)
                                        << ", levels " << levels << ", position " << p);
        ASSERT_EQ(Write(*tip.curveItem, p), kStatusOk);
        ASSERT_EQ(Write(*tip.clickItem, p), kStatusOk);
        const StCurvePoint& row = table.curve.rows[p];
        const auto scaled = [&](std::int16_t point) {
          return static_cast<std::uint16_t>(static_cast<std::uint32_t>(point) * levels /
                                            table.curve.fullScale);
        };
        const Curve expected{before[0],     scaled(row.a), scaled(row.b),
                             scaled(row.c), before[4],     before[5]};
        EXPECT_EQ((InDriver<Curve>(t, {{4, 0}, {11, 1}, {109}})), expected);
        EXPECT_EQ(InDriver<std::uint16_t>(t, {{4, 0}, {11, 1}, {43}}),
                  levels * static_cast<std::uint32_t>(table.click[p]) / 100);
        EXPECT_EQ(Read<std::uint16_t>(*tip.clickItem), p);
        if (levels == table.curve.fullScale) {
          EXPECT_EQ(Read<std::uint16_t>(*tip.curveItem), p);
        }
      }
    }
  }
}

// The feel slider moves curve and threshold together and shows their mean;
// a part the driver refuses leaves the other part written.
TEST_F(CFeelItemsTest, FeelWritesBothPartsAndReadsTheirMean) {
  StTip tip = Tip(0, PressureFamily::kKRB);
  CPressureFeelData feel;
  ASSERT_EQ(feel.SetSources(tip.clickItem.get(), tip.curveItem.get()), kStatusOk);
  ASSERT_EQ(Write(*tip.curveItem, std::uint16_t{5}), kStatusOk);
  ASSERT_EQ(Write(*tip.clickItem, std::uint16_t{2}), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(feel), 3);

  m_driver->FailWith(kCommandSet, MakePath({{2, 0}, {4, 0}, {11, 1}, {109}}), kStatusReadOnly);
  EXPECT_EQ(Write(feel, std::uint16_t{1}), kStatusOk);
  EXPECT_EQ(InDriver<std::uint16_t>(0, {{4, 0}, {11, 1}, {43}}), 20) << "the threshold still went";
  EXPECT_EQ(Read<std::uint16_t>(*tip.curveItem), 1);
}

TEST_F(CFeelItemsTest, PositionsOutsideTheTableAndAMissingDivisorAnswerNoItem) {
  StTip tip = Tip(0, PressureFamily::kMJ);
  CPressureFeelData feel;
  ASSERT_EQ(feel.SetSources(tip.clickItem.get(), tip.curveItem.get()), kStatusOk);
  m_driver->ClearRequests();
  for (CDriverData* item :
       std::initializer_list<CDriverData*>{tip.curveItem.get(), tip.clickItem.get(), &feel})
    EXPECT_EQ(Write(*item, std::uint16_t{7}), kStatusNoItem);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0U);

  // An axis that cannot be read holds no pressure levels: the curve is
  // written as zeros and neither item can name a position.
  m_driver->FailWith(kCommandGet, MakePath({{2, 0}, {93}}), kStatusNotFound);
  ASSERT_EQ(Write(*tip.curveItem, std::uint16_t{3}), kStatusOk);
  EXPECT_EQ((InDriver<Curve>(0, {{4, 0}, {11, 1}, {109}})[3]), 0);
  for (CDriverData* item :
       std::initializer_list<CDriverData*>{tip.curveItem.get(), tip.clickItem.get()}) {
    Status status = kStatusOk;
    Read<std::uint16_t>(*item, &status);
    EXPECT_EQ(status, kStatusNoItem);
  }
}

TEST_F(CFeelItemsTest, EraserBoxTicksWhenTheDriverSaysInUse) {
  auto eraser = Item(Key(0, {{4, 0}}), 205, DataType::kWord);
  CUDPenHasEraser box;
  ASSERT_EQ(box.SetSources(eraser.get()), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(box), 1) << "the pen of the profile has its eraser in use";
  for (const auto& [held, shown] :
       std::initializer_list<std::pair<std::uint16_t, std::uint16_t>>{{2, 0}, {0, 1}}) {
    ASSERT_EQ(Write(*eraser, held), kStatusOk);
    EXPECT_EQ(Read<std::uint16_t>(box), shown) << held;
  }
  ASSERT_EQ(Write(box, std::uint16_t{0}), kStatusOk);
  EXPECT_EQ(InDriver<std::uint16_t>(0, {{4, 0}, {205}}), 2);
  ASSERT_EQ(Write(box, std::uint16_t{5}), kStatusOk);
  EXPECT_EQ(InDriver<std::uint16_t>(0, {{4, 0}, {205}}), 0);
}

// A position writes its table's row (one off the table row 0); the driver's
// values read back as the nearest row of each, meeting halfway.
TEST_F(CFeelItemsTest, DoubleClickRowsAndTheirReadBack) {
  const CDataKey pen = Key(0, {{4, 0}});
  auto a = Item(pen, 255, DataType::kLong);
  auto b = Item(pen, 113, DataType::kLong);
  auto on = Item(pen, 170, DataType::kByte);
  CDoubleClickFeelData common;
  CQVNDoubleClickFeelData own;
  ASSERT_EQ(common.SetSources(a.get(), b.get(), on.get()), kStatusOk);
  ASSERT_EQ(own.SetSources(a.get(), b.get(), on.get()), kStatusOk);
  for (const auto& [item, rows] :
       {std::pair{&common, &kDoubleClickCommon},
        std::pair<CDoubleClickFeelData*, const DoubleClickTable*>{&own, &kDoubleClickQVN}}) {
    for (const std::int32_t position : {-1, 0, 3, kDoubleClickPositions - 1}) {
      SCOPED_TRACE(position);
      const StDoubleClickRow& row = (*rows)[position < 0 ? 0 : static_cast<std::size_t>(position)];
      ASSERT_EQ(Write(*item, position), kStatusOk);
      EXPECT_EQ(InDriver<std::uint32_t>(0, {{4, 0}, {255}}), row.a);
      EXPECT_EQ(InDriver<std::uint32_t>(0, {{4, 0}, {113}}), row.b);
      EXPECT_EQ(InDriver<std::uint8_t>(0, {{4, 0}, {170}}), row.on);
      EXPECT_EQ(Read<std::int32_t>(*item), position < 0 ? 0 : position);
    }
  }
  struct StValues {
    CDoubleClickFeelData* item;
    std::uint32_t a, b;
    std::uint8_t on;
    std::int32_t position;
  };
  for (const StValues& values : std::initializer_list<StValues>{{&common, 15, 750, 0, 0},
                                                                {&common, 15, 135, 1, 2},
                                                                {&common, 0, 216, 1, 0},
                                                                {&common, 0, 217, 1, 1},
                                                                {&common, 13, 687, 1, 4},
                                                                {&common, 12, 686, 1, 3},
                                                                {&own, 10, 562, 1, 3}}) {
    SCOPED_TRACE(testing::Message() << values.a << ", " << values.b << ", " << int{values.on});
    ASSERT_EQ(Write(*a, values.a), kStatusOk);
    ASSERT_EQ(Write(*b, values.b), kStatusOk);
    ASSERT_EQ(Write(*on, values.on), kStatusOk);
    EXPECT_EQ(Read<std::int32_t>(*values.item), values.position);
  }
}

// Names the string looked up: "table:number".
Status NameByNumber(const char* table, std::uint16_t number, char* out) {
  std::snprintf(out, 32, "%s:%u", table, static_cast<unsigned>(number));
  return kStatusOk;
}

TEST_F(CFeelItemsTest, EmptyToolNamesFallBackToTheTypesString) {
  auto* strings = dynamic_cast<CWinStringManager*>(GetStringManager());
  ASSERT_NE(strings, nullptr);
  ASSERT_EQ(strings->InstallRoutine(&NameByNumber), kStatusOk);
  struct StCase {
    std::uint32_t tool;
    const char* held;
    bool typeReadable;
    const char* shown;
  };
  for (const StCase& c : std::initializer_list<StCase>{
           {0, "Fine Pen", true, "Fine Pen"}, {1, "", true, "2102:6"}, {0, "", false, "2102:70"}}) {
    SCOPED_TRACE(c.shown);
    const CDataKey tool = Key(2, {{4, c.tool}});
    auto name = Item(tool, 188, DataType::kText);
    auto type = Item(tool, 115, DataType::kWord);
    std::array<char, 256> text{};
    std::strcpy(text.data(), c.held);
    ASSERT_EQ(name->Set(text.data()), kStatusOk);
    if (!c.typeReadable)
      m_driver->FailWith(kCommandGet, MakePath({{2, 2}, {4, c.tool}, {115}}), kStatusNotFound);
    CCorrelatedTransNameData shown;
    ASSERT_EQ(shown.SetSources(name.get(), type.get()), kStatusOk);
    std::array<char, 256> out{};
    EXPECT_EQ(shown.Get(out.data()), c.typeReadable ? kStatusOk : kStatusNotFound);
    EXPECT_STREQ(out.data(), c.shown);
  }
}

}  // namespace
