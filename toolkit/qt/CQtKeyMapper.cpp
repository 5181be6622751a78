#include "toolkit/qt/CQtKeyMapper.h"

#include <QList>
#include <array>
#include <utility>

#include "platform/CodePage.h"
#include "platform/Keyboard.h"
#include "toolkit/automation/ZafKeyNames.h"

namespace {

// Keys whose code does not follow from the character they type.
constexpr std::array<std::pair<int, std::uint8_t>, 28> kNamedKeys = {{
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},      {Qt::Key_Backtab, 0x09},
    {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},    {Qt::Key_Shift, 0x10},
    {Qt::Key_Control, 0x11},   {Qt::Key_Alt, 0x12},      {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B},   {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},     {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},     {Qt::Key_Print, 0x2C},
    {Qt::Key_Insert, 0x2D},    {Qt::Key_Delete, 0x2E},   {Qt::Key_Meta, 0x5B},
    {Qt::Key_Menu, 0x5D},      {Qt::Key_NumLock, 0x90},  {Qt::Key_ScrollLock, 0x91},
    {Qt::Key_Clear, 0x0C},
}};

// The keypad's own codes, which differ from the main block's.
constexpr std::array<std::pair<int, std::uint8_t>, 5> kKeypadSigns = {{
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B}, {Qt::Key_Minus, 0x6D}, {Qt::Key_Period, 0x6E},
    {Qt::Key_Slash, 0x6F},
}};

std::uint8_t KeypadKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<std::uint8_t>(0x60 + (qtKey - Qt::Key_0));
  for (const auto& [key, code] : kKeypadSigns) {
    if (key == qtKey) return code;
  }
  return 0;
}

// Qt names the keys that type a character by that character; its special
// keys lie above this.
constexpr int kFirstSpecialKey = 0x01000000;

}  // namespace

std::uint8_t CQtKeyMapper::VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (modifiers.testFlag(Qt::KeypadModifier)) {
    if (const std::uint8_t keypad = KeypadKey(qtKey); keypad != 0) return keypad;
  }
  for (const auto& [key, code] : kNamedKeys) {
    if (key == qtKey) return code;
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<std::uint8_t>(0x70 + (qtKey - Qt::Key_F1));
  // Letters, digits and punctuation: the key of the US layout that types the
  // character (Qt names a letter key by its capital).
  if (qtKey > 0x20 && qtKey < 0x7F) {
    const SHORT key = VkKeyScanA(static_cast<CHAR>(qtKey));
    return key == -1 ? 0 : static_cast<std::uint8_t>(key & 0xFF);
  }
  return 0;
}

char32_t CQtKeyMapper::Character(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
  const QList<uint> characters = text.toUcs4();
  if (characters.size() == 1 && characters[0] >= 0x20 && characters[0] != 0x7F) return characters[0];
  // Ctrl turns what the key types into a control character, or into nothing:
  // the key itself still says which character it is.
  if (qtKey <= 0x20 || qtKey >= kFirstSpecialKey) return 0;
  const QChar key(static_cast<char16_t>(qtKey));
  if (qtKey <= 0xFFFF && key.isLetter()) {
    return modifiers.testFlag(Qt::ShiftModifier) ? key.toUpper().unicode() : key.toLower().unicode();
  }
  return static_cast<char32_t>(qtKey);
}

ZafKeyInfo CQtKeyMapper::Map(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text, bool down,
                             bool wasDown, std::uint32_t codePage) {
  ZafKeyInfo key;
  key.virtualKey = VirtualKey(qtKey, modifiers);
  key.down = down;
  key.unicode = Character(qtKey, modifiers, text);
  if (const int byte = key.unicode != 0 ? EncodeCodePageCharacter(key.unicode, codePage) : -1; byte >= 0)
    key.character = static_cast<char>(byte);
  if (modifiers.testFlag(Qt::AltModifier)) key.modifiers |= kZafModifierAlt;
  if (modifiers.testFlag(Qt::ControlModifier)) key.modifiers |= kZafModifierCtrl;
  if (modifiers.testFlag(Qt::ShiftModifier)) key.modifiers |= kZafModifierShift;
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  key.keyData = ZafMakeKeyData(down, wasDown, ZafKeyNames::IsExtended(key.virtualKey, keypad),
                               modifiers.testFlag(Qt::AltModifier));
  return key;
}

int CQtKeyMapper::QtKey(std::uint8_t virtualKey, bool keypad, Qt::KeyboardModifiers& modifiers) {
  if (keypad) modifiers |= Qt::KeypadModifier;
  if (keypad && virtualKey == 0x0D) return Qt::Key_Enter;
  if (virtualKey >= 0x60 && virtualKey <= 0x69) {
    modifiers |= Qt::KeypadModifier;
    return Qt::Key_0 + (virtualKey - 0x60);
  }
  for (const auto& [key, code] : kKeypadSigns) {
    if (code == virtualKey) {
      modifiers |= Qt::KeypadModifier;
      return key;
    }
  }
  for (const auto& [key, code] : kNamedKeys) {
    if (code == virtualKey) return key;
  }
  if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key_F1 + (virtualKey - 0x70);
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) return virtualKey;
  // The punctuation keys: Qt names them by the character they type unshifted.
  if (const UINT character = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_CHAR); character > 0x20 && character < 0x7F)
    return static_cast<int>(character);
  return Qt::Key_unknown;
}
