#include "functions/KeyNames.h"

#include <array>

#include "functions/FunctionCodes.h"
#include "platform/Keyboard.h"

namespace {

constexpr std::array<StKeyName, 74> kKeyNames{{
    // The dedicated navigation keys, with codes of their own.
    {"{Insert}", 0x2D, 226}, {"{Delete}", 0x2E, 225}, {"{Home}", 0x24, 230}, {"{End}", 0x23, 229},
    {"{Page Up}", 0x21, 227}, {"{Page Down}", 0x22, 228}, {"{Up}", 0x26, 232}, {"{Left}", 0x25, 231},
    {"{Down}", 0x28, 234}, {"{Right}", 0x27, 233},
    {"{F1}", 0x70, 235}, {"{F2}", 0x71, 236}, {"{F3}", 0x72, 237}, {"{F4}", 0x73, 238},
    {"{F5}", 0x74, 239}, {"{F6}", 0x75, 240}, {"{F7}", 0x76, 241}, {"{F8}", 0x77, 242},
    {"{F9}", 0x78, 243}, {"{F10}", 0x79, 244}, {"{F11}", 0x7A, 245}, {"{F12}", 0x7B, 246},
    // The same keys by their virtual-key codes.
    {"{Insert}", 0x2D, 0x2D}, {"{Delete}", 0x2E, 0x2E}, {"{Home}", 0x24, 0x24}, {"{End}", 0x23, 0x23},
    {"{Page Up}", 0x21, 0x21}, {"{Page Down}", 0x22, 0x22}, {"{Up}", 0x26, 0x26}, {"{Left}", 0x25, 0x25},
    {"{Down}", 0x28, 0x28}, {"{Right}", 0x27, 0x27},
    {"{F1}", 0x70, 0x70}, {"{F2}", 0x71, 0x71}, {"{F3}", 0x72, 0x72}, {"{F4}", 0x73, 0x73},
    {"{F5}", 0x74, 0x74}, {"{F6}", 0x75, 0x75}, {"{F7}", 0x76, 0x76}, {"{F8}", 0x77, 0x77},
    {"{F9}", 0x78, 0x78}, {"{F10}", 0x79, 0x79}, {"{F11}", 0x7A, 0x7A}, {"{F12}", 0x7B, 0x7B},
    {"{Space}", 0x20, 0x20}, {"{Esc}", 0x1B, 0x1B}, {"{Pause}", 0x13, 0x13}, {"{Backspace}", 0x08, 0x08},
    {"{Tab}", 0x09, 0x09}, {"{Clear}", 0x0C, 0x0C}, {"{Enter}", 0x0D, 0x0D},
    {"{Num /}", 0x6F, 0x6F}, {"{Num *}", 0x6A, 0x6A}, {"{Num -}", 0x6D, 0x6D}, {"{Num 7}", 0x67, 0x67},
    {"{Num 8}", 0x68, 0x68}, {"{Num 9}", 0x69, 0x69}, {"{Num 4}", 0x64, 0x64}, {"{Num 5}", 0x65, 0x65},
    {"{Num 6}", 0x66, 0x66}, {"{Num +}", 0x6B, 0x6B}, {"{Num 1}", 0x61, 0x61}, {"{Num 2}", 0x62, 0x62},
    {"{Num 3}", 0x63, 0x63}, {"{Num 0}", 0x60, 0x60}, {"{Num Del}", 0x6E, 0x6E}, {"{Num Enter}", 0x6C, 0x6C},
    {"{Caps Lock}", 0x14, 0x14}, {"{Num Lock}", 0x90, 0x90}, {"{Scroll Lock}", 0x91, 0x91},
    {"{Left Windows}", 0x5B, 0x5B}, {"{Right Windows}", 0x5C, 0x5C}, {"{Application}", 0x5D, 0x5D},
    {"{Print Screen}", 0x2C, 0x2C},
}};

// Walks end at the row ("None", 0, 0): code 0 names no key.
template <typename TField>
const StKeyName* FindRow(TField field, std::uint8_t value) {
  if (value == 0) return nullptr;
  for (const StKeyName& row : kKeyNames) {
    if (row.*field == value) return &row;
  }
  return nullptr;
}

constexpr std::uint8_t kKeyTab = 0x09;
constexpr std::uint8_t kKeyPrintScreen = 0x2C;

constexpr std::array<StSpecialKeystroke, 4> kSpecial{{
    {"DK_AltTab", MakeKeystrokeWord(kKeyTab, 0, kModifierAlt)},
    {"DK_AltShiftTab", MakeKeystrokeWord(kKeyTab, 0, kModifierAlt | kModifierShift)},
    {"DK_PrintScreen", MakeKeystrokeWord(kKeyPrintScreen, 0, 0)},
    {"DK_AltPrintScreen", MakeKeystrokeWord(kKeyPrintScreen, 0, kModifierAlt)},
}};

bool IsDigitOrCapital(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

void AppendPrefixes(std::string& text, std::uint16_t modifiers, bool shift) {
  if ((modifiers & kModifierCtrl) != 0) text += "{Ctrl}";
  if ((modifiers & kModifierAlt) != 0) text += "{Alt}";
  if (shift) text += "{Shift}";
}

}  // namespace

std::span<const StKeyName> KeyNameTable() { return kKeyNames; }

const StKeyName* FindByVirtualKey(std::uint8_t virtualKey) { return FindRow(&StKeyName::virtualKey, virtualKey); }

const StKeyName* FindByKeyCode(std::uint8_t keyCode) { return FindRow(&StKeyName::keyCode, keyCode); }

std::string KeystrokeWordText(KeystrokeWord word) {
  const std::uint16_t modifiers = KeystrokeModifiers(word);
  auto character = static_cast<char>(KeystrokeCharacter(word));
  std::string text;
  if (character == 0) {
    if (const StKeyName* row = FindByKeyCode(KeystrokeKeyCode(word))) {
      AppendPrefixes(text, modifiers, (modifiers & kModifierShift) != 0);
      return text + row->name;
    }
    character = static_cast<char>(MapVirtualKeyA(KeystrokeKeyCode(word), MAPVK_VK_TO_CHAR) & 0xFFU);
  }
  // A typed character carries its own shift state.
  const bool shift = (modifiers & kModifierShift) != 0 && (modifiers & kModifierCtrl) != 0 &&
                     !IsDigitOrCapital(character);
  AppendPrefixes(text, modifiers, shift);
  if (character == '{') {
    text += "{{}";
  } else if (character != 0) {
    text += character;
  }
  return text;
}

std::span<const StSpecialKeystroke> SpecialKeystrokes() { return kSpecial; }
