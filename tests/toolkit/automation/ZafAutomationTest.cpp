#include <fstream>

#include <gtest/gtest.h>

#include "support/CScopedEnv.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafTimer.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/automation/ZafScript.h"
#include "toolkit/controls/ZafScrollBar.h"

namespace {

class ZafAutomationTest : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    ASSERT_EQ(m_persistence->ReadInto(m_main, "TestMain"), kStatusOk);
    m_application->WindowManager().Add(m_main);
  }
  // Runs a script to its end; answers true when it passed. What it printed goes to m_err.
  bool Run(const std::string& text) {
    auto script = std::make_unique<ZafScript>();
    EXPECT_EQ(script->Parse(text, "test.script"), kStatusOk) << script->Error();
    m_presenter->SetScript(std::move(script));
    testing::internal::CaptureStderr();
    m_presenter->Automation()->RunToEnd();
    m_err = testing::internal::GetCapturedStderr();
    return !m_presenter->Automation()->Failed() && m_presenter->Automation()->Done();
  }
  CEventLog<> m_main;  // the main test window
  std::string m_err;
};

TEST_F(ZafAutomationTest, UserVerbsActThroughTheControlsAndChecksPass) {
  EXPECT_TRUE(Run(R"(# act as a user
slider TipFeelSlider 5
check ClickSound off
check ClickSound off
radio TM_MouseMode
spin WFLinesSpin up
expect value TipFeelSlider 5
expect checked ClickSound no
expect selection TM_Group TM_MouseMode
expect value WFLinesValue 4
)")) << m_err;
}

TEST_F(ZafAutomationTest, AFailedCheckStopsTheScript) {
  EXPECT_FALSE(Run("expect value TipFeelSlider 4\nslider TipFeelSlider 6\n"));
  EXPECT_EQ(m_main.FindAs<ZafScrollBar>("TipFeelSlider")->Position(), 3);  // line 2 never ran
}

TEST_F(ZafAutomationTest, AdvanceFiresEveryTickOnTheWay) {
  m_application->EventManager().AddTimer(std::make_unique<ZafTimer>(2500, &m_main));
  EXPECT_TRUE(Run("advance 7600\n"));
  EXPECT_EQ(m_main.Of(kZafEventTimer).size(), 3U);
  EXPECT_EQ(m_presenter->ManualClock().NowMs(), 7600);
}

TEST_F(ZafAutomationTest, KeysScreensMessagesAndClosingFromTheFrame) {
  m_application->ErrorBox("Error", "Resource file could not be found or loaded.");
  EXPECT_TRUE(
      Run("hold Ctrl on\nkey F1\nhold Ctrl off\ntype aB\n"
          "key NumHome down\nkey Home down\nkey Num7 down\nkey Num* down\n"
          "screens \"800x600+0+0;640x480+800+0\"\n"
          "expect message Error \"Resource file could not be found or loaded.\"\n"
          "close TestMain\n"))
      << m_err;
  const std::vector<ZafKeyInfo> keys = m_main.Keys();
  ASSERT_EQ(keys.size(), 12U);  // hold and key: down, up; type: both per letter
  const std::pair<std::size_t, std::uint8_t> virtualKeys[] = {
      {1, 0x70}, {4, 'A'}, {8, 0x24}, {10, 0x67}, {11, 0x6A}};
  for (const auto& [i, virtualKey] : virtualKeys) EXPECT_EQ(keys[i].virtualKey, virtualKey) << i;
  EXPECT_EQ(keys[3].keyData & kZafKeyReleased, kZafKeyReleased);
  EXPECT_EQ(keys[4].character, 'a');
  EXPECT_EQ(keys[8].keyData & kZafKeyExtended, 0U) << "the keypad's Home is not the dedicated one";
  EXPECT_EQ(keys[9].keyData & kZafKeyExtended, kZafKeyExtended);
  EXPECT_EQ(keys[10].unicode, U'7');
  ASSERT_EQ(m_presenter->Screens().size(), 2U);
  EXPECT_EQ(m_presenter->Screens()[1].bounds, ZafRegion::FromSize(800, 0, 640, 480));
  EXPECT_EQ(m_main.ClosingEvent(), kZafEventClose);
}

// The checks pass on what the controls hold, and fail, naming the line, on
// anything else; so do lines a user could not do.
TEST_F(ZafAutomationTest, ChecksSeeWhatControlsHoldAndBadLinesFailTheRun) {
  auto dialog = Load("TestDialog");
  m_application->WindowManager().Add(*dialog);
  m_main.ShowPointer(false);
  EXPECT_TRUE(Run(R"(caret TestDialog/NameField 2
expect focused NameField yes
move TestMain 30 40
expect region TestMain 30 40 400 300
expect pointer TestMain hidden
expect picture StylusImage Pic_1
expect picture AboutButton none
)")) << m_err;
  for (const char* bad :
       {"expect entries UpperSideSwitchComboBox BRightClick BClick\n", "expect caret NameField 1\n",
        "expect region TestMain 30 40 400 301\n", "expect pointer TestMain shown\n",
        "expect picture StylusImage Pic_2\n", "expect pointer NameField shown\n",
        "expect message Error Other\n", "expect value TipFeelSlider three\n",
        "move NameField 1 2\n", "press NoSuchButton\n", "press HiddenButton\n",
        "press DisabledButton\n", "slider ClickSound 3\n",
        "combo UpperSideSwitchComboBox BNothing\n", "tab NoSuchTab\n", "advance soon\n",
        "screens 800x600\n", "key NumTab\n", "frobnicate\n"}) {
    EXPECT_FALSE(Run(bad)) << bad;
    EXPECT_NE(m_err.find("test.script:1: "), std::string::npos) << bad << m_err;
  }
  m_application->WindowManager().Subtract(*dialog);
}

// The way a host runs a script: named in the environment, run by the event
// loop until its end, the outcome written to the result file as one line.
TEST(ZafAutomationRun, AScriptFromTheEnvironmentDrivesTheEventLoopAndReportsItsOutcome) {
  const std::string scriptPath = ::testing::TempDir() + "/run.script";
  const std::string resultPath = ::testing::TempDir() + "/run.result";
  const std::pair<const char*, std::string> cases[] = {
      {"slider TipFeelSlider 6\nexpect value TipFeelSlider 6\n", "passed"},
      {"\nexpect value TipFeelSlider 6\n",
       "failed: " + scriptPath + ":2: expect value TipFeelSlider: got 3, expected 6"}};
  for (const auto& [script, expected] : cases) {
    std::ofstream(scriptPath) << script;
    CScopedEnv scriptVariable("KELVO_SCRIPT", scriptPath);
    CScopedEnv resultVariable("KELVO_SCRIPT_RESULT", resultPath);
    testing::internal::CaptureStderr();
    {
      ZafApplication application(0, nullptr);
      ZafStorage storage;
      ASSERT_EQ(storage.Open(KELVO_TOOLKIT_FIXTURE), kStatusOk);
      ZafObjectPersistence persistence(storage, &application.DataManager());
      ZafWindow main;
      ASSERT_EQ(persistence.ReadInto(main, "TestMain"), kStatusOk);
      application.WindowManager().Add(main);
      EXPECT_EQ(application.Control(), 0);
    }
    (void)testing::internal::GetCapturedStderr();
    std::ifstream result(resultPath);
    std::string first;
    std::getline(result, first);
    EXPECT_EQ(first, expected);
  }
}

TEST(ZafScript, EscapedQuotesAndWindowsLineEndsAreWordsAndAnOpenQuoteIsRefused) {
  ZafScript script;
  ASSERT_EQ(script.Parse("expect text A \"say \\\"hi\\\"\"\r\n"), kStatusOk);
  EXPECT_EQ(script.Lines()[0].words,
            (std::vector<std::string>{"expect", "text", "A", "say \"hi\""}));
  EXPECT_EQ(script.Parse("press \"open\n", "s"), kStatusResourceDamaged);
  EXPECT_EQ(script.Error(), "s:1: unterminated quote");
}

}  // namespace
