#pragma once

#include <cstdint>
#include <string>

#include "protocol/Status.h"

inline constexpr char kSingleInstanceMutex[] = "ConsumerCPLRunningMutex";

// The mutex name for a Windows version code: with the "Global\" prefix where
// the system has sessions for several users at once.
[[nodiscard]] std::string SingleInstanceMutexName(std::uint32_t windowsVersion);

// Takes the applet's lock, the user's own, and keeps it for the rest of the
// process. 0xFFFF when another run of this user holds it: that run is asked
// to bring its window to the front, and `cause` says what came of it. A lock
// that cannot be opened at all is no other run: the start goes on (0) and
// says so on stderr.
[[nodiscard]] Status AcquireSingleInstance(std::uint32_t windowsVersion, std::string& cause);

// Where later starts reach the run that holds the lock (beside the lock);
// empty when the user has no runtime folder.
[[nodiscard]] std::string SingleInstanceChannelPath();
