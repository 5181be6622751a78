// The main window over the real resource file and the tablet service in this
// process.
#include <gtest/gtest.h>

#include "CTabsFixture.h"

namespace {

using CCPLMainWindowTest = CTabsFixture;

// A start that fails shows its dialog alone, with no half-built main window
// behind it; a start that succeeds shows the main window.
TEST_F(CCPLMainWindowTest, FailureDialogsStandAlone) {
  struct Case {
    const char* profile;
    Status result;
    const char* dialog;
  };
  const Case cases[] = {
      {"unsupported.json", kStatusNoTablet, "NoSuppTabletDialog"},
      {"old-driver.json", kStatusVersionMismatch, "Tablet Version Mismatch"},
  };
  for (const Case& c : cases) {
    m_presenter->behindDialogs.clear();
    EXPECT_EQ(Open(c.profile), c.result) << c.profile;
    ASSERT_FALSE(m_presenter->behindDialogs.empty()) << c.profile;
    EXPECT_EQ(m_presenter->behindDialogs.back().first, c.dialog);
    EXPECT_EQ(m_presenter->behindDialogs.back().second, std::vector<std::string>{}) << c.profile;
    EXPECT_FALSE(m_application->WindowManager().Contains(*m_window)) << c.profile;
  }
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
    CScopedEnv locale("LC_ALL", std::string(c.locale));
    ASSERT_EQ(Open(), kStatusOk) << c.locale;
    EXPECT_EQ(m_window->Text(), c.title) << c.locale;
  }
}

}  // namespace
