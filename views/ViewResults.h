#pragma once

#include <cstdint>

#include "protocol/Status.h"

// Every view operation answers 32 bits of which the low word counts: below
// 0x100 it is a set of flags from Perform, from 0x100 on it is a status.
using ViewResult = std::uint32_t;

// Flags of a Perform result.
inline constexpr ViewResult kResultStateMask = 0x03;     // control-state code 1..3 to send
inline constexpr ViewResult kResultValueChanged = 0x10;  // the control must redisplay its value
inline constexpr ViewResult kResultOwned = 0x80;         // the request was meant for this view

// Display state of a view.
inline constexpr std::uint32_t kStateHidden = 0;
inline constexpr std::uint32_t kStateShown = 1;
inline constexpr std::uint32_t kStateDisabled = 2;
inline constexpr std::uint32_t kStateUnknown = 3;  // forces the next evaluation to notify

// Codes a view hands to SetControlState: the display state plus one, and 0 to
// ask for the value to be shown again.
inline constexpr std::uint32_t kControlRedisplay = 0;
inline constexpr std::uint32_t kControlHide = 1;
inline constexpr std::uint32_t kControlShow = 2;
inline constexpr std::uint32_t kControlShowDisabled = 3;

// A view result dropped on purpose goes through here, like a status.
constexpr void DropStatus(ViewResult /*result*/, const char* /*why*/) {}

[[nodiscard]] constexpr std::uint32_t LowWord(ViewResult result) { return result & 0xFFFFU; }

// A low word of 0x100 or more is a status code, "handled" included.
[[nodiscard]] constexpr bool IsStatusResult(ViewResult result) { return (result & 0xFF00U) != 0; }

[[nodiscard]] constexpr Status ResultStatus(ViewResult result) {
  return static_cast<std::uint16_t>(LowWord(result));
}
