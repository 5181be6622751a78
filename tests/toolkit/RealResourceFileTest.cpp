#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafImage.h"
#include "toolkit/controls/ZafInteger.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/data/ZafLanguageData.h"

namespace {

// The names the applet's code looks up, by the window it finds them in
// (the main window searches itself, then the diagnostics, advanced and
// modifier dialogs).
const char* const kWindows[] = {
    "ConsumerCPLMainWindow", "KeystrokeDialog", "ModifiersDialog", "DiagnosticsDialog", "RunDialog",
    "AboutDialog", "TabletDriverNotFoundDialog", "UsersManualNotFoundDialog", "NoSuppTabletDialog",
    "SelectTabletDialog", "1089", "2102", "2100", "3001", "CalibrateScreen", "AdvancedSettings"};

const char* const kMainSearchNames[] = {
    "VersionPrompt", "DriverOnGroup", "DriverOnButton", "TabsWindow", "StylusTab", "PuckTab", "TabletTab",
    "CalibrateTab", "ClickSound", "EraserFeelSlider", "EnableEraserCheckBox", "UpperSideSwitchComboBox",
    "LowerSideSwitchComboBox", "TipFeelSlider", "TM_Group", "TM_PenMode", "TM_MouseMode", "DCDSlider",
    "StylusDefaultButton", "TM_NoAcceleration", "StylusImage", "StylusAdvancedButton", "SwitchPlusTipButton",
    "SwitchOnlyButton", "LeftPuckButtonComboBox", "MidPuckButtonComboBox", "RightPuckButtonComboBox", "PuckImage",
    "WheelFunctionGroup", "WFOffButton", "WFScrollLinesButton", "WFScrollPageButton", "WFLinesSpin", "WFLinesValue",
    "MouseSpeedSlider", "PTM_Group", "PTM_PenMode", "PTM_MouseMode", "PuckDefaultButton", "MouseBallisticsGroup",
    "MouseSpeedGroup", "MouseBallisticsSlider", "SignalStateImage", "BatteryStateImage", "JoystickScrollGroup",
    "JoystickScrollFast", "JoystickScrollMedium", "JoystickScrollSlow", "JoystickScrollOff", "JoystickSwitchGroup",
    "JoystickSwitchOff", "JoystickSwitchKeystroke", "JoystickSwitchModifiers", "JoystickSwitchRun", "BatteryLow",
    "TabletDefaultButton", "ShiftCheckBox", "CtrlCheckBox", "AltCheckBox", "ClickCheckBox", "DriverVersion",
    "DriverVersionPrompt", "TabletComboBox", "TabletPrompt", "TabletModel", "TabletModelPrompt", "TabletVersion",
    "TabletVersionPrompt", "TabletLeftButtons", "TabletLeftButtonsPrompt", "TabletRightButtons",
    "TabletRightButtonsPrompt", "TabletLeftTrackpad", "TabletLeftTrackpadPrompt", "TabletRightTrackpad",
    "TabletRightTrackpadPrompt", "TabletOemCode", "TabletOemCodePrompt", "DeviceName", "DeviceNamePrompt",
    "DeviceType", "DeviceTypePrompt", "DeviceID", "DeviceIDPrompt", "DeviceSerialNumber", "DeviceSerialNumberPrompt",
    "DeviceProximity", "DeviceProximityPrompt", "DeviceXData", "DeviceXDataPrompt", "DeviceYData", "DeviceYDataPrompt",
    "DeviceSwitches", "DeviceSwitchesPrompt", "DevicePressure", "DevicePressurePrompt", "DeviceXTilt",
    "DeviceXTiltPrompt", "DeviceYTilt", "DeviceYTiltPrompt", "DeviceWheel", "DeviceWheelPrompt", "DeviceRotation",
    "DeviceRotationPrompt", "DeviceDataRate", "DeviceDataRatePrompt", "DevicePressureOffset",
    "DevicePressureOffsetInteger", "DevicePressureOffsetPrompt", "HelpButton", "AboutButton",
    "CalibrationMonitorComboBox", "CalibrateButton", "CalibrateMonitorPrompt"};

// Names the dialogs find in themselves.
const std::pair<const char*, const char*> kDialogNames[] = {
    {"KeystrokeDialog", "KeysText"}, {"KeystrokeDialog", "ClearButton"}, {"KeystrokeDialog", "DeleteButton"},
    {"KeystrokeDialog", "OkButton"}, {"KeystrokeDialog", "CancelButton"}, {"KeystrokeDialog", "DK_AddSpecial"},
    {"KeystrokeDialog", "DK_AltTab"}, {"KeystrokeDialog", "DK_AltShiftTab"}, {"KeystrokeDialog", "DK_PrintScreen"},
    {"KeystrokeDialog", "DK_AltPrintScreen"}, {"ModifiersDialog", "OkButton"}, {"ModifiersDialog", "CancelButton"},
    {"RunDialog", "AppToRunPrompt"}, {"RunDialog", "AppToRunGroup"}, {"RunDialog", "BrowseButton"},
    {"RunDialog", "OkButton"}, {"DiagnosticsDialog", "CloseButton"}, {"DiagnosticsDialog", "RecalibrateButton"},
    {"AdvancedSettings", "AdvancedCloseButton"}, {"CalibrateScreen", "CalibrateULTarget"},
    {"CalibrateScreen", "CalibrateLRTarget"}, {"CalibrateScreen", "CalibrateTryAgain"},
    {"CalibrateScreen", "CalibrateCancel"}, {"CalibrateScreen", "CalibrateOK"},
    {"CalibrateScreen", "CalibrateScreenText1"}, {"CalibrateScreen", "CalibrateStripes"},
    {"2100", "91"}, {"2102", "18"}, {"2102", "70"}, {"1089", "1000"}, {"3001", "5"}, {"3001", "6"}, {"3001", "7"},
    {"3001", "13"}, {"3001", "14"}, {"3001", "15"}};

// The resource file the build packs from resources/; skipped until it has windows.
class RealResourceFileTest : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    const char* bin = std::getenv("KELVO_BUILD_BIN");
    const std::string path = std::string(bin != nullptr ? bin : ".") + "/Tablet.znc";
    if (m_real.Open(path) != kStatusOk || m_real.WindowNames().empty()) {
      GTEST_SKIP() << path << " holds no windows yet";
    }
    m_realPersistence = std::make_unique<ZafObjectPersistence>(m_real, &m_application->DataManager());
  }
  ZafStorage m_real;
  std::unique_ptr<ZafObjectPersistence> m_realPersistence;
};

