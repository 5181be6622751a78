#pragma once

#include <cstdint>

#include "services/ViewRequest.h"

// Control ids of the views' controls and of the view roots. The main window's
// control table gives every named control of its layout one of these.
namespace ControlId {

inline constexpr std::uint32_t kBroadcast = kBroadcastId;

// Main window.
inline constexpr std::uint32_t kUpperView = 1100;
inline constexpr std::uint32_t kVersionPrompt = 1101;
inline constexpr std::uint32_t kDriverOnGroup = 1102;
inline constexpr std::uint32_t kDriverOnButton = 1103;
inline constexpr std::uint32_t kWindowPosition = 1104;
inline constexpr std::uint32_t kClickSound = 1105;
inline constexpr std::uint32_t kDriverValueView = 1106;
inline constexpr std::uint32_t kTabChange = 1150;
inline constexpr std::uint32_t kStylusTab = 1151;
inline constexpr std::uint32_t kPuckTab = 1153;
inline constexpr std::uint32_t kTabletTab = 1155;
inline constexpr std::uint32_t kCalibrateTab = 1156;
inline constexpr std::uint32_t kMappingTab = 1157;
inline constexpr std::uint32_t kTabsWindow = 1159;

// Stylus tab.
inline constexpr std::uint32_t kStylusView = 1200;
inline constexpr std::uint32_t kEraserFeelSlider = 1201;
inline constexpr std::uint32_t kUpperSideSwitchComboBox = 1202;
inline constexpr std::uint32_t kLowerSideSwitchComboBox = 1203;
inline constexpr std::uint32_t kTipFeelSlider = 1204;
inline constexpr std::uint32_t kTrackingModeGroup = 1205;
inline constexpr std::uint32_t kPenMouseMode = 1206;
inline constexpr std::uint32_t kDCDSlider = 1207;
inline constexpr std::uint32_t kStylusDefaultButton = 1208;
inline constexpr std::uint32_t kNoAcceleration = 1209;
inline constexpr std::uint32_t kStylusImage = 1210;
inline constexpr std::uint32_t kStylusAdvancedButton = 1211;
inline constexpr std::uint32_t kEnableEraserCheckBox = 1228;
inline constexpr std::uint32_t kStylusToolType = 1229;

// Puck tab.
inline constexpr std::uint32_t kPuckView = 1300;
inline constexpr std::uint32_t kLeftPuckButtonComboBox = 1301;
inline constexpr std::uint32_t kMidPuckButtonComboBox = 1302;
inline constexpr std::uint32_t kRightPuckButtonComboBox = 1303;
inline constexpr std::uint32_t kPuckImage = 1304;
inline constexpr std::uint32_t kWheelFunctionGroup = 1305;
inline constexpr std::uint32_t kWFLinesSpin = 1306;
inline constexpr std::uint32_t kMouseSpeedSlider = 1307;
inline constexpr std::uint32_t kPuckTrackingModeGroup = 1308;
inline constexpr std::uint32_t kPuckPenMouseMode = 1309;
inline constexpr std::uint32_t kPuckDefaultButton = 1310;
inline constexpr std::uint32_t kPuckNoAcceleration = 1311;
inline constexpr std::uint32_t kMouseBallisticsGroup = 1312;
inline constexpr std::uint32_t kMouseSpeedGroup = 1313;
inline constexpr std::uint32_t kMouseBallisticsSlider = 1314;

// Tablet tab.
inline constexpr std::uint32_t kTabletView = 1400;
inline constexpr std::uint32_t kSignalStateImage = 1401;
inline constexpr std::uint32_t kBatteryStateImage = 1402;
inline constexpr std::uint32_t kJoystickScrollGroup = 1403;
inline constexpr std::uint32_t kJoystickSwitchGroup = 1404;
inline constexpr std::uint32_t kBatteryLow = 1405;
inline constexpr std::uint32_t kTabletDefaultButton = 1406;

// Mapping tab: where the tool's mapping points on the screen and on the tablet.
inline constexpr std::uint32_t kMappingView = 1700;
inline constexpr std::uint32_t kScreenAreaComboBox = 1701;  // the display-area choice
inline constexpr std::uint32_t kScreenAreaRect = 1702;      // four fields: top, left, bottom, right
inline constexpr std::uint32_t kTabletAreaComboBox = 1703;  // the tablet-area choice
inline constexpr std::uint32_t kTabletAreaRect = 1704;      // four fields, and the preview's drag
inline constexpr std::uint32_t kForceProportions = 1705;
inline constexpr std::uint32_t kTabletPreview = 1706;  // both pictures read the 48-byte preview
inline constexpr std::uint32_t kScreenPreview = 1707;
inline constexpr std::uint32_t kMappingTabletBounds = 1708;  // no control: what the tablet picture shows

// Calibration tab.
inline constexpr std::uint32_t kCalibrateView = 1600;
inline constexpr std::uint32_t kCalibrateButton = 1601;
inline constexpr std::uint32_t kCalibrationMonitorComboBox = 1602;

// Calibration dialog: its root, the calibrated area and the values it reads.
inline constexpr std::uint32_t kCalibrateDialog = 4100;
inline constexpr std::uint32_t kCalibratedOrigin = 4101;
inline constexpr std::uint32_t kCalibratedExtent = 4102;
inline constexpr std::uint32_t kCalibratedFlag = 4103;
inline constexpr std::uint32_t kTabletMaximum = 2359;
inline constexpr std::uint32_t kMinimumPortion = 2361;

// Roots of the modal dialogs' view trees.
inline constexpr std::uint32_t kKeystrokeDialog = 2000;
inline constexpr std::uint32_t kModifierDialog = 2100;
inline constexpr std::uint32_t kRunDialog = 2200;
inline constexpr std::uint32_t kDiagnosticsDialog = 3000;
inline constexpr std::uint32_t kAdvancedSettings = 4000;
inline constexpr std::uint32_t kTipModeGroup = 4001;

// The keystroke dialog's sequence.
inline constexpr std::uint32_t kKeystrokeSequence = 2001;
// Modifier dialog: the whole mask, its bits, and the mask again for the OK
// button's state (enabled while the mask is not 0).
inline constexpr std::uint32_t kModifierMask = 2101;
inline constexpr std::uint32_t kShiftCheckBox = 2102;
inline constexpr std::uint32_t kCtrlCheckBox = 2103;
inline constexpr std::uint32_t kAltCheckBox = 2104;
inline constexpr std::uint32_t kModifierBit16 = 2105;
inline constexpr std::uint32_t kModifierBit8 = 2106;
inline constexpr std::uint32_t kClickCheckBox = 2107;
inline constexpr std::uint32_t kModifierMaskZero = 2108;
// Run dialog: the program's path and the function's name.
inline constexpr std::uint32_t kRunPath = 2201;
inline constexpr std::uint32_t kRunName = 2202;

// Opens the diagnostics dialog.
inline constexpr std::uint32_t kOpenDiagnostics = 2253;
// A Refresh to this id is taken as an Apply. A switch menu that was given
// the mode toggle waits for it, after asking the window to confirm the choice.
inline constexpr std::uint32_t kApplyOnRefresh = 2300;

// Message dialogs the main window shows for the upper view.
inline constexpr std::uint32_t kNoSupportedTablet = 2900;
inline constexpr std::uint32_t kSelectTablet = 2901;

// Information texts.
inline constexpr std::uint32_t kDriverVersion = 3010;
inline constexpr std::uint32_t kTabletComboBox = 3020;
// The tablet list's entries and each entry's name and model views.
inline constexpr std::uint32_t kTabletListEntry = 1173;
inline constexpr std::uint32_t kTabletListName = 1174;
inline constexpr std::uint32_t kTabletListModel = 1175;
inline constexpr std::uint32_t kTabletModel = 3022;

// The tablet and device texts of the information and diagnostics windows.
inline constexpr std::uint32_t kDriverVersionPrompt = 3011;
inline constexpr std::uint32_t kTabletPrompt = 3021;
inline constexpr std::uint32_t kTabletModelPrompt = 3023;
inline constexpr std::uint32_t kTabletVersion = 3024;
inline constexpr std::uint32_t kTabletVersionPrompt = 3025;
inline constexpr std::uint32_t kTabletLeftButtons = 3026;
inline constexpr std::uint32_t kTabletLeftButtonsPrompt = 3027;
inline constexpr std::uint32_t kTabletRightButtons = 3028;
inline constexpr std::uint32_t kTabletRightButtonsPrompt = 3029;
inline constexpr std::uint32_t kTabletLeftTrackpad = 3030;
inline constexpr std::uint32_t kTabletLeftTrackpadPrompt = 3031;
inline constexpr std::uint32_t kTabletRightTrackpad = 3032;
inline constexpr std::uint32_t kTabletRightTrackpadPrompt = 3033;
inline constexpr std::uint32_t kTabletOemCode = 3034;
inline constexpr std::uint32_t kTabletOemCodePrompt = 3035;
inline constexpr std::uint32_t kDeviceName = 3036;
inline constexpr std::uint32_t kDeviceNamePrompt = 3037;
inline constexpr std::uint32_t kDeviceType = 3038;
inline constexpr std::uint32_t kDeviceTypePrompt = 3039;
inline constexpr std::uint32_t kDeviceID = 3040;
inline constexpr std::uint32_t kDeviceIDPrompt = 3041;
inline constexpr std::uint32_t kDeviceSerialNumber = 3042;
inline constexpr std::uint32_t kDeviceSerialNumberPrompt = 3043;
inline constexpr std::uint32_t kDeviceProximity = 3050;
inline constexpr std::uint32_t kDeviceProximityPrompt = 3051;
inline constexpr std::uint32_t kDeviceXData = 3052;
inline constexpr std::uint32_t kDeviceXDataPrompt = 3053;
inline constexpr std::uint32_t kDeviceYData = 3054;
inline constexpr std::uint32_t kDeviceYDataPrompt = 3055;
inline constexpr std::uint32_t kDeviceSwitches = 3056;
inline constexpr std::uint32_t kDeviceSwitchesPrompt = 3057;
inline constexpr std::uint32_t kDevicePressure = 3058;
inline constexpr std::uint32_t kDevicePressurePrompt = 3059;
inline constexpr std::uint32_t kDeviceXTilt = 3060;
inline constexpr std::uint32_t kDeviceXTiltPrompt = 3061;
inline constexpr std::uint32_t kDeviceYTilt = 3062;
inline constexpr std::uint32_t kDeviceYTiltPrompt = 3063;
inline constexpr std::uint32_t kDeviceWheel = 3064;
inline constexpr std::uint32_t kDeviceWheelPrompt = 3065;
inline constexpr std::uint32_t kDeviceRotation = 3066;
inline constexpr std::uint32_t kDeviceRotationPrompt = 3067;
inline constexpr std::uint32_t kDeviceDataRate = 3068;
inline constexpr std::uint32_t kDeviceDataRatePrompt = 3069;
inline constexpr std::uint32_t kDevicePressureOffset = 3070;
inline constexpr std::uint32_t kDevicePressureOffsetPrompt = 3071;

// Hidden while the diagnostics are attached; nothing fills it here.
inline constexpr std::uint32_t kDiagnosticsHidden = 3002;
inline constexpr std::uint32_t kMenuView = 3500;
inline constexpr std::uint32_t kHelpButton = 3502;
inline constexpr std::uint32_t kAboutButton = 3503;

}  // namespace ControlId

// Request codes of list views, after the seven of every view.
namespace ListRequest {

inline constexpr std::uint32_t kCount = 7;      // (list, out count)
inline constexpr std::uint32_t kEntryAt = 8;    // (index, list, out entry)
inline constexpr std::uint32_t kMove = 9;       // (entry, next to entry, where)
inline constexpr std::uint32_t kCompanion = 10;  // word
inline constexpr std::uint32_t kSelect = 11;     // word

}  // namespace ListRequest
// A Get to ControlId::kTabletModel answers the current tablet's model code
// (16 bits). A buffer that begins with this record asks instead for the model
// of the tablet with that key (its number in the driver): the tablet list
// names its entries so.
inline constexpr std::uint16_t kTabletKeyMarker = 0xFFFE;
struct StTabletModelQuery {
  std::uint16_t marker = kTabletKeyMarker;
  std::uint16_t reserved = 0;
  std::uint32_t key = 0;
};
