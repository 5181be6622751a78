#pragma once

#include <string_view>

#include "platform/WinTypes.h"

// Primary language identifiers the applet distinguishes.
inline constexpr unsigned LANG_NEUTRAL = 0x00;
inline constexpr unsigned LANG_CHINESE = 0x04;
inline constexpr unsigned LANG_GERMAN = 0x07;
inline constexpr unsigned LANG_ENGLISH = 0x09;
inline constexpr unsigned LANG_SPANISH = 0x0A;
inline constexpr unsigned LANG_FRENCH = 0x0C;
inline constexpr unsigned LANG_ITALIAN = 0x10;
inline constexpr unsigned LANG_JAPANESE = 0x11;
inline constexpr unsigned LANG_KOREAN = 0x12;
inline constexpr unsigned LANG_DUTCH = 0x13;
inline constexpr unsigned LANG_POLISH = 0x15;
inline constexpr unsigned LANG_PORTUGUESE = 0x16;
inline constexpr unsigned LANG_RUSSIAN = 0x19;
inline constexpr unsigned LANG_SWEDISH = 0x1D;

inline constexpr unsigned SUBLANG_DEFAULT = 0x01;
inline constexpr unsigned SUBLANG_CHINESE_TRADITIONAL = 0x01;  // Taiwan
inline constexpr unsigned SUBLANG_CHINESE_SIMPLIFIED = 0x02;   // PRC
inline constexpr unsigned SUBLANG_CHINESE_HONGKONG = 0x03;
inline constexpr unsigned SUBLANG_CHINESE_SINGAPORE = 0x04;
inline constexpr unsigned SUBLANG_CHINESE_MACAU = 0x05;

// The user's locale from LC_ALL, else LC_MESSAGES, else LANG (the first that
// is set and not empty), as a Windows locale id: "de_DE.UTF-8" gives 0x0407.
// "C", "POSIX" and nothing at all are US English; a language we have no
// identifier for is LANG_NEUTRAL.
[[nodiscard]] LCID GetUserDefaultLCID();

// The locale id of one POSIX locale name ("zh_TW", "fr_CA.UTF-8", "sv").
[[nodiscard]] LCID LcidFromLocaleName(std::string_view name);

// The ANSI code page Windows uses for the language of `lcid` (936 Simplified
// Chinese, 950 Traditional Chinese, 932, 949, 1251, 1250, else 1252).
[[nodiscard]] UINT AnsiCodePageOfLcid(LCID lcid);
