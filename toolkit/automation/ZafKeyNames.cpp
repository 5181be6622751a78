#include "toolkit/automation/ZafKeyNames.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string>
#include <utility>

#include "platform/Keyboard.h"

namespace {
constexpr std::array<std::pair<std::string_view, std::uint8_t>, 27> kNames = {{
    {"Backspace", 0x08}, {"Tab", 0x09},    {"Enter", 0x0D},    {"Shift", 0x10},  {"Ctrl", 0x11},
    {"Alt", 0x12},       {"Pause", 0x13},  {"Escape", 0x1B},   {"Space", 0x20},  {"PageUp", 0x21},
    {"PageDown", 0x22},  {"End", 0x23},    {"Home", 0x24},     {"Left", 0x25},   {"Up", 0x26},
    {"Right", 0x27},     {"Down", 0x28},   {"PrintScreen", 0x2C}, {"Insert", 0x2D}, {"Delete", 0x2E},
    {"LeftWindows", 0x5B}, {"RightWindows", 0x5C}, {"Application", 0x5D}, {"NumLock", 0x90},
    {"ScrollLock", 0x91}, {"CapsLock", 0x14}, {"Clear", 0x0C},
}};

// The keypad's own keys, named "Num" and what they type.
constexpr std::array<std::pair<std::string_view, std::uint8_t>, 5> kKeypadSigns = {{
    {"Num*", 0x6A}, {"Num+", 0x6B}, {"Num-", 0x6D}, {"Num.", 0x6E}, {"Num/", 0x6F},
}};

constexpr std::string_view kKeypadPrefix = "Num";
}  // namespace

std::optional<StNamedKey> ZafKeyNames::Find(std::string_view name) {
  for (const auto& [keyName, code] : kNames) {
    if (keyName == name) return StNamedKey{code, false};
  }
  for (const auto& [keyName, code] : kKeypadSigns) {
    if (keyName == name) return StNamedKey{code, true};
  }
  if (name.size() > kKeypadPrefix.size() && name.starts_with(kKeypadPrefix) && name != "NumLock") {
    const std::string_view rest = name.substr(kKeypadPrefix.size());
    // The digits with Num Lock on, the navigation keys (and Enter) with it off.
    if (rest.size() == 1 && std::isdigit(static_cast<unsigned char>(rest[0])))
      return StNamedKey{static_cast<std::uint8_t>(0x60 + (rest[0] - '0')), true};
    if (auto key = Find(rest); key && !key->keypad &&
        (IsExtended(key->virtualKey, false) || key->virtualKey == 0x0D || key->virtualKey == 0x0C)) {
      return StNamedKey{key->virtualKey, true};
    }
    return std::nullopt;
  }
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return StNamedKey{static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(name[0]))), false};
  }
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
    int n = 0;
    if (std::from_chars(name.data() + 1, name.data() + name.size(), n).ptr == name.data() + name.size() && n >= 1 &&
        n <= 24) {
      return StNamedKey{static_cast<std::uint8_t>(0x70 + n - 1), false};
    }
  }
  if (name.size() > 2 && name.substr(0, 2) == "0x") {
    unsigned value = 0;
    const char* end = name.data() + name.size();
    if (std::from_chars(name.data() + 2, end, value, 16).ptr == end && value > 0 && value < 256) {
      return StNamedKey{static_cast<std::uint8_t>(value), false};
    }
  }
  return std::nullopt;
}

bool ZafKeyNames::IsExtended(std::uint8_t virtualKey, bool keypad) {
  if (keypad) return virtualKey == 0x0D;
  return (virtualKey >= 0x21 && virtualKey <= 0x28) || virtualKey == 0x2D || virtualKey == 0x2E;
}

std::uint8_t ZafKeyNames::ForCharacter(char c) {
  const SHORT key = VkKeyScanA(c);
  if (key == -1) return 0;
  // Control characters are Ctrl chords on the layout; as typed text they are
  // their own keys (a new line is Enter).
  if (c == '\n') return 0x0D;
  return static_cast<std::uint8_t>(key & 0xFF);
}
