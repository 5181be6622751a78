#include "platform/Keyboard.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

constexpr SHORT kShift = 0x100;
constexpr SHORT kCtrl = 0x200;

// The punctuation keys of the US layout: the key's code, its character and
// its character with Shift.
struct StPunctuationKey {
  BYTE virtualKey;
  char plain;
  char shifted;
};
constexpr std::array<StPunctuationKey, 11> kPunctuation = {{
    {0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'}, {0xBE, '.', '>'},
    {0xBF, '/', '?'}, {0xC0, '`', '~'}, {0xDB, '[', '{'}, {0xDC, '\\', '|'}, {0xDD, ']', '}'},
    {0xDE, '\'', '"'},
}};

// Shift with a digit key, from 0 to 9.
constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

// Keypad keys that type a character whatever Num Lock says.
constexpr std::array<std::pair<BYTE, char>, 5> kKeypadSigns = {{
    {0x6A, '*'}, {0x6B, '+'}, {0x6D, '-'}, {0x6E, '.'}, {0x6F, '/'},
}};

}  // namespace

SHORT VkKeyScanA(CHAR character) {
  const auto c = static_cast<unsigned char>(character);
  if (c >= 'a' && c <= 'z') return static_cast<SHORT>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<SHORT>(kShift | c);
  if (c >= '0' && c <= '9') return static_cast<SHORT>(c);
  if (const auto digit = kShiftedDigits.find(static_cast<char>(c)); digit != std::string_view::npos)
    return static_cast<SHORT>(kShift | ('0' + digit));
  for (const StPunctuationKey& key : kPunctuation) {
    if (key.plain == static_cast<char>(c)) return key.virtualKey;
    if (key.shifted == static_cast<char>(c)) return static_cast<SHORT>(kShift | key.virtualKey);
  }
  switch (c) {
    case ' ': return 0x20;
    case '\b': return 0x08;
    case '\t': return 0x09;
    case '\r': return 0x0D;
    case 0x1B: return 0x1B;
    case '\n': return static_cast<SHORT>(kCtrl | 0x0D);
    case 0x7F: return static_cast<SHORT>(kCtrl | 0x08);
    default: break;
  }
  // The remaining control characters are Ctrl with a letter (Ctrl+A is 1).
  if (c >= 1 && c <= 26) return static_cast<SHORT>(kCtrl | ('A' + c - 1));
  return -1;
}

UINT MapVirtualKeyA(UINT code, UINT mapType) {
  if (mapType != MAPVK_VK_TO_CHAR) return 0;
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return code;
  if (code >= 0x60 && code <= 0x69) return '0' + (code - 0x60);
  for (const StPunctuationKey& key : kPunctuation) {
    if (key.virtualKey == code) return static_cast<unsigned char>(key.plain);
  }
  for (const auto& [key, sign] : kKeypadSigns) {
    if (key == code) return static_cast<unsigned char>(sign);
  }
  switch (code) {
    case 0x08: return '\b';
    case 0x09: return '\t';
    case 0x0D: return '\r';
    case 0x1B: return 0x1B;
    case 0x20: return ' ';
    default: return 0;
  }
}
