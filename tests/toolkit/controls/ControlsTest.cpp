#include <functional>
#include <map>
#include <utility>

#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/controls/CPressureTestWnd.h"
#include "toolkit/controls/CScrollButton.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"

namespace {

// Counts change notices by object and kind.
class CChangeCounter : public ZafObjectObserver {
 public:
  void ObjectChanged(ZafWindowObject& object, ZafChange change) override {
    ++m_counts[{&object, change}];
  }
  std::map<std::pair<ZafWindowObject*, ZafChange>, int> m_counts;
};

class ControlsTest : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    m_main = Load("TestMain");
    m_main->SetObserver(&m_observer);
  }
  template <typename T>
  T* Find(const char* name) {
    auto* control = m_main->FindAs<T>(name);
    if (control != nullptr) control->SetUserFunction(m_calls.Function());
    return control;
  }
  std::unique_ptr<ZafWindow> m_main;
  CChangeCounter m_observer;
  StUserCalls m_calls;  // what reached the user functions of controls found with Find
};

// For each kind of control: a change from code notifies but never calls the
// user function; the same change by the user calls it once with 1002.
TEST_F(ControlsTest, CodeChangesNotifyButOnlyUserInputCallsTheUserFunction) {
  using Act = std::function<void(ZafWindowObject&)>;
  struct Row {
    const char* control;
    ZafChange change;
    Act fromCode;
    Act byUser;
  };
  const Row rows[] = {
      {"TipFeelSlider", ZafChange::kValue,
       [](auto& o) { static_cast<ZafScrollBar&>(o).SetPosition(5); },
       [](auto& o) { static_cast<ZafScrollBar&>(o).UserSetPosition(1); }},
      {"ClickSound", ZafChange::kChecked,
       [](auto& o) { static_cast<ZafButton&>(o).SetChecked(false); },
       [](auto& o) { static_cast<ZafButton&>(o).UserPress(); }},
      {"UpperSideSwitchComboBox", ZafChange::kSelection,
       [](auto& o) { static_cast<ZafList&>(o).SetSelection(0); },
       [](auto& o) { static_cast<ZafList&>(o).UserSelect(1); }},
      {"WFLinesValue", ZafChange::kValue,
       [](auto& o) { static_cast<ZafInteger&>(o).SetIntegerValue(9); },
       [](auto& o) { static_cast<ZafInteger&>(o).UserSetValue(20); }},
      {"TabsWindow", ZafChange::kSelection,
       [](auto& o) { static_cast<ZafNotebook&>(o).SetCurrentPage(1); },
       [](auto& o) { static_cast<ZafNotebook&>(o).UserSelectPage(2); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.control);
    ZafWindowObject* control = Find<ZafWindowObject>(row.control);
    m_calls.events.clear();
    row.fromCode(*control);
    EXPECT_TRUE(m_calls.events.empty());
    EXPECT_EQ((m_observer.m_counts[{control, row.change}]), 1);
    row.byUser(*control);
    EXPECT_EQ(m_calls.events, std::vector<ZafEventType>{kZafEventChanged});
  }
}

// Disabled through a parent counts too.
TEST_F(ControlsTest, DisabledOrHiddenControlsIgnoreTheUser) {
  EXPECT_EQ(Find<ZafButton>("DisabledButton")->UserPress(), 0);
  Find<ZafButton>("HiddenButton")->UserPress();
  auto* slider = Find<ZafScrollBar>("TipFeelSlider");
  m_main->Find("StylusTab")->SetDisabled(true);
  slider->UserSetPosition(0);
  EXPECT_TRUE(m_calls.events.empty());
  EXPECT_EQ(slider->Position(), 3);
}

TEST_F(ControlsTest, SlidersAndSpinsKeepToTheirRangeAndOnlyRealMovesCount) {
  auto* slider = Find<ZafScrollBar>("TipFeelSlider");
  slider->SetPosition(99);
  EXPECT_EQ(slider->Position(), 6);
  slider->UserSetPosition(-4);
  EXPECT_EQ(slider->Position(), 0);
  slider->UserSetPosition(0);  // no move, no call
  slider->SetRange(10, 2);
  EXPECT_EQ(slider->Minimum(), 2);
  EXPECT_EQ(slider->Position(), 2);

  auto* spin = Find<ZafSpinControl>("WFLinesSpin");
  auto* field = m_main->FindAs<ZafInteger>("WFLinesValue");
  spin->UserStep(1);
  EXPECT_EQ(field->IntegerValue(), 4);
  field->SetIntegerValue(15);
  EXPECT_EQ(spin->UserStep(1), 0);
  EXPECT_EQ(field->IntegerValue(), 15);
  EXPECT_EQ(m_calls.events.size(), 2U);
  field->SetText("twelve");
  EXPECT_EQ(field->IntegerValue(), 15);
}

TEST_F(ControlsTest, ListSelectionFollowsItsEntryWhenEntriesComeAndGo) {
  auto* combo = Find<ZafComboBox>("UpperSideSwitchComboBox");
  combo->SetSelection(1);
  combo->InsertEntry(0, {"Default", "BDefault", 1001, 0});
  combo->RemoveEntry(static_cast<std::size_t>(combo->FindEntry("BClick")));
  EXPECT_EQ(combo->SelectedEntry()->stringId, "BRightClick");
  combo->RemoveEntry(static_cast<std::size_t>(combo->FindEntry("BRightClick")));
  EXPECT_EQ(combo->Selection(), -1);
  EXPECT_EQ(combo->FindValue(1001), 0);
  // While the list is open the choice is not final yet.
  ZafEventStruct query;
  query.type = kZafEventQuerySettled;
  combo->SetListOpen(true);
  EXPECT_EQ(combo->Event(query), 0);
  combo->SetListOpen(false);
  EXPECT_EQ(combo->Event(query), 1);
}

TEST_F(ControlsTest, SystemControlsDoTheLeastTheirCallersNeed) {
  auto dialog = Load("TestDialog");
  auto* pressure = dialog->FindAs<CPressureTestWnd>("Pressure");
  pressure->SetPressure(2000, 1023);
  EXPECT_EQ(pressure->Pressure(), 1023);
  pressure->SetPressure(256, 1024);
  EXPECT_EQ(pressure->FilledPixels(200), 50);

  auto* scroll = dialog->FindAs<CScrollButton>("ScrollUp");
  scroll->SetUserFunction(m_calls.Function());
  scroll->SetRepeatMs(100);
  EXPECT_EQ(scroll->UserHold(350), 4);
  EXPECT_EQ(m_calls.events.size(), 4U);
}

}  // namespace
