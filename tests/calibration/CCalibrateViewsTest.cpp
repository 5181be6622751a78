#include <cstring>

#include "calibration/CCalibrateTabView.h"
#include "settings/mapping/MappingItems.h"
#include "views/ControlIds.h"
#include "views/ViewTestHarness.h"

namespace {

std::vector<std::uint8_t> Words(std::initializer_list<std::int32_t> words) {
  std::vector<std::uint8_t> bytes(words.size() * 4);
  std::size_t at = 0;
  for (std::int32_t word : words) {
    std::memcpy(bytes.data() + at, &word, 4);
    at += 4;
  }
  return bytes;
}

// The Calibrate tab on a mapping whose calibrated area the test knows.
class CalibrateViewsTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    for (const auto& [id, type, bytes] : std::initializer_list<std::tuple<ItemId, DataType, std::vector<std::uint8_t>>>{
             {kMapCommonOrigin, DataType::kType8, Words({100, 200, 7})},
             {kMapCommonExtent, DataType::kType8, Words({1000, 2000, 9})},
             {kMapCommonFlag, DataType::kType2, {0, 0}},
             {kMapTabletMaximum, DataType::kType7, Words({30000, 20000})},
             {kMapMinimumPortion, DataType::kType3, Words({0})},
             {kMapMonitor, DataType::kType2, {2, 0}},
             {kMapRawX, DataType::kType3, Words({1234})},
             {kMapRawY, DataType::kType3, Words({567})}}) {
      m_data->Define(id, type);
      m_driver->Put(m_data->KeyOf(id), bytes);
    }
    ASSERT_EQ(m_tab.Build(), kStatusOk);
    m_roots.SetMainRoot(&m_tab);
    ASSERT_EQ(m_tab.Attach(m_data.get(), kSameData), kStatusOk);
  }

  void Open() {
    ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kCalibrateButton), kStatusOk);
    ASSERT_EQ(m_roots.Stack().size(), 1U);
  }

  std::vector<std::uint8_t> Held(ItemId id) { return m_driver->Value(m_data->KeyOf(id)); }

  std::size_t ReadsOf(ItemId id) {
    std::size_t reads = 0;
    for (const StRecordedRequest& request : m_driver->RequestsOf(kCommandGet))
      if (request.levels == PathOf(m_data->KeyOf(id))) ++reads;
    return reads;
  }

  CCalibrateTabView m_tab{ControlId::kCalibrateView};
};

TEST_F(CalibrateViewsTest, TheButtonOpensTheDialogsViewsAndRevertTakesBackTheArea) {
  Open();
  std::int32_t maximum[2] = {};
  EXPECT_EQ(SendViewRequest(kViewGet, ControlId::kTabletMaximum, maximum), kStatusOk);
  EXPECT_EQ(maximum[1], 20000);
  std::int32_t origin[3] = {-5, -6, 7};
  std::int32_t extent[3] = {3000, 4000, 9};
  std::uint32_t flag = 1;
  EXPECT_EQ(SendViewRequest(kViewSet, ControlId::kCalibratedOrigin, origin), kStatusOk);
  EXPECT_EQ(SendViewRequest(kViewSet, ControlId::kCalibratedExtent, extent), kStatusOk);
  EXPECT_EQ(SendViewRequest(kViewSet, ControlId::kCalibratedFlag, &flag), kStatusOk);
  EXPECT_EQ(Held(kMapCommonOrigin), Words({-5, -6, 7}));
  EXPECT_EQ(Held(kMapCommonFlag), (std::vector<std::uint8_t>{1, 0}));

  EXPECT_EQ(SendViewRequest(kViewRevert, ControlId::kCalibrateDialog), kStatusOk);
  EXPECT_EQ(Held(kMapCommonOrigin), Words({100, 200, 7}));
  EXPECT_EQ(Held(kMapCommonExtent), Words({1000, 2000, 9}));
  EXPECT_EQ(Held(kMapCommonFlag), (std::vector<std::uint8_t>{0, 0}));
  EXPECT_TRUE(m_roots.Stack().empty());
  // Let go of: the area is no longer reachable from the tab.
  EXPECT_EQ(SendViewRequest(kViewSet, ControlId::kCalibratedOrigin, origin), kStatusOk);
  EXPECT_EQ(Held(kMapCommonOrigin), Words({100, 200, 7}));
}

TEST_F(CalibrateViewsTest, ApplyKeepsTheAreaAndStepsDown) {
  Open();
  std::int32_t origin[3] = {11, 22, 7};
  EXPECT_EQ(SendViewRequest(kViewSet, ControlId::kCalibratedOrigin, origin), kStatusOk);
  EXPECT_EQ(SendViewRequest(kViewApply, ControlId::kCalibrateDialog), kStatusOk);
  EXPECT_TRUE(m_roots.Stack().empty());
  EXPECT_EQ(Held(kMapCommonOrigin), Words({11, 22, 7}));
  // Opened again, Cancel comes back to what OK kept.
  Open();
  EXPECT_EQ(SendViewRequest(kViewRevert, ControlId::kCalibrateDialog), kStatusOk);
  EXPECT_EQ(Held(kMapCommonOrigin), Words({11, 22, 7}));
}

TEST_F(CalibrateViewsTest, ThePensPositionIsReadOnlyWhenAskedFor) {
  Open();
  m_driver->ClearRequests();
  EXPECT_EQ(SendViewRequest(kViewRefresh, kBroadcastId), kStatusOk);
  EXPECT_EQ(ReadsOf(kMapRawX) + ReadsOf(kMapRawY), 0U);
  EXPECT_GT(ReadsOf(kMapCommonOrigin), 0U);

  m_driver->Put(m_data->KeyOf(kMapRawX), Words({4321}));
  EXPECT_EQ(SendViewRequest(kViewRefresh, ControlId::kDeviceXData), kStatusOk);
  EXPECT_GT(ReadsOf(kMapRawX), 0U);
  std::int32_t x = 0;
  std::int32_t y = 0;
  EXPECT_EQ(SendViewRequest(kViewGet, ControlId::kDeviceXData, &x), kStatusOk);
  EXPECT_EQ(SendViewRequest(kViewGet, ControlId::kDeviceYData, &y), kStatusOk);
  EXPECT_EQ(x, 4321);
  EXPECT_EQ(y, 567);
}

}  // namespace
