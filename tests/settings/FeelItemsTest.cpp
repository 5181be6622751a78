// Feel items against the tablet service in process: slider positions in and
// out of the driver's pressure curves, click thresholds and double-click
// values, the eraser box and the tool name's fallback.
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

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
#include "settings/CUDPenHasEraser.h"
#include "settings/PressureFamilies.h"
#include "support/CRecordingDriverInterface.h"

namespace {

using Curve = std::array<std::uint16_t, 6>;

// The families' tables as the feel sliders must write them.
struct StFamilyTable {
  PressureFamily family;
  std::array<std::array<std::uint32_t, 3>, 7> points;
  std::uint32_t fullScale;
  std::array<std::uint32_t, 7> percent;  // of the click family of the same name
};

// clang-format off
constexpr std::array<StFamilyTable, 4> kFamilies{{
    {PressureFamily::kKRB, {{{10, 1023, 133}, {20, 850, 256}, {31, 686, 389}, {41, 512, 512}, {72, 389, 686},
                             {113, 256, 850}, {153, 133, 1023}}}, 1023, {1, 2, 3, 4, 7, 11, 15}},
    {PressureFamily::kMJ, {{{26, 511, 26}, {31, 424, 87}, {35, 337, 174}, {41, 256, 256}, {51, 169, 342},
                            {77, 87, 424}, {102, 0, 511}}}, 511, {5, 6, 7, 8, 10, 15, 20}},
    {PressureFamily::kQVN, {{{26, 511, 66}, {31, 409, 123}, {41, 291, 215}, {51, 194, 342}, {72, 153, 399},
                             {97, 112, 455}, {128, 66, 511}}}, 511, {5, 6, 8, 10, 14, 19, 25}},
    {PressureFamily::kXFW, {{{13, 255, 13}, {15, 212, 43}, {17, 168, 87}, {20, 128, 128}, {25, 84, 171},
                             {38, 43, 212}, {51, 0, 255}}}, 255, {5, 6, 7, 8, 10, 15, 20}},
}};
// clang-format on

// Scaled to other pressure levels, some curves no longer read as the
// position that wrote them: the ratio limits are used as listed.
struct StReadBack {
  PressureFamily family;
  std::uint32_t levels;
  std::uint16_t written;
  Status status;
  std::uint16_t read;
};
// clang-format off
constexpr std::array<StReadBack, 10> kShiftedReadBacks{{
    {PressureFamily::kKRB, 511, 0, kStatusNoItem, 0}, {PressureFamily::kKRB, 511, 1, kStatusOk, 0},
    {PressureFamily::kKRB, 255, 0, kStatusNoItem, 0}, {PressureFamily::kKRB, 255, 1, kStatusOk, 0},
    {PressureFamily::kKRB, 255, 2, kStatusOk, 1},     {PressureFamily::kMJ, 1023, 0, kStatusNoItem, 0},
    {PressureFamily::kMJ, 255, 0, kStatusNoItem, 0},  {PressureFamily::kMJ, 255, 1, kStatusOk, 0},
    {PressureFamily::kMJ, 255, 2, kStatusOk, 1},      {PressureFamily::kXFW, 1023, 0, kStatusNoItem, 0},
}};
// clang-format on

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
class CFeelItemsTest : public ::testing::Test {
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
    m_service = std::make_unique<CTabletService>(profile);
    m_driver =
        CRecordingDriverInterface::Install(*m_service);
  }

