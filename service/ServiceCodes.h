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
inline constexpr std::uint16_t kPressureAxis = 93;

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
