#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/storage/CZncWriter.h"

namespace {

using ZafApplicationTest = ToolkitFixture;

TEST_F(ZafApplicationTest, HelpTipsLongerThanTwentyCharactersWrapAtBlanks) {
  m_application->SetHelpTipWrap(5);
  EXPECT_EQ(m_application->WrapHelpTip("short tip"), "short tip");
  EXPECT_EQ(m_application->WrapHelpTip("already\nbroken into lines here"), "already\nbroken into lines here");
  // 50 characters, factor 5: lines of about ten characters.
  const std::string wrapped = m_application->WrapHelpTip("Press harder to click and softer to move the pen.");
  EXPECT_EQ(wrapped, "Press harder\nto click and\nsofter to move\nthe pen.");
  m_application->SetHelpTipWrap(0);
  EXPECT_EQ(m_application->WrapHelpTip("Press harder to click and softer to move the pen."),
            "Press harder to click and softer to move the pen.");
}

TEST_F(ZafApplicationTest, ErrorBoxGoesToThePresenterAndIsAnsweredOk) {
  testing::internal::CaptureStderr();
  m_application->ErrorBox("Error", "Resource file could not be found or loaded.");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Resource file could not be found or loaded.\n");
  ASSERT_EQ(m_presenter->Messages().size(), 1U);
  EXPECT_EQ(m_presenter->Messages()[0].title, "Error");
}

TEST(ZafApplication, KeepsArgumentsAndOpensTheI18nStorageBesideTheModuleWhenThere) {
  const auto dir = std::filesystem::temp_directory_path() / ("zaf-i18n-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string module = (dir / "Tablet.cpl").string();
  std::vector<char> arg(module.begin(), module.end());
  arg.push_back('\0');
  char* argv[] = {arg.data(), nullptr};
  {
    ZafApplication application(1, argv, std::make_unique<ZafHeadlessPresenter>());
    EXPECT_EQ(application.Arguments(), std::vector<std::string>{module});
    EXPECT_EQ(application.I18nStorage(), nullptr);  // none there: go on without it
    EXPECT_EQ(application.StartupState(), ZafApplication::kStartupOk);
    EXPECT_EQ(ZafApplication::Get(), &application);
  }
  EXPECT_EQ(ZafApplication::Get(), nullptr);
  CZncWriter writer;
  ASSERT_EQ(writer.WriteFile((dir / "i18n.znc").string()), kStatusOk);
  {
    ZafApplication application(1, argv, std::make_unique<ZafHeadlessPresenter>());
    EXPECT_NE(application.I18nStorage(), nullptr);
  }
  std::filesystem::remove_all(dir);
}

TEST(ZafApplication, AScriptThatCannotBeReadFailsTheStartUp) {
  ::setenv("KELVO_SCRIPT", "/nonexistent/script.txt", 1);
  testing::internal::CaptureStderr();
  ZafApplication application(0, nullptr);
  (void)testing::internal::GetCapturedStderr();
  ::unsetenv("KELVO_SCRIPT");
  EXPECT_EQ(application.StartupState(), ZafApplication::kStartupFailed);
}

}  // namespace
