#include "toolkit/automation/ZafKeyNames.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string>
#include <utility>

namespace {
constexpr std::array<std::pair<std::string_view, std::uint8_t>, 27> kNames = {{
    {"Backspace", 0x08}, {"Tab", 0x09},    {"Enter", 0x0D},    {"Shift", 0x10},  {"Ctrl", 0x11},
    {"Alt", 0x12},       {"Pause", 0x13},  {"Escape", 0x1B},   {"Space", 0x20},  {"PageUp", 0x21},
    {"PageDown", 0x22},  {"End", 0x23},    {"Home", 0x24},     {"Left", 0x25},   {"Up", 0x26},
    {"Right", 0x27},     {"Down", 0x28},   {"PrintScreen", 0x2C}, {"Insert", 0x2D}, {"Delete", 0x2E},
    {"LeftWindows", 0x5B}, {"RightWindows", 0x5C}, {"Application", 0x5D}, {"NumLock", 0x90},
    {"ScrollLock", 0x91}, {"CapsLock", 0x14}, {"Clear", 0x0C},
}};
}  // namespace

std::optional<std::uint8_t> ZafKeyNames::Find(std::string_view name) {
  for (const auto& [keyName, code] : kNames) {
    if (keyName == name) return code;
  }
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(name[0])));
  }
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
    int n = 0;
    if (std::from_chars(name.data() + 1, name.data() + name.size(), n).ptr == name.data() + name.size() && n >= 1 &&
        n <= 24) {
      return static_cast<std::uint8_t>(0x70 + n - 1);
    }
  }
  if (name.size() > 2 && name.substr(0, 2) == "0x") {
    unsigned value = 0;
    const char* end = name.data() + name.size();
    if (std::from_chars(name.data() + 2, end, value, 16).ptr == end && value > 0 && value < 256) {
      return static_cast<std::uint8_t>(value);
    }
  }
  return std::nullopt;
}

bool ZafKeyNames::IsExtended(std::uint8_t virtualKey) {
  return (virtualKey >= 0x21 && virtualKey <= 0x28) || virtualKey == 0x2D || virtualKey == 0x2E;
}

std::uint8_t ZafKeyNames::ForCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (std::isalpha(u)) return static_cast<std::uint8_t>(std::toupper(u));
  if (std::isdigit(u) || c == ' ') return u;
  if (c == '\n') return 0x0D;
  if (c == '\t') return 0x09;
  return 0;
}
