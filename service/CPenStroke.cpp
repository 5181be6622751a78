#include "service/CPenStroke.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

namespace {

// Bounds of each column of a report line, in order.
struct StColumn {
  const char* name;
  std::int64_t low;
  std::int64_t high;
};
constexpr StColumn kColumns[] = {
    {"x", 0, 0xFFFFFFFF},           {"y", 0, 0xFFFFFFFF},          {"pressure", 0, 0xFFFF},
    {"tilt x", -32768, 32767},      {"tilt y", -32768, 32767},     {"switches", 0, 0xFFFFFFFF},
    {"wheel", -32768, 32767},       {"rotation", 0, 0xFFFF},
};
constexpr std::size_t kRequiredColumns = 3;

bool ParseNumber(const std::string& word, std::int64_t& out) {
  const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
  const char* begin = word.data() + (hex ? 2 : 0);
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(begin, end, out, hex ? 16 : 10);
  return begin != end && error == std::errc() && stop == end;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line.substr(0, line.find('#')));
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

void Apply(StPenReport& report, std::size_t column, std::int64_t value) {
  switch (column) {
    case 0: report.x = static_cast<std::uint32_t>(value); break;
    case 1: report.y = static_cast<std::uint32_t>(value); break;
    case 2: report.pressure = static_cast<std::uint16_t>(value); break;
    case 3: report.tiltX = static_cast<std::int16_t>(value); break;
    case 4: report.tiltY = static_cast<std::int16_t>(value); break;
    case 5: report.switches = static_cast<std::uint32_t>(value); break;
    case 6: report.wheel = static_cast<std::int16_t>(value); break;
    default: report.rotation = static_cast<std::uint16_t>(value); break;
  }
}

}  // namespace

bool CPenStroke::Parse(std::istream& in, const std::string& name, StPenStroke& out, std::string& error) {
  out = {};
  StPenReport last;
  bool sawRate = false;
  std::size_t number = 0;
  const auto fail = [&](const std::string& what) {
    error = name + ":" + std::to_string(number) + ": " + what;
    return false;
  };
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::vector<std::string> words = Words(line);
    if (words.empty()) continue;
    // Settings come before the reports they time.
    if (words[0] == "rate" || words[0] == "tool") {
      std::int64_t value = 0;
      if (!out.reports.empty()) return fail(words[0] + " after the first report");
      if (words.size() != 2 || !ParseNumber(words[1], value)) return fail(words[0] + " takes one number");
      if (words[0] == "rate") {
        if (sawRate || value < 1 || value > kMaxRate) return fail("rate is 1 to " + std::to_string(kMaxRate) + ", once");
        out.rate = static_cast<std::uint32_t>(value);
        sawRate = true;
      } else {
        if (out.tool || value < 0 || value > 0xFFFF) return fail("tool is a tool number, once");
        out.tool = static_cast<std::uint32_t>(value);
      }
      continue;
    }
    if (out.reports.size() >= kMaxReports) return fail("more than " + std::to_string(kMaxReports) + " reports");
    if (words[0] == "away") {
      if (words.size() != 1) return fail("away takes nothing");
      last.inProximity = false;
      out.reports.push_back(last);
      continue;
    }
    if (words.size() < kRequiredColumns || words.size() > std::size(kColumns))
      return fail("a report is x y pressure [tilt-x tilt-y [switches [wheel [rotation]]]]");
    // Columns left out keep the report before's values.
    last.inProximity = true;
    for (std::size_t column = 0; column < words.size(); ++column) {
      std::int64_t value = 0;
      const StColumn& bounds = kColumns[column];
      if (!ParseNumber(words[column], value)) return fail(std::string("bad ") + bounds.name + " \"" + words[column] + "\"");
      if (value < bounds.low || value > bounds.high)
        return fail(std::string(bounds.name) + " " + words[column] + " is out of range");
      Apply(last, column, value);
    }
    out.reports.push_back(last);
  }
  if (out.reports.empty()) return fail("no reports");
  return true;
}

bool CPenStroke::ReadFile(const std::filesystem::path& file, StPenStroke& out, std::string& error) {
  std::ifstream in(file);
  if (!in) {
    error = file.string() + ": cannot be read";
    return false;
  }
  return Parse(in, file.string(), out, error);
}

std::string CPenStroke::Format(const StPenStroke& stroke) {
  std::ostringstream out;
  out << "rate " << stroke.rate << "\n";
  if (stroke.tool) out << "tool " << *stroke.tool << "\n";
  for (const StPenReport& report : stroke.reports) {
    if (!report.inProximity) {
      out << "away\n";
      continue;
    }
    out << report.x << ' ' << report.y << ' ' << report.pressure << ' ' << report.tiltX << ' ' << report.tiltY
        << " 0x" << std::hex << report.switches << std::dec << ' ' << report.wheel << ' ' << report.rotation << "\n";
  }
  return out.str();
}

StPenStroke CPenStroke::Demo(std::uint32_t width, std::uint32_t height, std::uint32_t pressureLevels) {
  constexpr double kPi = std::numbers::pi;
  constexpr int kHover = 50;    // a quarter second near the tablet before and after
  constexpr int kDrawing = 600;  // three seconds on it
  StPenStroke stroke;
  stroke.rate = kDefaultRate;
  const double cx = width / 2.0;
  const double cy = height / 2.0;
  const double ax = width * 0.3;
  const double ay = height * 0.3;
  const auto at = [&](double phase, StPenReport& report) {
    // A figure eight: once round in x, twice in y.
    report.x = static_cast<std::uint32_t>(std::lround(cx + ax * std::sin(2 * kPi * phase)));
    report.y = static_cast<std::uint32_t>(std::lround(cy + ay * std::sin(4 * kPi * phase)));
  };
  for (int i = 0; i < kHover; ++i) {
    StPenReport report;
    at(0, report);
    report.x -= static_cast<std::uint32_t>(kHover - i) * width / 400;
    stroke.reports.push_back(report);
  }
  for (int i = 0; i < kDrawing; ++i) {
    const double phase = static_cast<double>(i) / kDrawing;
    StPenReport report;
    at(phase, report);
    // Pressure swells twice; the pen leans and turns as a hand moves.
    const double swell = 0.5 * (1 - std::cos(4 * kPi * phase));
    report.pressure = static_cast<std::uint16_t>(std::lround(std::min(0.15 + 0.85 * swell, 1.0) * pressureLevels));
    report.tiltX = static_cast<std::int16_t>(std::lround(35 * std::sin(2 * kPi * phase)));
    report.tiltY = static_cast<std::int16_t>(std::lround(-20 + 15 * std::cos(2 * kPi * phase)));
    report.rotation = static_cast<std::uint16_t>((i * 360 / kDrawing + 90) % 360);
    report.switches = i >= kDrawing / 2 && i < kDrawing / 2 + 60 ? 0x2 : 0;
    stroke.reports.push_back(report);
  }
  const StPenReport lifted = stroke.reports.back();
  for (int i = 0; i < kHover; ++i) {
    StPenReport report = lifted;
    report.pressure = 0;
    report.switches = 0;
    report.y += static_cast<std::uint32_t>(i) * height / 600;
    stroke.reports.push_back(report);
  }
  StPenReport away = stroke.reports.back();
  away.inProximity = false;
  stroke.reports.push_back(away);
  return stroke;
}
