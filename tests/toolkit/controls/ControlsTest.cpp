#include <gtest/gtest.h>

#include <functional>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/CPressureTestWnd.h"
#include "toolkit/controls/CScrollButton.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafGroup.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"

namespace {

class ControlsTest : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    m_main = Load("TestMain");
    m_main->SetObserver(&m_observer);
  }
  std::unique_ptr<ZafWindow> m_main;
  CRecordingObserver m_observer;
};

// For each kind of control: a change from code notifies but never calls the
// user function; the same change by the user calls it once with 1002.
TEST_F(ControlsTest, CodeChangesNotifyButOnlyUserInputCallsTheUserFunction) {
  struct Row {
    const char* control;
    ZafChange change;
    std::function<void(ZafWindowObject&)> fromCode;
    std::function<void(ZafWindowObject&)> byUser;
  };
  const Row rows[] = {
      {"TipFeelSlider", ZafChange::kValue, [](auto& o) { static_cast<ZafScrollBar&>(o).SetPosition(5); },
       [](auto& o) { static_cast<ZafScrollBar&>(o).UserSetPosition(1); }},
      {"ClickSound", ZafChange::kChecked, [](auto& o) { static_cast<ZafButton&>(o).SetChecked(false); },
       [](auto& o) { static_cast<ZafButton&>(o).UserPress(); }},
      {"UpperSideSwitchComboBox", ZafChange::kSelection, [](auto& o) { static_cast<ZafList&>(o).SetSelection(0); },
       [](auto& o) { static_cast<ZafList&>(o).UserSelect(1); }},
      {"TM_MouseMode", ZafChange::kChecked, [](auto& o) { static_cast<ZafButton&>(o).SetChecked(true); },
       [](auto& o) { static_cast<ZafButton&>(o).UserPress(); }},
      {"WFLinesValue", ZafChange::kValue, [](auto& o) { static_cast<ZafInteger&>(o).SetIntegerValue(9); },
       [](auto& o) { static_cast<ZafInteger&>(o).UserSetValue(20); }},
      {"TabsWindow", ZafChange::kSelection, [](auto& o) { static_cast<ZafNotebook&>(o).SetCurrentPage(1); },
       [](auto& o) { static_cast<ZafNotebook&>(o).UserSelectPage(2); }},
  };
  for (const Row& row : rows) {
    ZafWindowObject* control = m_main->Find(row.control);
    ASSERT_NE(control, nullptr) << row.control;
    StUserCalls calls;
    control->SetUserFunction(calls.Function());
    row.fromCode(*control);
    EXPECT_TRUE(calls.events.empty()) << row.control;
    EXPECT_EQ(m_observer.Count(*control, row.change), 1U) << row.control;
    row.byUser(*control);
    EXPECT_EQ(calls.events, std::vector<ZafEventType>{kZafEventChanged}) << row.control;
  }
}

TEST_F(ControlsTest, DisabledOrHiddenControlsIgnoreTheUser) {
  StUserCalls calls;
  auto* disabled = m_main->FindAs<ZafButton>("DisabledButton");
  disabled->SetUserFunction(calls.Function());
  EXPECT_EQ(disabled->UserPress(), 0);
  auto* hidden = m_main->FindAs<ZafButton>("HiddenButton");
  hidden->SetUserFunction(calls.Function());
  hidden->UserPress();
  // Disabled through a parent counts too.
  auto* slider = m_main->FindAs<ZafScrollBar>("TipFeelSlider");
  slider->SetUserFunction(calls.Function());
  m_main->Find("StylusTab")->SetDisabled(true);
  EXPECT_TRUE(slider->EffectivelyDisabled());
  slider->UserSetPosition(0);
  EXPECT_TRUE(calls.events.empty());
  EXPECT_EQ(slider->Position(), 3);
}

TEST_F(ControlsTest, RadioButtonsOfAGroupExcludeOneAnother) {
  auto* pen = m_main->FindAs<ZafButton>("TM_PenMode");
  auto* mouse = m_main->FindAs<ZafButton>("TM_MouseMode");
  auto* group = m_main->FindAs<ZafGroup>("TM_Group");
  mouse->UserPress();
  EXPECT_FALSE(pen->Checked());
  EXPECT_EQ(group->CheckedButton(), mouse);
  pen->SetChecked(true);
  EXPECT_FALSE(mouse->Checked());
  // Pressing the checked radio button keeps it checked.
  pen->UserPress();
  EXPECT_TRUE(pen->Checked());
}

TEST_F(ControlsTest, SlidersClampToTheirRangeAndOnlyRealMovesCount) {
  auto* slider = m_main->FindAs<ZafScrollBar>("TipFeelSlider");
  StUserCalls calls;
  slider->SetUserFunction(calls.Function());
  slider->SetPosition(99);
  EXPECT_EQ(slider->Position(), 6);
  slider->UserSetPosition(-4);
  EXPECT_EQ(slider->Position(), 0);
  slider->UserSetPosition(0);  // no move, no call
  EXPECT_EQ(calls.events.size(), 1U);
  slider->SetRange(10, 2);
  EXPECT_EQ(slider->Minimum(), 2);
  EXPECT_EQ(slider->Position(), 2);
}

