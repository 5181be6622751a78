#pragma once

// Event codes and the event record of the toolkit. Negative codes are the
// toolkit's own; positive ones come from controls, keys and the application.

#include <array>
#include <cstdint>

class ZafWindowObject;

using ZafEventType = std::int32_t;

inline constexpr ZafEventType kZafEventNone = 0;
inline constexpr ZafEventType kZafEventRefresh = -9;       // show again what may have changed
inline constexpr ZafEventType kZafEventInitialize = -10;   // window set up (added to the window manager)
inline constexpr ZafEventType kZafEventClose = -11;        // window closed by the user or by code
inline constexpr ZafEventType kZafEventCurrent = -26;      // window became the active one
inline constexpr ZafEventType kZafEventNonCurrent = -27;   // window taken off the screen
inline constexpr ZafEventType kZafEventCancel = -2993;     // closed with Cancel
inline constexpr ZafEventType kZafEventOk = -2999;         // closed with OK
inline constexpr ZafEventType kZafEventTimerOff = -3000;   // a timer stops
inline constexpr ZafEventType kZafEventTimerOn = -3001;    // a timer starts again
inline constexpr ZafEventType kZafEventTimer = -3520;      // a timer's tick
inline constexpr ZafEventType kZafEventKey = 256;          // a key went down or up
inline constexpr ZafEventType kZafEventChanged = 1002;     // the user changed a control
inline constexpr ZafEventType kZafEventPenTap = 1003;      // a pen tap in a capture window
inline constexpr ZafEventType kZafEventQuerySettled = 1008;  // "is the choice final?" (1 yes, 0 no)
inline constexpr ZafEventType kZafEventRestart = 10001;    // application: start or try again
inline constexpr ZafEventType kZafEventMonitorRect = 10002;  // application: a monitor rectangle

// Bits of the key data word, laid out as the keyboard messages of the
// platform the applet comes from lay them out.
inline constexpr std::uint32_t kZafKeyRepeatMask = 0xFFFFU;
inline constexpr std::uint32_t kZafKeyExtended = 1U << 24;
inline constexpr std::uint32_t kZafKeyAltDown = 1U << 29;
inline constexpr std::uint32_t kZafKeyWasDown = 1U << 30;
inline constexpr std::uint32_t kZafKeyReleased = 1U << 31;

// Virtual-key codes the toolkit itself looks at.
inline constexpr std::uint8_t kZafKeyShift = 0x10;
inline constexpr std::uint8_t kZafKeyControl = 0x11;
inline constexpr std::uint8_t kZafKeyAlt = 0x12;
inline constexpr std::uint8_t kZafKeyEscape = 0x1B;
inline constexpr std::uint8_t kZafKeyReturn = 0x0D;
inline constexpr std::uint8_t kZafKeyTab = 0x09;

// Modifier keys held when a key message was made, in the bits of the
// applet's modifier mask.
inline constexpr std::uint8_t kZafModifierAlt = 1;
inline constexpr std::uint8_t kZafModifierCtrl = 2;
inline constexpr std::uint8_t kZafModifierShift = 4;

// One key going down or up. A key without a virtual-key code of its own (an
// accented or non-Latin letter) still comes, with its character.
struct ZafKeyInfo {
  std::uint8_t virtualKey = 0;  // 0: the key has no code; look at the character
  // The character the key gives under the user's layout, with Ctrl or Alt held
  // as without them ('c' for Ctrl+C): in the keyboard's 8-bit code page (0 when
  // it has none there), and as Unicode (0 for keys that give no character).
  char character = 0;
  char32_t unicode = 0;
  std::uint8_t modifiers = 0;   // kZafModifier* bits
  bool down = true;
  std::uint32_t keyData = 0;    // repeat count, extended, previous state and transition bits
};

// Builds the key data word of a key message.
[[nodiscard]] constexpr std::uint32_t ZafMakeKeyData(bool down, bool wasDown, bool extended,
                                                     bool altDown = false) {
  std::uint32_t data = 1;  // repeat count
  if (extended) data |= kZafKeyExtended;
  if (altDown) data |= kZafKeyAltDown;
  if (wasDown) data |= kZafKeyWasDown;
  if (!down) data |= kZafKeyReleased;
  return data;
}

struct ZafEventStruct {
  ZafEventType type = kZafEventNone;
  // The object the event is for; nullptr means the current (topmost) window.
  ZafWindowObject* target = nullptr;
  // The control the event came from (a button's message, a key in a field).
  ZafWindowObject* source = nullptr;
  ZafKeyInfo key{};
  // Event-specific numbers: a monitor rectangle (left, top, right, bottom), a tap position.
  std::array<std::int32_t, 4> data{};
};
