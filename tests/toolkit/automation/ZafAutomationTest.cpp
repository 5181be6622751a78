#include <gtest/gtest.h>

#include <fstream>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafTimer.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/automation/ZafScript.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafScrollBar.h"

namespace {

class ZafAutomationTest : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    ASSERT_EQ(m_persistence->ReadInto(m_main, "TestMain"), kStatusOk);
    m_dialog = Load("TestDialog");
    for (const char* name : {"TipFeelSlider", "ClickSound", "UpperSideSwitchComboBox", "TM_MouseMode", "TabsWindow",
                             "WFLinesSpin"}) {
      m_main.Find(name)->SetUserFunction([this, name](ZafWindowObject&, ZafEventType event) {
        m_log.push_back(std::string(name) + ":" + std::to_string(event));
        return 0;
      });
    }
    m_main.Find("AboutButton")->SetUserFunction([this](ZafWindowObject&, ZafEventType) {
      m_aboutResult = m_application->WindowManager().RunModal(*m_dialog);
      m_ctrlAtAbout = m_application->Keyboard().IsDown(kZafKeyControl);
      return 0;
    });
    m_application->WindowManager().Add(m_main);
  }
  // Runs a script to its end; answers true when it passed.
  bool Run(const std::string& text) {
    auto script = std::make_unique<ZafScript>();
    EXPECT_EQ(script->Parse(text, "test.script"), kStatusOk) << script->Error();
    m_presenter->SetScript(std::move(script));
    m_presenter->Automation()->RunToEnd();
    return !m_presenter->Automation()->Failed() && m_presenter->Automation()->Done();
  }
  CEventLog<> m_main;  // the main test window
  std::unique_ptr<ZafWindow> m_dialog;
  std::vector<std::string> m_log;
  ZafEventType m_aboutResult = kZafEventNone;
  bool m_ctrlAtAbout = false;
};

TEST_F(ZafAutomationTest, UserVerbsActThroughTheControlsAndChecksPass) {
  EXPECT_TRUE(Run(R"(# act as a user
slider TipFeelSlider 5
check ClickSound off
check ClickSound off
combo UpperSideSwitchComboBox BRightClick
radio TM_MouseMode
tab PuckTab
spin WFLinesSpin up
expect value TipFeelSlider 5
expect checked ClickSound no
expect selection UpperSideSwitchComboBox BRightClick
expect text UpperSideSwitchComboBox "Right click"
expect value UpperSideSwitchComboBox 4
expect selection TM_Group TM_MouseMode
expect selection TabsWindow PuckTab
expect value WFLinesValue 4
expect visible HiddenButton no
expect enabled DisabledButton no
)"));
  EXPECT_EQ(m_log, (std::vector<std::string>{"TipFeelSlider:1002", "ClickSound:1002", "UpperSideSwitchComboBox:1002",
                                             "TM_MouseMode:1002", "TabsWindow:1002", "WFLinesSpin:1002"}));
}

TEST_F(ZafAutomationTest, AFailedCheckNamesTheLineAndControlAndStopsTheScript) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Run("slider TipFeelSlider 2\n\nexpect value TipFeelSlider 4\nslider TipFeelSlider 6\n"));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("test.script:3: expect value TipFeelSlider: got 2, expected 4"), std::string::npos) << err;
  EXPECT_EQ(m_main.FindAs<ZafScrollBar>("TipFeelSlider")->Position(), 2);  // line 4 never ran
  testing::internal::CaptureStderr();
  EXPECT_FALSE(m_presenter->Automation()->Finish());
  (void)testing::internal::GetCapturedStderr();
}

TEST_F(ZafAutomationTest, BadLinesFailTheRun) {
  const char* scripts[] = {"press NoSuchButton\n", "press HiddenButton\n", "press DisabledButton\n",
                           "slider ClickSound 3\n", "combo UpperSideSwitchComboBox BNothing\n", "frobnicate\n",
                           "expect value TipFeelSlider three\n", "tab NoSuchTab\n", "advance soon\n"};
  for (const char* script : scripts) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Run(script)) << script;
    EXPECT_NE(testing::internal::GetCapturedStderr().find("test.script:1: "), std::string::npos) << script;
  }
}