  void TearDown() override {
    for (const BehaviourKind kind :
         {BehaviourKind::kLive, BehaviourKind::kApply, BehaviourKind::kNoDriver})
      ReleaseBehaviour(kind);
    ReleaseDriverInterface();
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
  // The tip's raw values on tablet t and what the driver holds.
  struct StTip {
    std::unique_ptr<CDriverData> curve, threshold, axis;
  };
  StTip Tip(std::uint32_t tablet) {
    const CDataKey tip = Key(tablet, {{4, 0}, {11, 1}});
    return {Item(tip, 109, DataType::kPressureCurve), Item(tip, 43, DataType::kWord),
            Item(Key(tablet, {}), 93, DataType::kPressureAxis)};
  }
  template <typename T>
  T InDriver(std::uint32_t tablet, std::initializer_list<StLevel> levels) {
    T value{};
    EXPECT_EQ(Key(tablet, levels).Request(kCommandGet, sizeof value, &value), kStatusOk);
    return value;
  }

  std::unique_ptr<CTabletService> m_service;
  CRecordingDriverInterface* m_driver = nullptr;
};

TEST_F(CFeelItemsTest, EverySliderPositionWritesTheFamilysCurveAndThreshold) {
  for (const StFamilyTable& table : kFamilies) {
    for (std::uint32_t t = 0; t < kLevels.size(); ++t) {
      const std::uint32_t levels = kLevels[t];
      StTip tip = Tip(t);
      auto curveItem = MakePressureBezierData(table.family);
      auto clickItem = MakeClickThresholdData(table.family);
      ASSERT_EQ(curveItem->SetSources(tip.curve.get(), tip.axis.get()), kStatusOk);
      ASSERT_EQ(clickItem->SetSources(tip.threshold.get(), tip.axis.get()), kStatusOk);
      const Curve before = InDriver<Curve>(t, {{4, 0}, {11, 1}, {109}});
      for (std::uint16_t p = 0; p < 7; ++p) {
        SCOPED_TRACE(testing::Message() << "family " << static_cast<int>(table.family)
                                        << ", levels " << levels << ", position " << p);
        ASSERT_EQ(Write(*curveItem, p), kStatusOk);
        ASSERT_EQ(Write(*clickItem, p), kStatusOk);
        const Curve curve = InDriver<Curve>(t, {{4, 0}, {11, 1}, {109}});
        for (std::size_t w = 0; w < 3; ++w)
          EXPECT_EQ(curve[w + 1], table.points[p][w] * levels / table.fullScale)
              << "word " << w + 1;
        EXPECT_EQ(curve[0], before[0]);
        EXPECT_EQ(curve[4], before[4]);
        EXPECT_EQ(curve[5], before[5]);
        EXPECT_EQ(InDriver<std::uint16_t>(t, {{4, 0}, {11, 1}, {43}}),
                  levels * table.percent[p] / 100);

        Status status = kStatusOk;
        EXPECT_EQ(Read<std::uint16_t>(*clickItem, &status), p);
        EXPECT_EQ(status, kStatusOk);
        StReadBack expected{table.family, levels, p, kStatusOk, p};
        for (const StReadBack& shifted : kShiftedReadBacks) {
          if (shifted.family == table.family && shifted.levels == levels && shifted.written == p)
            expected = shifted;
        }
        const auto read = Read<std::uint16_t>(*curveItem, &status);
        EXPECT_EQ(status, expected.status);
        if (expected.status == kStatusOk) {
          EXPECT_EQ(read, expected.read);
        }
      }
    }
  }
}

TEST_F(CFeelItemsTest, FeelReadsTheMeanAndAnswersZeroWhenTheDriverRefusesAPart) {
  StTip tip = Tip(0);
  auto curveItem = MakePressureBezierData(PressureFamily::kKRB);
  auto clickItem = MakeClickThresholdData(PressureFamily::kKRB);
  ASSERT_EQ(curveItem->SetSources(tip.curve.get(), tip.axis.get()), kStatusOk);
  ASSERT_EQ(clickItem->SetSources(tip.threshold.get(), tip.axis.get()), kStatusOk);
  CPressureFeelData feel;
  ASSERT_EQ(feel.SetSources(clickItem.get(), curveItem.get()), kStatusOk);

  ASSERT_EQ(Write(feel, std::uint16_t{4}), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(*curveItem), 4);
  EXPECT_EQ(Read<std::uint16_t>(*clickItem), 4);
  ASSERT_EQ(Write(*curveItem, std::uint16_t{5}), kStatusOk);
  ASSERT_EQ(Write(*clickItem, std::uint16_t{2}), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(feel), 3);

  m_driver->FailWith(kCommandSet, MakePath({{2, 0}, {4, 0}, {11, 1}, {109}}), kStatusReadOnly);
  EXPECT_EQ(Write(feel, std::uint16_t{1}), kStatusOk);
  EXPECT_EQ(InDriver<std::uint16_t>(0, {{4, 0}, {11, 1}, {43}}), 20) << "the threshold still went";
  EXPECT_EQ(Write(*curveItem, std::uint16_t{0}), kStatusReadOnly);
}

TEST_F(CFeelItemsTest, PositionsOutsideTheTableAndAMissingDivisorAnswerNoItem) {
  StTip tip = Tip(0);
  auto curveItem = MakePressureBezierData(PressureFamily::kMJ);
  auto clickItem = MakeClickThresholdData(PressureFamily::kMJ);
  ASSERT_EQ(curveItem->SetSources(tip.curve.get(), tip.axis.get()), kStatusOk);
  ASSERT_EQ(clickItem->SetSources(tip.threshold.get(), tip.axis.get()), kStatusOk);
  CPressureFeelData feel;
  ASSERT_EQ(feel.SetSources(clickItem.get(), curveItem.get()), kStatusOk);
  m_driver->ClearRequests();
  for (CDriverData* item :
       std::initializer_list<CDriverData*>{curveItem.get(), clickItem.get(), &feel})
    EXPECT_EQ(Write(*item, std::uint16_t{7}), kStatusNoItem);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0U);

  // An axis that cannot be read holds no pressure levels: the curve is
  // written as zeros and neither item can name a position.
  m_driver->FailWith(kCommandGet, MakePath({{2, 0}, {93}}), kStatusNotFound);
  ASSERT_EQ(Write(*curveItem, std::uint16_t{3}), kStatusOk);
  EXPECT_EQ((InDriver<Curve>(0, {{4, 0}, {11, 1}, {109}})[3]), 0);
  Status status = kStatusOk;
  Read<std::uint16_t>(*curveItem, &status);
  EXPECT_EQ(status, kStatusNoItem);
  Read<std::uint16_t>(*clickItem, &status);
  EXPECT_EQ(status, kStatusNoItem);
  EXPECT_EQ(curveItem->SetSources(tip.curve.get(), nullptr), kStatusUnknown);
}

