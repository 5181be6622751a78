#pragma once

#include <concepts>
#include <cstdint>

#include "protocol/Status.h"
#include "services/ControlStates.h"

// Every view operation answers 32 bits of which the low word counts: below
// 0x100 it is a set of flags from Perform, from 0x100 on it is a status.
using ViewResult = std::uint32_t;

// Flags of a Perform result.
inline constexpr ViewResult kResultStateMask = 0x03;     // control-state code 1..3 to send
inline constexpr ViewResult kResultValueChanged = 0x10;  // the control must redisplay its value
inline constexpr ViewResult kResultOwned = 0x80;         // the request was meant for this view

// A view result dropped on purpose goes through here, like a status.
constexpr void DropStatus(std::same_as<ViewResult> auto /*result*/, const char* /*why*/) {}

[[nodiscard]] constexpr std::uint32_t LowWord(ViewResult result) { return result & 0xFFFFU; }

// A low word of 0x100 or more is a status code, "handled" included.
[[nodiscard]] constexpr bool IsStatusResult(ViewResult result) { return (result & 0xFF00U) != 0; }

[[nodiscard]] constexpr Status ResultStatus(ViewResult result) {
  return static_cast<std::uint16_t>(LowWord(result));
}