TEST_F(ZafAutomationTest, ModalDialogsAreAnsweredByTheScript) {
  EXPECT_TRUE(Run("answer cancel\npress AboutButton\nexpect window TestMain\n"));
  EXPECT_EQ(m_aboutResult, kZafEventCancel);
  // Answered from inside the modal run, after acting in the dialog.
  EXPECT_TRUE(Run("press AboutButton\nexpect window TestDialog\nexpect value Progress 50\nanswer ok\n"));
  EXPECT_EQ(m_aboutResult, kZafEventOk);
  EXPECT_TRUE(Run("hold Ctrl on\npress AboutButton\nanswer ok\nhold Ctrl off\n"));
  EXPECT_TRUE(m_ctrlAtAbout);
  EXPECT_FALSE(m_application->Keyboard().IsDown(kZafKeyControl));
}

TEST_F(ZafAutomationTest, AdvanceFiresEveryTickOnTheWay) {
  ZafTimer* timer = m_application->EventManager().AddTimer(std::make_unique<ZafTimer>(2500, &m_main));
  EXPECT_TRUE(Run("advance 7600\n"));
  EXPECT_EQ(m_main.Of(kZafEventTimer).size(), 3U);
  EXPECT_EQ(m_presenter->ManualClock().NowMs(), 7600);
  m_application->EventManager().SendTimerEvent(*timer, kZafEventTimerOff);
  EXPECT_TRUE(Run("advance 10000\n"));
  EXPECT_EQ(m_main.Of(kZafEventTimer).size(), 3U);
}

TEST_F(ZafAutomationTest, KeysAndMessageBoxesCanBeScriptedAndChecked) {
  testing::internal::CaptureStderr();
  m_application->ErrorBox("Error", "Resource file could not be found or loaded.");
  EXPECT_TRUE(Run("hold Ctrl on\nkey F1\nhold Ctrl off\ntype aB\n"
                  "expect message Error \"Resource file could not be found or loaded.\"\n"));
  (void)testing::internal::GetCapturedStderr();
  const std::vector<ZafKeyInfo> keys = m_main.Keys();
  ASSERT_EQ(keys.size(), 8U);
  EXPECT_EQ(keys[1].virtualKey, 0x70);
  EXPECT_TRUE(keys[1].down);
  EXPECT_EQ(keys[3].virtualKey, kZafKeyControl);
  EXPECT_EQ(keys[3].keyData & kZafKeyReleased, kZafKeyReleased);
  EXPECT_EQ(keys[4].character, 'a');
  EXPECT_EQ(keys[4].virtualKey, 'A');
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Run("expect message Error Other\n"));
  (void)testing::internal::GetCapturedStderr();
}

TEST_F(ZafAutomationTest, ChecksSeeCaretEntriesRegionPointerPictureAndOpenMenus) {
  m_application->WindowManager().Add(*m_dialog);
  m_main.ShowPointer(false);
  testing::internal::CaptureStderr();
  const bool passed = Run(R"(caret TestDialog/NameField 2
expect caret NameField 2
expect focused NameField yes
expect entries UpperSideSwitchComboBox BClick BRightClick
expect entries Choices One
expect region TestMain 10 20 400 300
move TestMain 30 40
expect region TestMain 30 40 400 300
expect pointer TestMain hidden
expect pointer TestDialog shown
expect picture StylusImage Pic_1
expect picture AboutButton none
expect open SpecialMenu no
press MenuButton
expect open SpecialMenu yes
press DK_AltTab
expect open SpecialMenu no
)");
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(passed) << err;
  for (const char* wrong : {"expect entries UpperSideSwitchComboBox BRightClick BClick\n", "expect caret NameField 1\n",
                            "expect region TestMain 30 40 400 301\n", "expect pointer TestMain shown\n",
                            "expect picture StylusImage Pic_2\n", "expect pointer NameField shown\n",
                            "move NameField 1 2\n"}) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Run(wrong)) << wrong;
    (void)testing::internal::GetCapturedStderr();
  }
  m_application->WindowManager().Subtract(*m_dialog);
}