TEST_F(CFeelItemsTest, DoubleClickRowsAndTheirReadBack) {
  const CDataKey pen = Key(0, {{4, 0}});
  auto a = Item(pen, 255, DataType::kLong);
  auto b = Item(pen, 113, DataType::kLong);
  auto on = Item(pen, 170, DataType::kByte);
  CDoubleClickFeelData common;
  CQVNDoubleClickFeelData own;
  ASSERT_EQ(common.SetSources(a.get(), b.get(), on.get()), kStatusOk);
  ASSERT_EQ(own.SetSources(a.get(), b.get(), on.get()), kStatusOk);

  struct StRow {
    CDoubleClickFeelData* item;
    std::int32_t position;
    std::uint32_t a, b;
    std::uint8_t on;
  };
  // clang-format off
  for (const StRow& row : std::initializer_list<StRow>{
           {&common, 0, 0, 135, 0}, {&common, 3, 9, 625, 1}, {&common, 4, 15, 750, 1}, {&common, 7, 0, 135, 0},
           {&common, -1, 0, 135, 0}, {&own, 1, 4, 300, 1}, {&own, 2, 7, 500, 1}}) {
    // clang-format on
    SCOPED_TRACE(row.position);
    ASSERT_EQ(Write(*row.item, row.position), kStatusOk);
    EXPECT_EQ(InDriver<std::uint32_t>(0, {{4, 0}, {255}}), row.a);
    EXPECT_EQ(InDriver<std::uint32_t>(0, {{4, 0}, {113}}), row.b);
    EXPECT_EQ(InDriver<std::uint8_t>(0, {{4, 0}, {170}}), row.on);
    if (row.position >= 0 && row.position <= 4) {
      EXPECT_EQ(Read<std::int32_t>(*row.item), row.position);
    }
  }

  struct StValues {
    CDoubleClickFeelData* item;
    std::uint32_t a, b;
    std::uint8_t on;
    std::int32_t position;
  };
  // clang-format off
  for (const StValues& values : std::initializer_list<StValues>{
           {&common, 15, 750, 0, 0},  // off, whatever A and B say
           {&common, 5, 400, 1, 2},   // A at its midpoint, B at its midpoint: both 2
           {&common, 15, 135, 1, 2},  // A past every midpoint, B below the first
           {&common, 0, 216, 1, 0}, {&common, 0, 217, 1, 1}, {&common, 13, 687, 1, 4}, {&common, 12, 686, 1, 3},
           {&own, 4, 300, 1, 1}, {&own, 3, 300, 1, 1}, {&own, 9, 561, 1, 2}, {&own, 10, 562, 1, 3}}) {
    // clang-format on
    SCOPED_TRACE(testing::Message() << values.a << ", " << values.b << ", " << int{values.on});
    ASSERT_EQ(Write(*a, values.a), kStatusOk);
    ASSERT_EQ(Write(*b, values.b), kStatusOk);
    ASSERT_EQ(Write(*on, values.on), kStatusOk);
    EXPECT_EQ(Read<std::int32_t>(*values.item), values.position);
  }
}

TEST_F(CFeelItemsTest, EraserBoxTicksWhenTheDriverSaysInUse) {
  auto eraser = Item(Key(0, {{4, 0}}), 205, DataType::kWord);
  CUDPenHasEraser box;
  ASSERT_EQ(box.SetSources(eraser.get()), kStatusOk);
  EXPECT_EQ(Read<std::uint16_t>(box), 1) << "the pen of the profile has its eraser in use";
  for (const auto& [held, shown] :
       std::initializer_list<std::pair<std::uint16_t, std::uint16_t>>{{2, 0}, {7, 0}, {0, 1}}) {
    ASSERT_EQ(Write(*eraser, held), kStatusOk);
    EXPECT_EQ(Read<std::uint16_t>(box), shown) << held;
  }
  ASSERT_EQ(Write(box, std::uint16_t{0}), kStatusOk);
  EXPECT_EQ(InDriver<std::uint16_t>(0, {{4, 0}, {205}}), 2);
  ASSERT_EQ(Write(box, std::uint16_t{5}), kStatusOk);
  EXPECT_EQ(InDriver<std::uint16_t>(0, {{4, 0}, {205}}), 0);
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
    Status status;
  };
  for (const StCase& c :
       std::initializer_list<StCase>{{0, "Fine Pen", true, "Fine Pen", kStatusOk},
                                     {1, "", true, "2102:6", kStatusOk},
                                     {0, "", false, "2102:70", kStatusNotFound}}) {
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
    EXPECT_EQ(shown.Get(out.data()), c.status);
    EXPECT_STREQ(out.data(), c.shown);
  }
}

}  // namespace
