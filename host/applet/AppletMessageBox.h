#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

// The 8-bit message box of the applet: title and text are in the code page
// of the current language and are decoded before the presenter shows them.
inline constexpr std::int32_t kMessageBoxOk = 1;

// The code page in which 8-bit texts of a language index are stored.
[[nodiscard]] std::uint32_t CodePageOfLanguage(std::uint32_t languageIndex);
// Sets the code page MessageBoxA decodes with; answers the previous one.
std::uint32_t SetMessageBoxCodePage(std::uint32_t codePage);

// Shows the box through the running toolkit (OK only); 0 when no toolkit runs.
std::int32_t MessageBoxA(void* owner, const char* text, const char* caption, std::uint32_t type);
