#pragma once

#include <cstdint>

// Path codes and item codes the service gives rules to. Every other code is
// plain data built from a profile.
namespace service_codes {

inline constexpr std::uint16_t kTablet = 2;
inline constexpr std::uint16_t kBattery = 3;
inline constexpr std::uint16_t kTool = 4;
inline constexpr std::uint16_t kJoystick = 6;
inline constexpr std::uint16_t kFunctionSet = 7;      // (7, p, 0) by position, (7, id, 1) popup root
inline constexpr std::uint16_t kPopupEntry = 8;
inline constexpr std::uint16_t kApplication = 9;
inline constexpr std::uint16_t kButton = 11;
inline constexpr std::uint16_t kMapping = 12;
inline constexpr std::uint16_t kApplicationList = 18;
inline constexpr std::uint16_t kFunctionArea = 23;   // (23, id, 1)
inline constexpr std::uint16_t kCount = 28;
inline constexpr std::uint16_t kInUse = 251;
inline constexpr std::uint16_t kApplicationEntry = 142;
inline constexpr std::uint16_t kPopupCount = 146;
inline constexpr std::uint16_t kPopupItem = 159;
inline constexpr std::uint16_t kRemovePopup = 157;
inline constexpr std::uint16_t kRemoveArea = 158;
inline constexpr std::uint16_t kPopupReset = 198;

inline constexpr std::uint16_t kFunctionCode = 41;
inline constexpr std::uint16_t kModifiers = 104;
inline constexpr std::uint16_t kTypeCode = 115;
inline constexpr std::uint16_t kAppIdentifier = 116;
inline constexpr std::uint16_t kProgramName = 118;
inline constexpr std::uint16_t kSerial = 38;
inline constexpr std::uint16_t kIdentity = 37;
inline constexpr std::uint16_t kPresent = 172;
inline constexpr std::uint16_t kModel = 124;
inline constexpr std::uint16_t kCurrentTablet = 202;
inline constexpr std::uint16_t kCurrentTool = 203;
inline constexpr std::uint16_t kToolRecord = 190;
inline constexpr std::uint16_t kRawRecord = 168;
inline constexpr std::uint16_t kTabletButtonsRecord = 248;
inline constexpr std::uint16_t kRawButtonsRecord = 247;
inline constexpr std::uint16_t kTouchStripsRecord = 246;
inline constexpr std::uint16_t kTabletSize = 84;
inline constexpr std::uint16_t kPressureAxis = 93;  // second word: pressure levels

// The service's own items, which no applet asks for: on a tablet that is a
// kernel input device, its event node and whether the service holds it for
// itself; on the root, present only while tabletd watches for devices.
inline constexpr std::uint16_t kDeviceNode = 258;
inline constexpr std::uint16_t kDeviceGrabbed = 259;
inline constexpr std::uint16_t kDevicesWatched = 260;
// The model code of a tablet the service knows nothing more about ("Tablet").
inline constexpr std::uint16_t kGenericModel = 90;

// Buttons of a tool (level 11), by number.
inline constexpr std::uint32_t kTipButton = 1;
inline constexpr std::uint32_t kLowerSwitch = 2;
inline constexpr std::uint32_t kUpperSwitch = 3;
inline constexpr std::uint32_t kEraserButton = 4;
inline constexpr std::uint32_t kRollerButton = 16;
inline constexpr std::uint32_t kWheelButton = 32;
inline constexpr std::uint32_t kLastPuckButton = 15;

// Values of tools and their buttons that a user adjusts.
inline constexpr std::uint16_t kToolName = 188;
inline constexpr std::uint16_t kButtonCount = 71;
inline constexpr std::uint16_t kEraserState = 205;     // 0 in use, 2 none
inline constexpr std::uint16_t kDoubleClickA = 255;    // distance
inline constexpr std::uint16_t kDoubleClickB = 113;    // time
inline constexpr std::uint16_t kDoubleClickOn = 170;
inline constexpr std::uint16_t kClickThreshold = 43;
inline constexpr std::uint16_t kPressureCurve = 109;
inline constexpr std::uint16_t kKeystroke = 238;
inline constexpr std::uint16_t kRunProgram = 240;
inline constexpr std::uint16_t kFunctionName = 241;
inline constexpr std::uint16_t kWheelAmount = 108;
inline constexpr std::uint16_t kAppTitle = 117;

// Mapping: levels below a tablet's (12, 0, 0) and the values of their parts.
inline constexpr std::uint16_t kContextSet = 5;      // (5, application, 4) ... (5, 0, 0)
inline constexpr std::uint16_t kContextGroup = 2;
inline constexpr std::uint16_t kContextTool = 19;    // (19, serial, 4) (19, identity, 0)
inline constexpr std::uint16_t kDisplayPart = 21;
inline constexpr std::uint16_t kTabletPart = 20;
inline constexpr std::uint16_t kRemoveGroup = 3;     // the removal path's (3, 0, 0) and (136, ...)
inline constexpr std::uint16_t kRemoveTool = 136;
inline constexpr std::uint32_t kCommonContext = 5;   // qualifier of the common context
inline constexpr std::uint32_t kMappingParts = 3;    // display and tablet-area parts 0..2
inline constexpr std::uint32_t kCommonPart = 2;      // the common context's parts
inline constexpr std::uint32_t kControlsPart = 2;    // the part the applet's controls read and write
inline constexpr std::uint16_t kTrackingMode = 135;  // 0 pen mode, any other mouse mode
inline constexpr std::uint16_t kMouseSpeed = 191;
inline constexpr std::uint16_t kAcceleration = 221;
inline constexpr std::uint16_t kScreenOrigin = 78;
inline constexpr std::uint16_t kScreenExtent = 79;
inline constexpr std::uint16_t kScreenRect = 242;
inline constexpr std::uint16_t kDisplayMode = 150;
inline constexpr std::uint16_t kMonitor = 151;
inline constexpr std::uint16_t kTabletOrigin = 60;
inline constexpr std::uint16_t kTabletExtent = 61;
inline constexpr std::uint16_t kTabletRect = 243;
inline constexpr std::uint16_t kTabletFlag = 149;
inline constexpr std::uint16_t kProportions = 152;   // 1 forced, 2 not
inline constexpr std::uint16_t kTabletMode = 126;
inline constexpr std::uint16_t kMappingTopValue = 140;
inline constexpr std::uint16_t kTabletBounds = 92;

// Function codes and modifier bits of the factory functions.
inline constexpr std::uint32_t kKeystrokeFunction = 8;
inline constexpr std::uint32_t kModifierFunction = 9;
inline constexpr std::uint16_t kModifierAlt = 1;
inline constexpr std::uint16_t kModifierCtrl = 2;
inline constexpr std::uint16_t kModifierShift = 4;

// Fields of the tool records 190 and 168.
inline constexpr std::uint32_t kFieldProximity = 3;
inline constexpr std::uint32_t kFieldType = 4;
inline constexpr std::uint32_t kFieldSerial = 5;
inline constexpr std::uint32_t kFieldX = 6;
inline constexpr std::uint32_t kFieldY = 7;
inline constexpr std::uint32_t kFieldSwitches = 8;
inline constexpr std::uint32_t kFieldPressure = 9;
inline constexpr std::uint32_t kFieldTiltX = 10;
inline constexpr std::uint32_t kFieldTiltY = 11;
inline constexpr std::uint32_t kFieldWheel = 12;
inline constexpr std::uint32_t kFieldRotation = 13;
// The type field of a tool record: the tool's type code, with its kind in
// the top bits.
inline constexpr std::uint16_t kRecordTypeCode = 0x0FFF;
inline constexpr std::uint16_t kRecordPen = 0x4000;
inline constexpr std::uint16_t kRecordPuck = 0x8000;

// Fields of the tablet buttons (248, 247) and touch strips (246): the left
// and the right side.
inline constexpr std::uint32_t kFieldLeftButtons = 0;
inline constexpr std::uint32_t kFieldRightButtons = 5;
inline constexpr std::uint32_t kFieldLeftStrip = 8;
inline constexpr std::uint32_t kFieldRightStrip = 9;

// What a pen or the tablet's own controls report: never a setting, never stored.
[[nodiscard]] constexpr bool IsLiveRecord(std::uint16_t code) {
  return code == kToolRecord || code == kRawRecord || code == kTabletButtonsRecord ||
         code == kRawButtonsRecord || code == kTouchStripsRecord;
}

// Qualifiers that change what a level's index means.
inline constexpr std::uint32_t kByIdentifier = 1;
inline constexpr std::uint32_t kCountQualifier = 4;

}  // namespace service_codes
