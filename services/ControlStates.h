#pragma once

#include <cstdint>

// Display state of a control, as the views keep it and the window shows it.
inline constexpr std::uint32_t kStateHidden = 0;
inline constexpr std::uint32_t kStateShown = 1;
inline constexpr std::uint32_t kStateDisabled = 2;
inline constexpr std::uint32_t kStateUnknown = 3;  // forces the next evaluation to notify

// Reasons a view hands to the translator's Notify: 0 asks for the value to be
// shown again, 1 to 3 carry a display state plus one, 4 and 5 show or hide a
// whole window.
inline constexpr std::uint32_t kControlRedisplay = 0;
inline constexpr std::uint32_t kControlHide = 1;
inline constexpr std::uint32_t kControlShow = 2;
inline constexpr std::uint32_t kControlShowDisabled = 3;
inline constexpr std::uint32_t kControlShowWindow = 4;  // run the dialog of that id
inline constexpr std::uint32_t kControlHideWindow = 5;

// The display state a reason of 1 to 3 carries.
[[nodiscard]] constexpr std::uint32_t StateOfReason(std::uint32_t reason) {
  return reason - kControlHide;
}
