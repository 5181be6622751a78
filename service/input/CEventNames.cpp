#include "service/input/CEventNames.h"

#include <linux/input-event-codes.h>

#include <array>
#include <charconv>

namespace {

struct StName {
  std::uint16_t type;
  std::uint16_t code;
  std::string_view name;
};

constexpr std::array<StName, 6> kTypes{{{EV_SYN, 0, "EV_SYN"},
                                        {EV_KEY, 0, "EV_KEY"},
                                        {EV_REL, 0, "EV_REL"},
                                        {EV_ABS, 0, "EV_ABS"},
                                        {EV_MSC, 0, "EV_MSC"},
                                        {EV_LED, 0, "EV_LED"}}};

#define KELVO_NAME(type, code) StName{type, code, #code}
constexpr std::array kCodes{
    KELVO_NAME(EV_SYN, SYN_REPORT), KELVO_NAME(EV_SYN, SYN_DROPPED),
    KELVO_NAME(EV_ABS, ABS_X), KELVO_NAME(EV_ABS, ABS_Y), KELVO_NAME(EV_ABS, ABS_Z),
    KELVO_NAME(EV_ABS, ABS_RZ), KELVO_NAME(EV_ABS, ABS_THROTTLE), KELVO_NAME(EV_ABS, ABS_WHEEL),
    KELVO_NAME(EV_ABS, ABS_PRESSURE), KELVO_NAME(EV_ABS, ABS_DISTANCE), KELVO_NAME(EV_ABS, ABS_TILT_X),
    KELVO_NAME(EV_ABS, ABS_TILT_Y), KELVO_NAME(EV_ABS, ABS_MISC),
    KELVO_NAME(EV_REL, REL_X), KELVO_NAME(EV_REL, REL_Y), KELVO_NAME(EV_REL, REL_WHEEL),
    KELVO_NAME(EV_REL, REL_HWHEEL), KELVO_NAME(EV_REL, REL_WHEEL_HI_RES),
    KELVO_NAME(EV_MSC, MSC_SERIAL), KELVO_NAME(EV_MSC, MSC_SCAN),
    KELVO_NAME(EV_KEY, BTN_LEFT), KELVO_NAME(EV_KEY, BTN_RIGHT), KELVO_NAME(EV_KEY, BTN_MIDDLE),
    KELVO_NAME(EV_KEY, BTN_SIDE), KELVO_NAME(EV_KEY, BTN_EXTRA), KELVO_NAME(EV_KEY, BTN_TOOL_PEN),
    KELVO_NAME(EV_KEY, BTN_TOOL_RUBBER), KELVO_NAME(EV_KEY, BTN_TOOL_BRUSH),
    KELVO_NAME(EV_KEY, BTN_TOOL_PENCIL), KELVO_NAME(EV_KEY, BTN_TOOL_AIRBRUSH),
    KELVO_NAME(EV_KEY, BTN_TOOL_MOUSE), KELVO_NAME(EV_KEY, BTN_TOOL_LENS),
    KELVO_NAME(EV_KEY, BTN_TOOL_FINGER), KELVO_NAME(EV_KEY, BTN_TOUCH), KELVO_NAME(EV_KEY, BTN_STYLUS),
    KELVO_NAME(EV_KEY, BTN_STYLUS2), KELVO_NAME(EV_KEY, BTN_STYLUS3), KELVO_NAME(EV_KEY, BTN_0),
    KELVO_NAME(EV_KEY, BTN_1), KELVO_NAME(EV_KEY, BTN_2), KELVO_NAME(EV_KEY, BTN_3),
    KELVO_NAME(EV_KEY, KEY_LEFTCTRL), KELVO_NAME(EV_KEY, KEY_RIGHTCTRL), KELVO_NAME(EV_KEY, KEY_LEFTALT),
    KELVO_NAME(EV_KEY, KEY_RIGHTALT), KELVO_NAME(EV_KEY, KEY_LEFTSHIFT), KELVO_NAME(EV_KEY, KEY_RIGHTSHIFT),
    KELVO_NAME(EV_KEY, KEY_LEFTMETA), KELVO_NAME(EV_KEY, KEY_RIGHTMETA), KELVO_NAME(EV_KEY, KEY_COMPOSE),
    KELVO_NAME(EV_KEY, KEY_TAB), KELVO_NAME(EV_KEY, KEY_ENTER), KELVO_NAME(EV_KEY, KEY_SPACE),
    KELVO_NAME(EV_KEY, KEY_ESC), KELVO_NAME(EV_KEY, KEY_BACKSPACE), KELVO_NAME(EV_KEY, KEY_CAPSLOCK),
    KELVO_NAME(EV_KEY, KEY_NUMLOCK), KELVO_NAME(EV_KEY, KEY_SCROLLLOCK), KELVO_NAME(EV_KEY, KEY_PAUSE),
    KELVO_NAME(EV_KEY, KEY_SYSRQ), KELVO_NAME(EV_KEY, KEY_CLEAR), KELVO_NAME(EV_KEY, KEY_INSERT),
    KELVO_NAME(EV_KEY, KEY_DELETE), KELVO_NAME(EV_KEY, KEY_HOME), KELVO_NAME(EV_KEY, KEY_END),
    KELVO_NAME(EV_KEY, KEY_PAGEUP), KELVO_NAME(EV_KEY, KEY_PAGEDOWN), KELVO_NAME(EV_KEY, KEY_UP),
    KELVO_NAME(EV_KEY, KEY_DOWN), KELVO_NAME(EV_KEY, KEY_LEFT), KELVO_NAME(EV_KEY, KEY_RIGHT),
    KELVO_NAME(EV_KEY, KEY_F1), KELVO_NAME(EV_KEY, KEY_F2), KELVO_NAME(EV_KEY, KEY_F3),
    KELVO_NAME(EV_KEY, KEY_F4), KELVO_NAME(EV_KEY, KEY_F5), KELVO_NAME(EV_KEY, KEY_F6),
    KELVO_NAME(EV_KEY, KEY_F7), KELVO_NAME(EV_KEY, KEY_F8), KELVO_NAME(EV_KEY, KEY_F9),
    KELVO_NAME(EV_KEY, KEY_F10), KELVO_NAME(EV_KEY, KEY_F11), KELVO_NAME(EV_KEY, KEY_F12),
    KELVO_NAME(EV_KEY, KEY_A), KELVO_NAME(EV_KEY, KEY_B), KELVO_NAME(EV_KEY, KEY_C),
    KELVO_NAME(EV_KEY, KEY_D), KELVO_NAME(EV_KEY, KEY_E), KELVO_NAME(EV_KEY, KEY_F),
    KELVO_NAME(EV_KEY, KEY_G), KELVO_NAME(EV_KEY, KEY_H), KELVO_NAME(EV_KEY, KEY_I),
    KELVO_NAME(EV_KEY, KEY_J), KELVO_NAME(EV_KEY, KEY_K), KELVO_NAME(EV_KEY, KEY_L),
    KELVO_NAME(EV_KEY, KEY_M), KELVO_NAME(EV_KEY, KEY_N), KELVO_NAME(EV_KEY, KEY_O),
    KELVO_NAME(EV_KEY, KEY_P), KELVO_NAME(EV_KEY, KEY_Q), KELVO_NAME(EV_KEY, KEY_R),
    KELVO_NAME(EV_KEY, KEY_S), KELVO_NAME(EV_KEY, KEY_T), KELVO_NAME(EV_KEY, KEY_U),
    KELVO_NAME(EV_KEY, KEY_V), KELVO_NAME(EV_KEY, KEY_W), KELVO_NAME(EV_KEY, KEY_X),
    KELVO_NAME(EV_KEY, KEY_Y), KELVO_NAME(EV_KEY, KEY_Z), KELVO_NAME(EV_KEY, KEY_0),
    KELVO_NAME(EV_KEY, KEY_1), KELVO_NAME(EV_KEY, KEY_2), KELVO_NAME(EV_KEY, KEY_3),
    KELVO_NAME(EV_KEY, KEY_4), KELVO_NAME(EV_KEY, KEY_5), KELVO_NAME(EV_KEY, KEY_6),
    KELVO_NAME(EV_KEY, KEY_7), KELVO_NAME(EV_KEY, KEY_8), KELVO_NAME(EV_KEY, KEY_9),
    KELVO_NAME(EV_KEY, KEY_MINUS), KELVO_NAME(EV_KEY, KEY_EQUAL), KELVO_NAME(EV_KEY, KEY_LEFTBRACE),
    KELVO_NAME(EV_KEY, KEY_RIGHTBRACE), KELVO_NAME(EV_KEY, KEY_BACKSLASH), KELVO_NAME(EV_KEY, KEY_SEMICOLON),
    KELVO_NAME(EV_KEY, KEY_APOSTROPHE), KELVO_NAME(EV_KEY, KEY_COMMA), KELVO_NAME(EV_KEY, KEY_DOT),
    KELVO_NAME(EV_KEY, KEY_SLASH), KELVO_NAME(EV_KEY, KEY_GRAVE), KELVO_NAME(EV_KEY, KEY_KP0),
    KELVO_NAME(EV_KEY, KEY_KP1), KELVO_NAME(EV_KEY, KEY_KP2), KELVO_NAME(EV_KEY, KEY_KP3),
    KELVO_NAME(EV_KEY, KEY_KP4), KELVO_NAME(EV_KEY, KEY_KP5), KELVO_NAME(EV_KEY, KEY_KP6),
    KELVO_NAME(EV_KEY, KEY_KP7), KELVO_NAME(EV_KEY, KEY_KP8), KELVO_NAME(EV_KEY, KEY_KP9),
    KELVO_NAME(EV_KEY, KEY_KPASTERISK), KELVO_NAME(EV_KEY, KEY_KPPLUS), KELVO_NAME(EV_KEY, KEY_KPMINUS),
    KELVO_NAME(EV_KEY, KEY_KPDOT), KELVO_NAME(EV_KEY, KEY_KPSLASH), KELVO_NAME(EV_KEY, KEY_KPENTER),
};
#undef KELVO_NAME

std::optional<std::uint16_t> Number(std::string_view text) {
  int base = 10;
  if (text.starts_with("0x")) {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint16_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::string CEventNames::TypeName(std::uint16_t type) {
  for (const StName& entry : kTypes)
    if (entry.type == type) return std::string(entry.name);
  return std::to_string(type);
}

std::string CEventNames::CodeName(std::uint16_t type, std::uint16_t code) {
  for (const StName& entry : kCodes)
    if (entry.type == type && entry.code == code) return std::string(entry.name);
  return std::to_string(code);
}

std::optional<std::uint16_t> CEventNames::ParseType(std::string_view text) {
  for (const StName& entry : kTypes)
    if (entry.name == text) return entry.type;
  return Number(text);
}

std::optional<std::uint16_t> CEventNames::ParseCode(std::uint16_t type, std::string_view text) {
  for (const StName& entry : kCodes)
    if (entry.type == type && entry.name == text) return entry.code;
  return Number(text);
}
