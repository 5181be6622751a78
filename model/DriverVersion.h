#pragma once

#include <array>
#include <cstdint>

#include "services/CDriverInterface.h"

// Whether a driver of version `driver` can serve an applet of version
// `applet`: same major number, and each digit of the minor number at least the
// applet's, each digit on its own. Letter code and build do not matter.
[[nodiscard]] bool VersionsFit(const VersionRecord& driver, const VersionRecord& applet);

// One entry of the version-mismatch message table: 256 bytes, the title from
// byte 8, the text from byte 72, both zero-terminated and stored in the code
// page of their language so that the 8-bit message box shows them as they are.
struct StVersionMismatchMessage {
  char reserved[8];
  char title[64];
  char text[184];
};
static_assert(sizeof(StVersionMismatchMessage) == 256);

inline constexpr std::size_t kVersionMismatchLanguages = 15;

// The message for a language index; an index outside the table answers the
// English entry.
[[nodiscard]] const StVersionMismatchMessage& GetVersionMismatchMessage(std::uint32_t languageIndex);