TEST_F(ZafAutomationTest, KeypadKeysScreensAndClosingFromTheFrame) {
  testing::internal::CaptureStderr();
  EXPECT_TRUE(Run("key NumHome down\nkey Home down\nkey Num7 down\nkey Num* down\nscreens \"800x600+0+0;640x480+800+0\"\nclose TestMain\n"));
  (void)testing::internal::GetCapturedStderr();
  const std::vector<ZafKeyInfo> keys = m_main.Keys();
  ASSERT_EQ(keys.size(), 4U);
  EXPECT_EQ(keys[0].virtualKey, 0x24);
  EXPECT_EQ(keys[0].keyData & kZafKeyExtended, 0U) << "the keypad's Home is not the dedicated one";
  EXPECT_EQ(keys[1].keyData & kZafKeyExtended, kZafKeyExtended);
  EXPECT_EQ(keys[2].virtualKey, 0x67);
  EXPECT_EQ(keys[2].unicode, U'7');
  EXPECT_EQ(keys[3].virtualKey, 0x6A);
  ASSERT_EQ(m_presenter->Screens().size(), 2U);
  EXPECT_EQ(m_presenter->Screens()[1].bounds, ZafRegion::FromSize(800, 0, 640, 480));
  EXPECT_EQ(m_main.ClosingEvent(), kZafEventClose);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Run("screens 800x600\n"));
  EXPECT_FALSE(Run("key NumTab\n"));
  (void)testing::internal::GetCapturedStderr();
}

TEST_F(ZafAutomationTest, AnApplicationsOwnVerbGetsItsLine) {
  std::vector<std::string> heard;
  ZafAutomation::AddVerb("pen", [&heard](const std::vector<std::string>& words) {
    heard = words;
    return words.size() == 3 ? std::string{} : std::string("pen: X Y");
  });
  EXPECT_TRUE(Run("pen 10 20\n"));
  EXPECT_EQ(heard, (std::vector<std::string>{"pen", "10", "20"}));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Run("pen 10\n"));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("test.script:1: pen: X Y"), std::string::npos);
  ZafAutomation::AddVerb("pen", nullptr);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Run("pen 10 20\n"));
  (void)testing::internal::GetCapturedStderr();
}

// The way a host runs a script: named in the environment, run by the event
// loop until its end, the outcome written to the result file.
TEST(ZafAutomationRun, AScriptFromTheEnvironmentDrivesTheEventLoopAndReportsItsOutcome) {
  const std::string dir = ::testing::TempDir();
  const std::string scriptPath = dir + "/run.script";
  const std::string resultPath = dir + "/run.result";
  for (const auto& [script, expected] :
       {std::pair<const char*, const char*>{
            "slider TipFeelSlider 6\nexpect value TipFeelSlider 6\n", "passed"},
        {"expect value TipFeelSlider 6\n", "failed: "}}) {
    std::ofstream(scriptPath) << script;
    ::setenv("KELVO_SCRIPT", scriptPath.c_str(), 1);
    ::setenv("KELVO_SCRIPT_RESULT", resultPath.c_str(), 1);
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
    ::unsetenv("KELVO_SCRIPT");
    ::unsetenv("KELVO_SCRIPT_RESULT");
    std::ifstream result(resultPath);
    std::string first;
    std::getline(result, first);
    // One line: "passed", or "failed: " and what failed, naming the control.
    EXPECT_TRUE(first.starts_with(expected)) << first;
    EXPECT_EQ(first == "passed", std::string(expected) == "passed") << first;
    if (first != "passed") {
      EXPECT_NE(first.find("TipFeelSlider"), std::string::npos) << first;
    }
  }
}

TEST(ZafScript, WordsQuotesAndCommentsAreParsed) {
  ZafScript script;
  ASSERT_EQ(script.Parse("# comment\n\n  expect text A \"two words\" \"say \\\"hi\\\"\"\r\npress B\n"), kStatusOk);
  ASSERT_EQ(script.Lines().size(), 2U);
  EXPECT_EQ(script.Lines()[0].number, 3);
  EXPECT_EQ(script.Lines()[0].words, (std::vector<std::string>{"expect", "text", "A", "two words", "say \"hi\""}));
  EXPECT_EQ(script.Lines()[1].number, 4);
  EXPECT_EQ(script.Parse("press \"open\n", "s"), kStatusResourceDamaged);
  EXPECT_EQ(script.Error(), "s:1: unterminated quote");
}

}  // namespace
