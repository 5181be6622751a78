#include "toolkit/qt/CQtKeyMapper.h"

#include <array>
#include <string_view>
#include <utility>

#include "toolkit/automation/ZafKeyNames.h"

namespace {

// Keys whose code does not follow from the character they type.
constexpr std::array<std::pair<int, std::uint8_t>, 27> kNamedKeys = {{
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},      {Qt::Key_Backtab, 0x09},
    {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},    {Qt::Key_Shift, 0x10},
    {Qt::Key_Control, 0x11},   {Qt::Key_Alt, 0x12},      {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B},   {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},     {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},     {Qt::Key_Print, 0x2C},
    {Qt::Key_Insert, 0x2D},    {Qt::Key_Delete, 0x2E},   {Qt::Key_Meta, 0x5B},
    {Qt::Key_Menu, 0x5D},      {Qt::Key_NumLock, 0x90},  {Qt::Key_ScrollLock, 0x91},
}};

// The keypad's own codes, which differ from the main block's.
std::uint8_t KeypadKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
    return static_cast<std::uint8_t>(0x60 + (qtKey - Qt::Key_0));
  switch (qtKey) {
    case Qt::Key_Asterisk: return 0x6A;
    case Qt::Key_Plus: return 0x6B;
    case Qt::Key_Minus: return 0x6D;
    case Qt::Key_Period: return 0x6E;
    case Qt::Key_Slash: return 0x6F;
    default: return 0;
  }
}

// Punctuation on a US layout: the key that types the character, shifted or not.
std::uint8_t PunctuationKey(char c) {
  constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";
  if (const auto digit = kShiftedDigits.find(c); digit != std::string_view::npos) {
    return static_cast<std::uint8_t>('0' + digit);
  }
  constexpr std::array<std::pair<std::string_view, std::uint8_t>, 11> kKeys = {{
      {";:", 0xBA},
      {"=+", 0xBB},
      {",<", 0xBC},
      {"-_", 0xBD},
      {".>", 0xBE},
      {"/?", 0xBF},
      {"`~", 0xC0},
      {"[{", 0xDB},
      {"\\|", 0xDC},
      {"]}", 0xDD},
      {"'\"", 0xDE},
  }};
  for (const auto& [characters, code] : kKeys) {
    if (characters.find(c) != std::string_view::npos) return code;
  }
  return 0;
}

}  // namespace

std::uint8_t CQtKeyMapper::VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (modifiers.testFlag(Qt::KeypadModifier)) {
    if (const std::uint8_t keypad = KeypadKey(qtKey); keypad != 0) return keypad;
  }
  for (const auto& [key, code] : kNamedKeys) {
    if (key == qtKey) return code;
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return static_cast<std::uint8_t>(0x70 + (qtKey - Qt::Key_F1));
  // Qt names letters, digits and punctuation by their Latin-1 character.
  if (qtKey > 0x20 && qtKey < 0x7F) {
    const auto c = static_cast<char>(qtKey);
    const std::uint8_t code = ZafKeyNames::ForCharacter(c);
    return code != 0 ? code : PunctuationKey(c);
  }
  return 0;
}

ZafKeyInfo CQtKeyMapper::Map(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text,
                             bool down, bool wasDown) {
  ZafKeyInfo key;
  key.virtualKey = VirtualKey(qtKey, modifiers);
  key.down = down;
  // Only plain ASCII that the key types by itself; Ctrl or Alt chords type nothing.
  const bool chord = modifiers.testFlag(Qt::ControlModifier) || modifiers.testFlag(Qt::AltModifier);
  if (!chord && text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F) {
    key.character = static_cast<char>(text[0].unicode());
  }
  const bool extended = ZafKeyNames::IsExtended(key.virtualKey) ||
                        (qtKey == Qt::Key_Enter && modifiers.testFlag(Qt::KeypadModifier));
  key.keyData = ZafMakeKeyData(down, wasDown, extended, modifiers.testFlag(Qt::AltModifier));
  return key;
}
