// The main window over the real resource file and the tablet service in this
// process.
#include <gtest/gtest.h>

#include "CTabsFixture.h"
#include "host/upperview/CUpperView.h"
#include "toolkit/controls/ZafButton.h"
#include "views/ControlIds.h"

namespace {

// A dialog root that answers every Get with one value, as a bound view would.
class CAnsweringRoot : public CKelvoView {
 public:
  ViewResult Dispatch(ViewRequest& request) override {
    if (request.operation != kViewGet || request.data == nullptr) return 0;
    *static_cast<std::int32_t*>(request.data) = value;
    return kStatusHandled;
  }
  ViewResult Perform(ViewRequest&) override { return 0; }
  ViewResult CanAttach(CDataGrouping*, std::int32_t) override { return 0; }
  ViewResult Attach(CDataGrouping*, std::int32_t) override { return 0; }
  ViewResult Detach() override { return 0; }
  ViewResult SetStateAndNotify(std::uint32_t) override { return 0; }
  std::uint32_t GetControlId() const override { return 1; }

  std::int32_t value = 0;
};

using CCPLMainWindowTest = CTabsFixture;

// A radio group is shown by checking the button its value names, whether the
// table knows the group by a row of its own or by its buttons only.
TEST_F(CCPLMainWindowTest, RadioGroupsCheckTheButtonOfTheirValue) {
  ASSERT_EQ(Open(), kStatusOk);
  struct Case {
    std::uint32_t group;
    std::int32_t value;
    const char* checked;
  };
  const Case cases[] = {
      {ControlId::kPenMouseMode, 1, "TM_MouseMode"},
      {ControlId::kPuckPenMouseMode, 1, "PTM_MouseMode"},
      {ControlId::kWheelFunctionGroup, 1, "WFScrollPageButton"},
      {ControlId::kWheelFunctionGroup, 7, "WFOffButton"},
      {ControlId::kJoystickScrollGroup, 2, "JoystickScrollMedium"},
      {ControlId::kJoystickSwitchGroup, 23, "JoystickSwitchRun"},
      {ControlId::kTipModeGroup, 1, "SwitchPlusTipButton"},
  };
  CAnsweringRoot root;
  CUpperView::Instance()->PushRoot(&root);
  for (const Case& c : cases) {
    root.value = c.value;
    EXPECT_EQ(m_window->UpdateControl(c.group, 5), kStatusOk) << c.group;
    // The tablet tab's page is out of the notebook for this tablet; its group still holds the
    // buttons.
    ZafWindowObject* scope = c.group == ControlId::kTipModeGroup
                                 ? m_window->GetTableWindow(CCPLMainWindow::kAdvancedWindow)
                                 : m_window->GetControl(c.group);
    if (scope == nullptr) scope = m_window.get();
    const auto* button = scope->FindAs<ZafButton>(c.checked);
    ASSERT_NE(button, nullptr) << c.checked;
    EXPECT_TRUE(button->Checked()) << c.group << " = " << c.value;
  }
  CUpperView::Instance()->PopRoot();

  // Buttons carry their own values and stay out of the control map.
  EXPECT_EQ(m_window->GetControl(ControlId::kPenMouseMode), nullptr);
}

// A start that fails shows its dialog alone, with no half-built main window
// behind it; a start that succeeds shows the main window.
TEST_F(CCPLMainWindowTest, FailureDialogsStandAlone) {
  struct Case {
    const char* profile;
    Status result;
    const char* dialog;
  };
  const Case cases[] = {
      {"no driver", kStatusNoDriverInterface, "TabletDriverNotFoundDialog"},
      {"unsupported.json", kStatusNoTablet, "NoSuppTabletDialog"},
      {"old-driver.json", kStatusVersionMismatch, "Tablet Version Mismatch"},
  };
  for (const Case& c : cases) {
    CloseWindow();
    m_presenter->behindDialogs.clear();
    EXPECT_EQ(Open(c.profile), c.result) << c.profile;
    ASSERT_FALSE(m_presenter->behindDialogs.empty()) << c.profile;
    EXPECT_EQ(m_presenter->behindDialogs.back().first, c.dialog);
    EXPECT_EQ(m_presenter->behindDialogs.back().second, std::vector<std::string>{}) << c.profile;
    EXPECT_FALSE(m_application->WindowManager().Contains(*m_window)) << c.profile;
  }
  CloseWindow();
  ASSERT_EQ(Open(), kStatusOk);
  EXPECT_TRUE(m_application->WindowManager().Contains(*m_window));
}

// The user's locale picks the language of every text; Taiwan and Hong Kong
// read Traditional Chinese.
TEST_F(CCPLMainWindowTest, TheLocaleChoosesTheLanguageStrings) {
  struct Case {
    const char* locale;
    const char* title;
  };
  const Case cases[] = {
      {"zh_TW.UTF-8", "數位板內容"}, {"zh_HK", "數位板內容"},
      {"zh_CN.UTF-8", "数位板属性"}, {"de_DE.UTF-8", "Tablett-Eigenschaften"},
      {"C", "Tablet Properties"},
  };
  for (const Case& c : cases) {
    CloseWindow();
    CScopedEnv locale("LC_ALL", std::string(c.locale));
    ASSERT_EQ(Open(), kStatusOk) << c.locale;
    EXPECT_EQ(m_window->Text(), c.title) << c.locale;
  }
}

}  // namespace
