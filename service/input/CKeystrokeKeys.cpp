#include "service/input/CKeystrokeKeys.h"

#include <linux/input-event-codes.h>

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::uint16_t, 26> kLetters{KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I,
                                                 KEY_J, KEY_K, KEY_L, KEY_M, KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R,
                                                 KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};
constexpr std::array<std::uint16_t, 10> kDigits{KEY_0, KEY_1, KEY_2, KEY_3, KEY_4,
                                                KEY_5, KEY_6, KEY_7, KEY_8, KEY_9};

// Characters of the US layout other than letters and digits: unshifted on
// the left column, the same key shifted on the right.
struct StPunctuation {
  char plain;
  char shifted;
  std::uint16_t key;
};
constexpr std::array<StPunctuation, 11> kPunctuation{{{'-', '_', KEY_MINUS},
                                                      {'=', '+', KEY_EQUAL},
                                                      {'[', '{', KEY_LEFTBRACE},
                                                      {']', '}', KEY_RIGHTBRACE},
                                                      {'\\', '|', KEY_BACKSLASH},
                                                      {';', ':', KEY_SEMICOLON},
                                                      {'\'', '"', KEY_APOSTROPHE},
                                                      {',', '<', KEY_COMMA},
                                                      {'.', '>', KEY_DOT},
                                                      {'/', '?', KEY_SLASH},
                                                      {'`', '~', KEY_GRAVE}}};
constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

struct StKeyCode {
  std::uint8_t code;
  std::uint16_t key;
};
// Virtual-key codes and the dedicated navigation and function key codes.
constexpr std::array<StKeyCode, 62> kKeyCodes{{
    {0x08, KEY_BACKSPACE}, {0x09, KEY_TAB}, {0x0C, KEY_CLEAR}, {0x0D, KEY_ENTER}, {0x13, KEY_PAUSE},
    {0x14, KEY_CAPSLOCK}, {0x1B, KEY_ESC}, {0x20, KEY_SPACE}, {0x21, KEY_PAGEUP}, {0x22, KEY_PAGEDOWN},
    {0x23, KEY_END}, {0x24, KEY_HOME}, {0x25, KEY_LEFT}, {0x26, KEY_UP}, {0x27, KEY_RIGHT},
    {0x28, KEY_DOWN}, {0x2C, KEY_SYSRQ}, {0x2D, KEY_INSERT}, {0x2E, KEY_DELETE}, {0x5B, KEY_LEFTMETA},
    {0x5C, KEY_RIGHTMETA}, {0x5D, KEY_COMPOSE}, {0x60, KEY_KP0}, {0x61, KEY_KP1}, {0x62, KEY_KP2},
    {0x63, KEY_KP3}, {0x64, KEY_KP4}, {0x65, KEY_KP5}, {0x66, KEY_KP6}, {0x67, KEY_KP7},
    {0x68, KEY_KP8}, {0x69, KEY_KP9}, {0x6A, KEY_KPASTERISK}, {0x6B, KEY_KPPLUS}, {0x6C, KEY_KPENTER},
    {0x6D, KEY_KPMINUS}, {0x6E, KEY_KPDOT}, {0x6F, KEY_KPSLASH}, {0x90, KEY_NUMLOCK},
    {0x91, KEY_SCROLLLOCK}, {225, KEY_DELETE}, {226, KEY_INSERT}, {227, KEY_PAGEUP},
    {228, KEY_PAGEDOWN}, {229, KEY_END}, {230, KEY_HOME}, {231, KEY_LEFT}, {232, KEY_UP},
    {233, KEY_RIGHT}, {234, KEY_DOWN}, {235, KEY_F1}, {236, KEY_F2}, {237, KEY_F3}, {238, KEY_F4},
    {239, KEY_F5}, {240, KEY_F6}, {241, KEY_F7}, {242, KEY_F8}, {243, KEY_F9}, {244, KEY_F10},
    {245, KEY_F11}, {246, KEY_F12},
}};

}  // namespace

std::optional<StKeyPress> CKeystrokeKeys::FromCharacter(char character) {
  if (character >= 'a' && character <= 'z') return StKeyPress{kLetters[static_cast<std::size_t>(character - 'a')]};
  if (character >= 'A' && character <= 'Z')
    return StKeyPress{kLetters[static_cast<std::size_t>(character - 'A')], false, false, true};
  if (character >= '0' && character <= '9') return StKeyPress{kDigits[static_cast<std::size_t>(character - '0')]};
  if (character == ' ') return StKeyPress{KEY_SPACE};
  if (const std::size_t at = kShiftedDigits.find(character); at != std::string_view::npos)
    return StKeyPress{kDigits[at], false, false, true};
  for (const StPunctuation& entry : kPunctuation) {
    if (entry.plain == character) return StKeyPress{entry.key};
    if (entry.shifted == character) return StKeyPress{entry.key, false, false, true};
  }
  return std::nullopt;
}

std::uint16_t CKeystrokeKeys::FromKeyCode(std::uint8_t keyCode) {
  if (keyCode >= 'A' && keyCode <= 'Z') return kLetters[keyCode - 'A'];
  if (keyCode >= '0' && keyCode <= '9') return kDigits[keyCode - '0'];
  if (keyCode >= 0x70 && keyCode <= 0x7B) {
    constexpr std::array<std::uint16_t, 12> kF{KEY_F1, KEY_F2, KEY_F3, KEY_F4,  KEY_F5,  KEY_F6,
                                               KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_F11, KEY_F12};
    return kF[keyCode - 0x70];
  }
  for (const StKeyCode& entry : kKeyCodes)
    if (entry.code == keyCode) return entry.key;
  // Punctuation keys carry the character they make.
  if (const std::optional<StKeyPress> press = FromCharacter(static_cast<char>(keyCode)); press && !press->shift)
    return press->key;
  return 0;
}

std::optional<StKeyPress> CKeystrokeKeys::FromWord(std::uint32_t word) {
  const auto modifiers = static_cast<std::uint16_t>(word & 0xFFFF);
  const auto character = static_cast<char>((word >> 16) & 0xFF);
  const auto keyCode = static_cast<std::uint8_t>(word >> 24);
  std::optional<StKeyPress> press;
  if (character >= 0x20 && character < 0x7F) press = FromCharacter(character);
  if (!press) {
    const std::uint16_t key = FromKeyCode(keyCode);
    if (key == 0) return std::nullopt;
    press = StKeyPress{key};
  }
  press->ctrl = (modifiers & kCtrl) != 0;
  press->alt = (modifiers & kAlt) != 0;
  press->shift = press->shift || (modifiers & kShift) != 0;
  return press;
}
