#pragma once

// Turns Qt key events into the toolkit's key messages: the virtual-key code
// of the platform the applet comes from, the character the key gives under
// the user's layout (in the keyboard's code page and as Unicode), the
// modifiers held, and the key data word (repeat count, extended, Alt,
// previous state, transition). And back, for automation that types.

#include <QString>
#include <Qt>
#include <cstdint>

#include "toolkit/ZafEvents.h"

class CQtKeyMapper {
 public:
  // 0 for keys without a code of their own (accented and non-Latin letters).
  [[nodiscard]] static std::uint8_t VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
  // The character the key gives, with Ctrl or Alt held as without them; 0
  // for keys that give none (F1, arrows, Enter).
  [[nodiscard]] static char32_t Character(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);
  // wasDown: the key was already down before this message (auto-repeat, or
  // the release of a held key). codePage: the keyboard's 8-bit code page.
  [[nodiscard]] static ZafKeyInfo Map(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text, bool down,
                                      bool wasDown, std::uint32_t codePage = 1252);

  // The Qt key (and the keypad modifier it needs) that gives a virtual key;
  // Qt::Key_unknown when there is none.
  [[nodiscard]] static int QtKey(std::uint8_t virtualKey, bool keypad, Qt::KeyboardModifiers& modifiers);
};
