// Qt keys to the applet's virtual-key codes, characters and key data words.

#include <gtest/gtest.h>

#include "toolkit/qt/CQtKeyMapper.h"

namespace {

struct StKeyCase {
  int qtKey;
  Qt::KeyboardModifiers modifiers;
  const char* text;
  std::uint8_t virtualKey;
  char character;
  char32_t unicode;
};

// One key for each way a code or a character is found (the named keys are a table).
TEST(CQtKeyMapper, KeysMapToTheirVirtualKeyAndCharacter) {
  const StKeyCase cases[] = {
      {Qt::Key_A, Qt::NoModifier, "a", 0x41, 'a', 'a'},
      {Qt::Key_A, Qt::ShiftModifier, "A", 0x41, 'A', 'A'},
      {Qt::Key_Exclam, Qt::ShiftModifier, "!", 0x31, '!', '!'},
      {Qt::Key_Question, Qt::ShiftModifier, "?", 0xBF, '?', '?'},
      {Qt::Key_5, Qt::KeypadModifier, "5", 0x65, '5', '5'},
      {Qt::Key_Plus, Qt::KeypadModifier, "+", 0x6B, '+', '+'},
      {Qt::Key_F1, Qt::NoModifier, "", 0x70, 0, 0},
      {Qt::Key_F12, Qt::NoModifier, "", 0x7B, 0, 0},
      {Qt::Key_Escape, Qt::NoModifier, "\x1b", 0x1B, 0, 0},
      {Qt::Key_Backtab, Qt::ShiftModifier, "", 0x09, 0, 0},
      // Ctrl chords still say which character the key gives.
      {Qt::Key_C, Qt::ControlModifier, "\x03", 0x43, 'c', 'c'},
      {Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, "\x03", 0x43, 'C', 'C'},
      {Qt::Key_1, Qt::ControlModifier, "", 0x31, '1', '1'},
      // Letters without a key code of their own come with their character.
      {Qt::Key_Adiaeresis, Qt::NoModifier, "\xc3\xa4", 0, '\xe4', 0xE4},
      {0x0416, Qt::NoModifier, "\xd0\xb6", 0, 0, 0x0436},
  };
  for (const StKeyCase& c : cases) {
    const ZafKeyInfo key =
        CQtKeyMapper::Map(c.qtKey, c.modifiers, QString::fromUtf8(c.text), true, false);
    EXPECT_EQ(key.virtualKey, c.virtualKey) << "Qt key 0x" << std::hex << c.qtKey;
    EXPECT_EQ(key.character, c.character) << "Qt key 0x" << std::hex << c.qtKey;
    EXPECT_EQ(key.unicode, c.unicode) << "Qt key 0x" << std::hex << c.qtKey;
  }
}

// The word's layout itself is the toolkit's (ZafMakeKeyData); here what the key gives it.
TEST(CQtKeyMapper, TheKeyDataWordHasRepeatExtendedAltPreviousAndTransitionBits) {
  struct StCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    bool down;
    bool wasDown;
    std::uint32_t keyData;
  };
  const StCase cases[] = {
      {Qt::Key_A, Qt::NoModifier, true, true, 0x40000001},
      {Qt::Key_Left, Qt::NoModifier, true, false, 0x01000001},
      {Qt::Key_Home, Qt::NoModifier, false, true, 0xC1000001},
      {Qt::Key_Enter, Qt::KeypadModifier, true, false, 0x01000001},
      // The keypad's navigation keys (Num Lock off) are not the dedicated ones.
      {Qt::Key_Home, Qt::KeypadModifier, true, false, 0x00000001},
      {Qt::Key_Return, Qt::NoModifier, true, false, 0x00000001},
      {Qt::Key_F4, Qt::AltModifier, true, false, 0x20000001},
  };
  for (const StCase& c : cases) {
    EXPECT_EQ(CQtKeyMapper::Map(c.qtKey, c.modifiers, {}, c.down, c.wasDown).keyData, c.keyData)
        << "Qt key 0x" << std::hex << c.qtKey;
  }
  EXPECT_EQ(CQtKeyMapper::Map(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, {}, true, false).modifiers,
            kZafModifierCtrl | kZafModifierShift);
  EXPECT_EQ(CQtKeyMapper::Map(Qt::Key_Home, Qt::KeypadModifier, {}, true, false).virtualKey, 0x24);
}

}  // namespace
