#pragma once

// Function codes, the function block every programmable control offers, and
// the item ids, item codes and path codes of the function sets and the tool
// and tablet controls.

#include <cstdint>

#include "settings/StItemRow.h"

// What a programmable control does, as the driver stores it (item code 41).
// Lists and radio groups carry the code plus 1, so that 0 means no choice.
using FunctionCode = std::uint32_t;

inline constexpr FunctionCode kFunctionDisabled = 0;
inline constexpr FunctionCode kFunctionKeystroke = 8;
inline constexpr FunctionCode kFunctionModifier = 9;
inline constexpr FunctionCode kFunctionModeToggle = 11;
inline constexpr FunctionCode kFunctionEraseKeystroke = 16;
inline constexpr FunctionCode kFunctionEraseModifier = 17;
inline constexpr FunctionCode kFunctionRunApplication = 23;
inline constexpr FunctionCode kFunctionTabletPcBarrel = 27;
// Offered by the tool button lists, with no name of its own.
inline constexpr FunctionCode kFunctionUnnamed = 29;
// Codes 0 to 29 have a row in the name table.
inline constexpr FunctionCode kFunctionCodeCount = 30;
// Not a function: the menu entry that puts a control back to its default.
inline constexpr FunctionCode kFunctionDefault = 1000;

// The function block: eleven item ids from a control's base B.
inline constexpr ItemId kBlockFunction = 0;     // 41, function code
inline constexpr ItemId kBlockModifiers = 1;    // 104, the whole modifier mask
inline constexpr ItemId kBlockShift = 2;        // 104 bit 4
inline constexpr ItemId kBlockCtrl = 3;         // 104 bit 2
inline constexpr ItemId kBlockAlt = 4;          // 104 bit 1
inline constexpr ItemId kBlockBit16 = 5;        // 104 bit 16
inline constexpr ItemId kBlockBit8 = 6;         // 104 bit 8
inline constexpr ItemId kBlockClick = 7;        // 104 bit 32
inline constexpr ItemId kBlockKeystroke = 8;    // 238, word list
inline constexpr ItemId kBlockApplication = 9;  // 240, text
inline constexpr ItemId kBlockName = 10;        // 241, packed name
inline constexpr ItemId kBlockSize = 11;

// Modifier mask bits (16-bit).
inline constexpr std::uint16_t kModifierAlt = 1;
inline constexpr std::uint16_t kModifierCtrl = 2;
inline constexpr std::uint16_t kModifierShift = 4;
inline constexpr std::uint16_t kModifierBit8 = 8;
inline constexpr std::uint16_t kModifierBit16 = 16;
inline constexpr std::uint16_t kModifierClick = 32;

// Item codes of the controls' values.
inline constexpr std::uint16_t kCodeFunction = 41;
inline constexpr std::uint16_t kCodeParameter = 108;
inline constexpr std::uint16_t kCodeModifiers = 104;
inline constexpr std::uint16_t kCodeKeystroke = 238;
inline constexpr std::uint16_t kCodeApplicationPath = 240;
inline constexpr std::uint16_t kCodeFunctionName = 241;
inline constexpr std::uint16_t kCodeButtonName = 29;
inline constexpr std::uint16_t kCodeFixedFunction = 210;
inline constexpr std::uint16_t kCodeDirectionKeys = 153;
inline constexpr std::uint16_t kCodeDirectionName = 211;
inline constexpr std::uint16_t kCodeApplicationId = 116;
inline constexpr std::uint16_t kCodeNoDriverValue = 27;
inline constexpr std::uint16_t kCodeToolType = 115;
inline constexpr std::uint16_t kCodePressureValue = 111;

// Path codes of function sets and controls.
inline constexpr std::uint16_t kPathTool = 4;
inline constexpr std::uint16_t kPathBattery = 3;
inline constexpr std::uint16_t kPathFunctionSet =
    7;  // (7, p, 0) by position; (7, id, 1) popup root
inline constexpr std::uint16_t kPathPopupEntry = 8;
inline constexpr std::uint16_t kPathButton = 11;
inline constexpr std::uint16_t kPathFunctionArea = 23;  // (23, id, 1) tablet menu and buttons area
inline constexpr std::uint16_t kPathCount = 28;
inline constexpr std::uint16_t kPathPopupCount = 146;
inline constexpr std::uint16_t kPathPopupItem = 159;
inline constexpr std::uint16_t kPathRemovePopup = 157;
inline constexpr std::uint16_t kPathRemoveArea = 158;
inline constexpr std::uint16_t kPathPopupReset = 198;
// Qualifiers: the index is an application id; the level names a count;
// the values the areas of a tablet share.
inline constexpr std::uint32_t kQualifierById = 1;
inline constexpr std::uint32_t kQualifierCount = 4;
inline constexpr std::uint32_t kQualifierShared = 5;
// (28, 9, 4), (7, 0, 0): the number of function sets.
inline constexpr std::uint32_t kFunctionSetCountIndex = 9;

// Bases of the function blocks.
inline constexpr ItemId kButtonBlock = 62;
inline constexpr ItemId kTabletButtonBlock = 175;

// Button items.
inline constexpr ItemId kItemButtonName = 61;
inline constexpr ItemId kItemFixedFunction = 107;

// Pressure button items.
inline constexpr ItemId kItemPressureSerial = 48;
inline constexpr ItemId kItemThreshold = 91;
inline constexpr ItemId kItemCurvePosition = 92;
inline constexpr ItemId kItemFeel = 93;
inline constexpr ItemId kItemCurve = 94;
inline constexpr ItemId kItemPressureValue = 96;
inline constexpr ItemId kItemPressureAxis = 97;
inline constexpr ItemId kItemCurrentSerial = 98;
inline constexpr ItemId kItemCurrentType = 99;
inline constexpr ItemId kItemPressureProfile = 101;
inline constexpr ItemId kItemClickPosition = 102;

// Roller and wheel.
inline constexpr ItemId kItemRollerFunction = 103;
inline constexpr ItemId kItemWheelFunction = 105;
inline constexpr ItemId kItemWheelLines = 106;

// Function sets.
inline constexpr ItemId kItemUiNumber = 12;
inline constexpr ItemId kItemUiText = 45;
inline constexpr ItemId kItemUiLong = 46;
inline constexpr ItemId kItemTabletMenuFunction = 105;

// Popup menus.
inline constexpr ItemId kItemPopupKind = 73;
// The kind of an entry marked for deletion.
inline constexpr std::uint32_t kPopupKindDeleted = 6;

// Tablet controls.
inline constexpr ItemId kItemBatteryState = 172;
inline constexpr ItemId kItemBatteryLow = 173;
inline constexpr ItemId kItemJoystickSpeed = 174;