TEST_F(RealResourceFileTest, EveryWindowLoadsAndIsRealised) {
  for (const std::string& name : m_real.WindowNames()) {
    std::unique_ptr<ZafWindow> window;
    ASSERT_EQ(m_realPersistence->ReadWindow(name, window), kStatusOk) << name;
    m_application->WindowManager().Add(*window);
    EXPECT_TRUE(m_application->WindowManager().Contains(*window)) << name;
    m_application->WindowManager().Subtract(*window);
  }
}

TEST_F(RealResourceFileTest, EveryNameTheApplicationLooksUpIsThere) {
  std::map<std::string, std::unique_ptr<ZafWindow>> windows;
  for (const char* name : kWindows) {
    ASSERT_EQ(m_realPersistence->ReadWindow(name, windows[name]), kStatusOk) << name;
  }
  for (const char* name : kMainSearchNames) {
    bool found = false;
    for (const char* window : {"ConsumerCPLMainWindow", "DiagnosticsDialog", "AdvancedSettings", "ModifiersDialog"}) {
      found = found || windows[window]->Find(name) != nullptr;
    }
    EXPECT_TRUE(found) << name;
  }
  for (const auto& [window, name] : kDialogNames) EXPECT_NE(windows[window]->Find(name), nullptr) << window << " " << name;

  for (const char* bitmap : {"Transducer_20", "Transducer_45", "Transducer_18", "Transducer_21", "Transducer_43"}) {
    const ZafBitmapData* data = nullptr;
    EXPECT_EQ(m_realPersistence->ReadBitmap(bitmap, data), kStatusOk) << bitmap;
  }
  std::unique_ptr<ZafLanguageData> strings;
  ASSERT_EQ(m_realPersistence->ReadLanguageData("LanguageStrings", "en", strings), kStatusOk);
  for (const char* code : {"en", "de", "fr", "ja", "zhc", "zht"})
    EXPECT_TRUE(strings->HasLanguage(code)) << code;
  // Every language string names a window and a control of it.
  for (const auto& [identifier, text] : strings->Entries()) {
    const std::size_t tilde = identifier.find('~');
    std::string control = identifier.substr(tilde + 1);
    if (control.size() > 5 && control.ends_with("_QTIP")) control.resize(control.size() - 5);
    auto window = windows.find(identifier.substr(0, tilde));
    if (window == windows.end()) {
      ADD_FAILURE() << identifier << ": no such window";
      continue;
    }
    // "Window~Window" is the window's own title.
    if (control == window->first) continue;
    EXPECT_NE(window->second->Find(control), nullptr) << identifier;
  }
}

