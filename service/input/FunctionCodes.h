#pragma once

#include <cstdint>

// Function codes a button's function block holds, and what a directional
// control (a finger wheel) does.
namespace function_codes {

inline constexpr std::uint32_t kDisabled = 0;
inline constexpr std::uint32_t kLeftClick = 1;
inline constexpr std::uint32_t kMiddleClick = 2;
inline constexpr std::uint32_t kRightClick = 3;
inline constexpr std::uint32_t kLeftDoubleClick = 4;
inline constexpr std::uint32_t kMiddleDoubleClick = 5;
inline constexpr std::uint32_t kRightDoubleClick = 6;
inline constexpr std::uint32_t kLeftClickLock = 7;
inline constexpr std::uint32_t kKeystroke = 8;
inline constexpr std::uint32_t kModifier = 9;
inline constexpr std::uint32_t kModeToggle = 11;
inline constexpr std::uint32_t kErase = 15;
inline constexpr std::uint32_t kEraseKeystroke = 16;
inline constexpr std::uint32_t kEraseModifier = 17;
inline constexpr std::uint32_t kButton4Click = 19;
inline constexpr std::uint32_t kButton5Click = 20;
inline constexpr std::uint32_t kMiddleClickLock = 21;
inline constexpr std::uint32_t kRightClickLock = 22;
inline constexpr std::uint32_t kRunApplication = 23;

// Modifier mask bits.
inline constexpr std::uint16_t kAlt = 1;
inline constexpr std::uint16_t kCtrl = 2;
inline constexpr std::uint16_t kShift = 4;
inline constexpr std::uint16_t kClick = 32;

// Finger wheel functions.
inline constexpr std::uint32_t kWheelLines = 0;
inline constexpr std::uint32_t kWheelPages = 1;
inline constexpr std::uint32_t kWheelKeystroke = 2;
// One wheel notch of the desktop in REL_WHEEL_HI_RES units scrolls this many lines.
inline constexpr std::int32_t kHighResolutionNotch = 120;
inline constexpr std::int32_t kLinesPerNotch = 3;

}  // namespace function_codes
