#include "toolkit/ZafScreens.h"

#include <charconv>
#include <cstdlib>

namespace {

bool Number(std::string_view text, std::int32_t& out) {
  const char* end = text.data() + text.size();
  return !text.empty() && std::from_chars(text.data(), end, out).ptr == end;
}

// WIDTHxHEIGHT+X+Y; X and Y may be negative ("+-1280").
bool ParseGeometry(std::string_view text, ZafRegion& out) {
  const std::size_t times = text.find('x');
  const std::size_t plusX = text.find('+', times);
  const std::size_t plusY = plusX == std::string_view::npos ? plusX : text.find('+', plusX + 1);
  if (times == std::string_view::npos || plusY == std::string_view::npos) return false;
  std::int32_t width = 0, height = 0, x = 0, y = 0;
  if (!Number(text.substr(0, times), width) || !Number(text.substr(times + 1, plusX - times - 1), height) ||
      !Number(text.substr(plusX + 1, plusY - plusX - 1), x) || !Number(text.substr(plusY + 1), y) || width <= 0 ||
      height <= 0) {
    return false;
  }
  out = ZafRegion::FromSize(x, y, width, height);
  return true;
}

bool ParseScreen(std::string_view text, std::size_t number, ZafScreen& out, bool& primary) {
  std::size_t comma = text.find(',');
  if (!ParseGeometry(text.substr(0, comma), out.bounds)) return false;
  out.workArea = out.bounds;
  out.name = "DISPLAY" + std::to_string(number);
  while (comma != std::string_view::npos) {
    const std::size_t next = text.find(',', comma + 1);
    const std::string_view item = text.substr(comma + 1, next == std::string_view::npos ? next : next - comma - 1);
    comma = next;
    const std::size_t equals = item.find('=');
    const std::string_view key = item.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? std::string_view() : item.substr(equals + 1);
    if (key == "primary" && equals == std::string_view::npos) {
      primary = true;
    } else if (key == "work") {
      if (!ParseGeometry(value, out.workArea)) return false;
    } else if (key == "id") {
      out.deviceId = std::string(value);
    } else if (key == "name" && !value.empty()) {
      out.name = std::string(value);
    } else if (key == "flags") {
      std::int32_t flags = 0;
      if (!Number(value, flags) || flags < 0) return false;
      out.stateFlags = static_cast<std::uint32_t>(flags);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

bool ZafScreens::Parse(std::string_view description, std::vector<ZafScreen>& out) {
  std::vector<ZafScreen> screens;
  bool anyPrimary = false;
  std::size_t start = 0;
  while (start <= description.size()) {
    const std::size_t end = description.find(';', start);
    const std::string_view part =
        description.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    ZafScreen screen;
    bool primary = false;
    if (!ParseScreen(part, screens.size() + 1, screen, primary)) return false;
    screen.primary = primary;
    anyPrimary = anyPrimary || primary;
    screens.push_back(std::move(screen));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (!anyPrimary) screens.front().primary = true;
  out = std::move(screens);
  return true;
}

std::vector<ZafScreen> ZafScreens::FromEnvironment() {
  std::vector<ZafScreen> screens;
  if (const char* described = std::getenv("KELVO_SCREENS");
      described != nullptr && Parse(described, screens)) {
    return screens;
  }
  const ZafRegion screen = ZafRegion::FromSize(0, 0, 1280, 1024);
  return {{"DISPLAY1", screen, screen, true, {}, 3}};
}
