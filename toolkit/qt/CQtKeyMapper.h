#pragma once

// Turns Qt key events into the toolkit's key messages: the virtual-key code
// of the platform the applet comes from, the character typed and the key data
// word (repeat count, extended, Alt, previous state, transition).

#include <QString>
#include <Qt>
#include <cstdint>

#include "toolkit/ZafEvents.h"

class CQtKeyMapper {
 public:
  // 0 for keys the applet has no code for.
  [[nodiscard]] static std::uint8_t VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
  // wasDown: the key was already down before this message (auto-repeat, or
  // the release of a held key).
  [[nodiscard]] static ZafKeyInfo Map(int qtKey, Qt::KeyboardModifiers modifiers,
                                      const QString& text, bool down, bool wasDown);
};
