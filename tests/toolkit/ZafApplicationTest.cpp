#include <filesystem>

#include <gtest/gtest.h>

#include "support/CScopedEnv.h"
#include "support/CTempDir.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/storage/CZncWriter.h"

namespace {

using ZafApplicationTest = ToolkitFixture;

TEST_F(ZafApplicationTest, HelpTipsLongerThanTwentyCharactersWrapAtBlanks) {
  const std::string tip = "Press harder to click and softer to move the pen.";
  m_application->SetHelpTipWrap(5);
  EXPECT_EQ(m_application->WrapHelpTip("short tip"), "short tip");
  EXPECT_EQ(m_application->WrapHelpTip("already\nbroken into lines here"),
            "already\nbroken into lines here");
  // 50 characters, factor 5: lines of about ten characters.
  EXPECT_EQ(m_application->WrapHelpTip(tip),
            "Press harder\nto click and\nsofter to move\nthe pen.");
  m_application->SetHelpTipWrap(0);
  EXPECT_EQ(m_application->WrapHelpTip(tip), tip);
}

TEST(ZafApplication, OpensTheI18nStorageBesideTheModuleWhenThere) {
  CTempDir dir;
  std::string module = dir.Path() + "/Tablet.cpl";
  char* argv[] = {module.data(), nullptr};
  {
    ZafApplication application(1, argv, std::make_unique<ZafHeadlessPresenter>());
    EXPECT_EQ(application.I18nStorage(), nullptr);  // none there: go on without it
  }
  CZncWriter writer;
  ASSERT_EQ(writer.WriteFile(dir.Path() + "/i18n.znc"), kStatusOk);
  ZafApplication application(1, argv, std::make_unique<ZafHeadlessPresenter>());
  EXPECT_NE(application.I18nStorage(), nullptr);
}

TEST(ZafApplication, AScriptThatCannotBeReadFailsTheStartUp) {
  CScopedEnv script("KELVO_SCRIPT", "/nonexistent/script.txt");
  testing::internal::CaptureStderr();
  ZafApplication application(0, nullptr);
  (void)testing::internal::GetCapturedStderr();
  EXPECT_EQ(application.StartupState(), ZafApplication::kStartupFailed);
}

}  // namespace
