#pragma once

#include <cstdint>
#include <string>

#include "protocol/Status.h"

inline constexpr char kSingleInstanceMutex[] = "ConsumerCPLRunningMutex";

// The mutex name for a Windows version code: with the "Global\" prefix where
// the system has sessions for several users at once.
[[nodiscard]] std::string SingleInstanceMutexName(std::uint32_t windowsVersion);

// Takes the applet's mutex and keeps it for the rest of the process. 0xFFFF
// when another instance holds it or it cannot be made.
[[nodiscard]] Status AcquireSingleInstance(std::uint32_t windowsVersion);
