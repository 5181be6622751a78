#include "views/CDialogSuperView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kDialog = ControlId::kModifierDialog;
constexpr std::uint32_t kShift = ControlId::kShiftCheckBox;
constexpr std::uint32_t kCtrl = ControlId::kCtrlCheckBox;
constexpr ItemId kShiftItem = 21;
constexpr ItemId kCtrlItem = 22;

using Logged = CTestRootStack::StLogged;

// A dialog over two apply items (written only on OK), in front of a main
// root that notes what reaches it.
class DialogSuperViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_data->Define(kShiftItem, DataType::kByte, BehaviourKind::kApply);
    m_data->Define(kCtrlItem, DataType::kByte, BehaviourKind::kApply);
    m_driver->Put(m_data->KeyOf(kShiftItem), {0});
    m_driver->Put(m_data->KeyOf(kCtrlItem), {1});
    ASSERT_EQ(AddItemView(m_dialog, kShift, kShiftItem), kStatusOk);
    ASSERT_EQ(AddItemView(m_dialog, kCtrl, kCtrlItem), kStatusOk);
    ASSERT_EQ(AddItemView(m_main, ControlId::kClickSound, 0), kStatusOk);
    m_roots.SetMainRoot(&m_main);
  }

  std::uint32_t Shown(std::uint32_t control) {
    std::uint32_t value = 0xFF;
    EXPECT_EQ(SendViewRequest(kViewGet, control, &value), kStatusOk);
    return value;
  }

  CDialogSuperView m_dialog{kDialog};
  CSuperView m_main{ControlId::kUpperView};
};

TEST_F(DialogSuperViewTest, OkWritesTheChangedValuesAndClosesTheDialog) {
  ASSERT_EQ(m_dialog.Attach(m_data.get(), kSameData), kStatusOk);
  // The user ticks both boxes, as the window's check-box handler would; Ctrl was ticked already.
  std::uint32_t on = 1;
  EXPECT_EQ(SendViewRequest(kViewSet, kShift, &on), kStatusOk);
  EXPECT_EQ(SendViewRequest(kViewSet, kCtrl, &on), kStatusOk);
  EXPECT_EQ(SendViewRequest(kViewApply, kDialog), kStatusOk);
  EXPECT_TRUE(m_roots.Stack().empty());
  EXPECT_EQ(m_driver->Value(m_data->KeyOf(kShiftItem)), std::vector<std::uint8_t>{1});
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 1u) << "only the changed value is written";
}

// Cancel closes the dialog, hands the request on to the root below, and
// leaves the driver with the values the dialog opened with, which need not be
// the first ones it read.
TEST_F(DialogSuperViewTest, CancelRestoresTheValuesTheDialogOpenedWith) {
  ASSERT_EQ(m_dialog.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(SendViewRequest(kViewRevert, kDialog), kStatusOk);
  // Another program changes the value between two openings.
  m_driver->Put(m_data->KeyOf(kShiftItem), {1});
  ASSERT_EQ(m_dialog.Attach(m_data.get(), kSameData), kStatusOk);
  std::uint32_t off = 0;
  EXPECT_EQ(SendViewRequest(kViewSet, kShift, &off), kStatusOk);
  m_roots.ClearLog();
  EXPECT_EQ(SendViewRequest(kViewRevert, kDialog), kStatusOk);
  EXPECT_TRUE(m_roots.Stack().empty());
  EXPECT_EQ(m_roots.Log(), (std::vector<Logged>{{kViewRevert, kDialog}, {kViewRevert, kDialog}}));

  ASSERT_EQ(m_dialog.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(Shown(kShift), 1u);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0u) << "nothing reached the driver";
}

TEST_F(DialogSuperViewTest, OtherRequestsToTheDialogReachEveryChildAndKeepItOpen) {
  ASSERT_EQ(m_dialog.Attach(m_data.get(), kSameData), kStatusOk);
  TakeChanges();
  m_driver->Put(m_data->KeyOf(kShiftItem), {1});
  m_driver->Put(m_data->KeyOf(kCtrlItem), {0});
  EXPECT_EQ(SendViewRequest(kViewRefresh, kDialog), kStatusOk);
  EXPECT_EQ(TakeChanges(),
            (std::vector<Change>{{kShift, kControlRedisplay}, {kCtrl, kControlRedisplay}}));
  EXPECT_EQ(m_roots.Stack().size(), 1u);
}

}  // namespace
