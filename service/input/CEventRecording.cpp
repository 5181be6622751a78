#include "service/input/CEventRecording.h"

#include <linux/input-event-codes.h>

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "service/input/CEventNames.h"

namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    std::size_t end = line.find_first_of(" \t", start);
    if (end == std::string_view::npos) end = line.size();
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  int base = 10;
  if (text.starts_with("0x")) {
    text.remove_prefix(2);
    base = 16;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc{} && end == text.data() + text.size() && !text.empty();
}

// "S.UUUUUU": whole seconds and exactly six digits of microseconds.
bool ParseTime(std::string_view text, std::int64_t& us) {
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos || text.size() - dot - 1 != 6) return false;
  std::int64_t seconds = 0;
  std::int64_t micro = 0;
  if (!ParseNumber(text.substr(0, dot), seconds) || !ParseNumber(text.substr(dot + 1), micro)) return false;
  if (seconds < 0 || micro < 0 || seconds > 1'000'000'000) return false;
  us = seconds * 1'000'000 + micro;
  return true;
}

}  // namespace

std::string CEventRecording::EventLine(const StInputEvent& event) {
  char time[40];
  std::snprintf(time, sizeof time, "%" PRId64 ".%06" PRId64, event.timeUs / 1'000'000,
                event.timeUs % 1'000'000);
  return std::string(time) + ' ' + CEventNames::TypeName(event.type) + ' ' +
         CEventNames::CodeName(event.type, event.code) + ' ' + std::to_string(event.value);
}

std::string CEventRecording::Write() const {
  std::ostringstream out;
  out << kMagic << '\n';
  out << "name " << m_device.name << '\n';
  char id[64];
  std::snprintf(id, sizeof id, "id %u 0x%04x 0x%04x", m_device.bus, m_device.vendor, m_device.product);
  out << id << '\n';
  for (const StAxisRange& axis : m_device.axes)
    out << "abs " << CEventNames::CodeName(EV_ABS, axis.code) << ' ' << axis.minimum << ' ' << axis.maximum
        << ' ' << axis.resolution << '\n';
  if (!m_device.keys.empty()) {
    out << "key";
    for (const std::uint16_t key : m_device.keys) out << ' ' << CEventNames::CodeName(EV_KEY, key);
    out << '\n';
  }
  out << "events\n";
  for (const StInputEvent& event : m_events) out << EventLine(event) << '\n';
  return out.str();
}

Status CEventRecording::Read(std::string_view text, std::string& error) {
  m_device = {};
  m_events.clear();
  bool magic = false;
  bool inEvents = false;
  std::int64_t lastTime = 0;
  std::size_t number = 0;
  auto fail = [&](const std::string& why) {
    error = "line " + std::to_string(number) + ": " + why;
    m_device = {};
    m_events.clear();
    return kStatusMalformedPacket;
  };
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> words = Words(line);
    if (words.empty() || words[0].starts_with('#')) continue;
    if (!magic) {
      if (line != kMagic) return fail("not an event recording (the first line must be \"kelvo-events 1\")");
      magic = true;
      continue;
    }
    if (inEvents) {
      StInputEvent event;
      if (words.size() != 4 || !ParseTime(words[0], event.timeUs))
        return fail("an event is \"SECONDS.MICROSECONDS TYPE CODE VALUE\"");
      const std::optional<std::uint16_t> type = CEventNames::ParseType(words[1]);
      if (!type) return fail("unknown event type " + std::string(words[1]));
      const std::optional<std::uint16_t> code = CEventNames::ParseCode(*type, words[2]);
      if (!code) return fail("unknown event code " + std::string(words[2]));
      if (!ParseNumber(words[3], event.value)) return fail("bad value " + std::string(words[3]));
      if (event.timeUs < lastTime) return fail("time goes backwards");
      lastTime = event.timeUs;
      event.type = *type;
      event.code = *code;
      m_events.push_back(event);
    } else if (words[0] == "name") {
      const std::size_t at = line.find("name") + 4;
      const std::size_t start = line.find_first_not_of(" \t", at);
      m_device.name = start == std::string_view::npos ? "" : std::string(line.substr(start));
    } else if (words[0] == "id") {
      if (words.size() != 4 || !ParseNumber(words[1], m_device.bus) || !ParseNumber(words[2], m_device.vendor) ||
          !ParseNumber(words[3], m_device.product))
        return fail("id is \"id BUS VENDOR PRODUCT\"");
    } else if (words[0] == "abs") {
      StAxisRange axis;
      const std::optional<std::uint16_t> code =
          words.size() == 5 ? CEventNames::ParseCode(EV_ABS, words[1]) : std::nullopt;
      if (!code || !ParseNumber(words[2], axis.minimum) || !ParseNumber(words[3], axis.maximum) ||
          !ParseNumber(words[4], axis.resolution) || axis.minimum > axis.maximum)
        return fail("abs is \"abs AXIS MINIMUM MAXIMUM RESOLUTION\"");
      axis.code = *code;
      m_device.axes.push_back(axis);
    } else if (words[0] == "key") {
      for (std::size_t i = 1; i < words.size(); ++i) {
        const std::optional<std::uint16_t> code = CEventNames::ParseCode(EV_KEY, words[i]);
        if (!code) return fail("unknown key " + std::string(words[i]));
        m_device.keys.push_back(*code);
      }
    } else if (words[0] == "events" && words.size() == 1) {
      inEvents = true;
    } else {
      return fail("unknown header line \"" + std::string(words[0]) + "\"");
    }
  }
  if (!magic) {
    number = 0;
    return fail("empty recording");
  }
  return kStatusOk;
}
