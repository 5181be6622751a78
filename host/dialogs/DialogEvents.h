#pragma once

// Events the define dialogs' controls send to their window.

#include <span>

#include "toolkit/ZafEvents.h"
#include "toolkit/ZafWindow.h"

namespace DialogEvent {

// Keystroke dialog.
inline constexpr ZafEventType kClear = 0x4010;
inline constexpr ZafEventType kDelete = 0x4011;
inline constexpr ZafEventType kAddSpecial = 0x4012;
inline constexpr ZafEventType kAltTab = 0x4013;
inline constexpr ZafEventType kAltShiftTab = 0x4014;
inline constexpr ZafEventType kPrintScreen = 0x4015;
inline constexpr ZafEventType kAltPrintScreen = 0x4016;

// Modifier dialog check boxes.
inline constexpr ZafEventType kShift = 0x28A1;
inline constexpr ZafEventType kAlt = 0x28A2;
inline constexpr ZafEventType kCtrl = 0x28A3;
inline constexpr ZafEventType kClick = 0x28A4;

// Run dialog.
inline constexpr ZafEventType kBrowse = 0x4B6E;
// The user edited the path field.
inline constexpr ZafEventType kPathEdited = 0x4B6F;

}  // namespace DialogEvent

// A control of a define dialog and the event it sends its window.
struct StControlEvent {
  const char* name;
  ZafEventType event;
};

// Makes each named control of `window` that exists send its event.
inline void SendControlEvents(ZafWindow& window, std::span<const StControlEvent> controls) {
  for (const StControlEvent& control : controls) {
    if (ZafWindowObject* object = window.Find(control.name)) object->SetSendMessage(control.event);
  }
}