// The kind of control the main window's handlers take each name for.
TEST_F(RealResourceFileTest, ControlsAreOfTheKindTheHandlersExpect) {
  std::unique_ptr<ZafWindow> main;
  ASSERT_EQ(m_realPersistence->ReadWindow("ConsumerCPLMainWindow", main), kStatusOk);
  const auto isButton = [](ZafWindowObject* o, ZafButtonType type) {
    auto* b = dynamic_cast<ZafButton*>(o);
    return b != nullptr && b->ButtonType() == type;
  };
  for (const char* name : {"TipFeelSlider", "EraserFeelSlider", "DCDSlider", "MouseSpeedSlider", "MouseBallisticsSlider"}) {
    EXPECT_NE(main->FindAs<ZafScrollBar>(name), nullptr) << name;
  }
  for (const char* name : {"UpperSideSwitchComboBox", "LowerSideSwitchComboBox", "LeftPuckButtonComboBox",
                           "MidPuckButtonComboBox", "RightPuckButtonComboBox",
                           "CalibrationMonitorComboBox"}) {
    EXPECT_NE(main->FindAs<ZafComboBox>(name), nullptr) << name;
  }
  for (const char* name : {"DriverOnButton", "ClickSound", "EnableEraserCheckBox", "TM_NoAcceleration", "BatteryLow"}) {
    EXPECT_TRUE(isButton(main->Find(name), ZafButtonType::kCheckBox)) << name;
  }
  for (const char* name : {"TM_PenMode", "TM_MouseMode", "WFOffButton", "WFScrollLinesButton", "WFScrollPageButton",
                           "PTM_PenMode", "PTM_MouseMode", "JoystickScrollFast", "JoystickScrollOff",
                           "JoystickSwitchOff", "JoystickSwitchRun"}) {
    EXPECT_TRUE(isButton(main->Find(name), ZafButtonType::kRadio)) << name;
  }
  for (const char* name : {"StylusImage", "PuckImage", "SignalStateImage", "BatteryStateImage"}) {
    EXPECT_NE(main->FindAs<ZafImage>(name), nullptr) << name;
  }
  EXPECT_NE(main->FindAs<ZafInteger>("WFLinesValue"), nullptr);
  std::unique_ptr<ZafWindow> diagnostics;
  ASSERT_EQ(m_realPersistence->ReadWindow("DiagnosticsDialog", diagnostics), kStatusOk);
  EXPECT_NE(diagnostics->FindAs<ZafComboBox>("TabletComboBox"), nullptr);
  auto* tabs = main->FindAs<ZafNotebook>("TabsWindow");
  ASSERT_NE(tabs, nullptr);
  for (const char* page : {"StylusTab", "PuckTab", "TabletTab", "CalibrateTab"}) {
    auto* p = main->FindAs<ZafWindow>(page);
    EXPECT_TRUE(p != nullptr && tabs->IndexOf(*p) >= 0) << page;
  }
}

}  // namespace