TEST_F(ControlsTest, ListSelectionFollowsItsEntryWhenEntriesComeAndGo) {
  auto* combo = m_main->FindAs<ZafComboBox>("UpperSideSwitchComboBox");
  combo->SetSelection(1);
  combo->InsertEntry(0, {"Default", "BDefault", 1001, 0});
  EXPECT_EQ(combo->SelectedEntry()->stringId, "BRightClick");
  combo->RemoveEntry(static_cast<std::size_t>(combo->FindEntry("BClick")));
  EXPECT_EQ(combo->SelectedEntry()->stringId, "BRightClick");
  combo->RemoveEntry(static_cast<std::size_t>(combo->FindEntry("BRightClick")));
  EXPECT_EQ(combo->Selection(), -1);
  EXPECT_EQ(combo->FindValue(1001), 0);
  combo->SetSelection(7);
  EXPECT_EQ(combo->Selection(), -1);
  // While the list is open the choice is not final yet.
  ZafEventStruct query;
  query.type = kZafEventQuerySettled;
  combo->SetListOpen(true);
  EXPECT_EQ(combo->Event(query), 0);
  combo->SetListOpen(false);
  EXPECT_EQ(combo->Event(query), 1);
}

TEST_F(ControlsTest, SpinStepsTheFieldWithinItsRange) {
  auto* spin = m_main->FindAs<ZafSpinControl>("WFLinesSpin");
  auto* field = m_main->FindAs<ZafInteger>("WFLinesValue");
  StUserCalls calls;
  spin->SetUserFunction(calls.Function());
  spin->UserStep(1);
  EXPECT_EQ(field->IntegerValue(), 4);
  field->SetIntegerValue(15);
  EXPECT_EQ(spin->UserStep(1), 0);
  EXPECT_EQ(field->IntegerValue(), 15);
  EXPECT_EQ(calls.events.size(), 1U);
  field->SetText("12");
  EXPECT_EQ(field->IntegerValue(), 12);
  field->SetText("twelve");
  EXPECT_EQ(field->IntegerValue(), 12);
}

TEST_F(ControlsTest, AMenuButtonOpensItsMenuAndAnItemSendsItsMessage) {
  auto* button = m_main->FindAs<ZafButton>("MenuButton");
  auto* item = m_main->FindAs<ZafPopUpItem>("DK_AltTab");
  ASSERT_NE(button->Menu(), nullptr);
  // Move the button into a window that logs the messages it receives.
  CEventLog<> window;
  window.Add(m_main->Subtract(*button));
  button->SetSendMessage(0x4012);
  item->SetSendMessage(0x4013);
  button->UserPress();
  EXPECT_TRUE(button->Menu()->Open());
  item->UserPress();
  EXPECT_FALSE(button->Menu()->Open());
  EXPECT_EQ(window.Types(), (std::vector<ZafEventType>{0x4012, 0x4013}));
}

TEST_F(ControlsTest, SystemControlsDoTheLeastTheirCallersNeed) {
  auto dialog = Load("TestDialog");
  CEventLog<ZafDialogWindow> taps;
  ASSERT_EQ(m_persistence->ReadInto(taps, "TestDialog"), kStatusOk);
  taps.FindAs<CMouseCaptureWindow>("Capture")->UserTap(12, 34);
  ASSERT_EQ(taps.Of(kZafEventPenTap).size(), 1U);
  EXPECT_EQ(taps.Of(kZafEventPenTap)[0].data[0], 12);
  EXPECT_EQ(taps.Of(kZafEventPenTap)[0].data[1], 34);

  auto* pressure = dialog->FindAs<CPressureTestWnd>("Pressure");
  pressure->SetPressure(2000, 1023);
  EXPECT_EQ(pressure->Pressure(), 1023);
  pressure->SetPressure(256, 1024);
  EXPECT_EQ(pressure->FilledPixels(200), 50);

  auto* thumbnail = dialog->FindAs<CThumbnail>("Thumbnail");  // 100 x 50 pixels
  thumbnail->SetExtent(1000, 500);
  EXPECT_EQ(thumbnail->Scaled({0, 0, 499, 249}), (ZafRegion{0, 0, 49, 24}));
  EXPECT_EQ(thumbnail->Scaled({500, 250, 999, 499}), (ZafRegion{50, 25, 99, 49}));

  auto* scroll = dialog->FindAs<CScrollButton>("ScrollUp");
  StUserCalls calls;
  scroll->SetUserFunction(calls.Function());
  scroll->SetRepeatMs(100);
  EXPECT_EQ(scroll->UserHold(350), 4);
  EXPECT_EQ(calls.events.size(), 4U);
}

}  // namespace
