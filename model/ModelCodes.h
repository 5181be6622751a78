#pragma once

#include <cstdint>

// Kinds of child groupings, as GetSubGroup and GetSubGroupCount take them.
inline constexpr std::int32_t kSubGroupMain = 0;          // tablets, tool groups, tools, buttons
inline constexpr std::int32_t kSubGroupTabletControl = 1;  // battery, joystick
inline constexpr std::int32_t kSubGroupMapping = 2;        // a tool's mappings
inline constexpr std::int32_t kSubGroupApplication = 3;    // the driver's applications

// Object codes of the driver paths the model walks.
inline constexpr std::uint16_t kCodeTablet = 2;
inline constexpr std::uint16_t kCodeBattery = 3;
inline constexpr std::uint16_t kCodeTool = 4;
inline constexpr std::uint16_t kCodeJoystick = 6;
inline constexpr std::uint16_t kCodeApplication = 9;
inline constexpr std::uint16_t kCodeButton = 11;
inline constexpr std::uint16_t kCodeApplicationList = 18;
inline constexpr std::uint16_t kCodeCount = 28;
inline constexpr std::uint16_t kCodeInUseCount = 251;

// Item codes read directly by the model.
inline constexpr std::uint16_t kCodeToolSerial = 38;
inline constexpr std::uint16_t kCodeToolTypeCode = 115;
inline constexpr std::uint16_t kCodePresentFlag = 172;

// Item ids the model itself uses.
inline constexpr std::int32_t kItemSelected = 12;
inline constexpr std::int32_t kItemModelCode = 18;
inline constexpr std::int32_t kItemTabletPresent = 30;
inline constexpr std::int32_t kItemCurrentTool = 34;
inline constexpr std::int32_t kItemApplicationId = 41;
inline constexpr std::int32_t kItemApplicationText = 42;
inline constexpr std::int32_t kItemProgramName = 43;
inline constexpr std::int32_t kItemToolName = 45;
inline constexpr std::int32_t kItemToolTypeCode = 46;
inline constexpr std::int32_t kItemToolNameShown = 47;
inline constexpr std::int32_t kItemToolSerial = 48;
inline constexpr std::int32_t kItemToolContext = 49;
inline constexpr std::int32_t kItemToolApplication = 50;
inline constexpr std::int32_t kItemToolPresent = 55;
inline constexpr std::int32_t kItemButtonCount = 58;
inline constexpr std::int32_t kItemHasEraser = 60;
inline constexpr std::int32_t kItemDoubleClickFeel = 84;

// Item ids of a tablet that describe it and the tool in use, as reported.
inline constexpr std::int32_t kItemTabletName = 17;
inline constexpr std::int32_t kItemTabletVersion = 23;
inline constexpr std::int32_t kItemTabletOemCode = 27;
inline constexpr std::int32_t kItemReportProximity = 148;
inline constexpr std::int32_t kItemReportX = 149;
inline constexpr std::int32_t kItemReportY = 150;
inline constexpr std::int32_t kItemReportSwitches = 151;
inline constexpr std::int32_t kItemReportPressure = 152;
inline constexpr std::int32_t kItemReportTiltX = 153;
inline constexpr std::int32_t kItemReportTiltY = 154;
inline constexpr std::int32_t kItemReportWheel = 155;
inline constexpr std::int32_t kItemReportRotation = 156;
inline constexpr std::int32_t kItemTabletLeftButtons = 157;
inline constexpr std::int32_t kItemTabletRightButtons = 158;
inline constexpr std::int32_t kItemLeftTouchStrip = 170;
inline constexpr std::int32_t kItemRightTouchStrip = 171;

// Item ids the views bind, by the grouping that holds them.
// Driver object:
inline constexpr std::int32_t kItemWindowPosition = 1;
inline constexpr std::int32_t kItemDriverVersion = 3;
inline constexpr std::int32_t kItemDriverValue = 5;
inline constexpr std::int32_t kItemCurrentTablet = 6;
inline constexpr std::int32_t kItemClickSound = 10;
inline constexpr std::int32_t kItemSwitchMode = 11;
// Tablet:
inline constexpr std::int32_t kItemDriverOn = 14;
inline constexpr std::int32_t kItemSignalState = 35;
// Tools bind kItemModelCode, kItemToolTypeCode, kItemHasEraser and
// kItemDoubleClickFeel above; the feel and the tablet controls' items are
// named in functions/FunctionCodes.h.
// Mapping:
inline constexpr std::int32_t kItemMouseSpeed = 121;
inline constexpr std::int32_t kItemCalibrated = 136;
inline constexpr std::int32_t kItemPenDisplay = 147;

// The tool type code whose double-click feel has its own class.
inline constexpr std::uint16_t kTypeCodeOwnDoubleClick = 42;

// Tablet PC digitizers: the system maps and calibrates them, not the user.
[[nodiscard]] constexpr bool IsTabletPcModel(std::uint16_t model) {
  return (model >= 220 && model <= 229) || model == 240;
}
