#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "service/StPenReport.h"

// A recorded stroke: the reports a tablet sent, one per report interval.
struct StPenStroke {
  std::uint32_t rate = 200;            // reports per second
  std::optional<std::uint32_t> tool;   // the tool number on the tablet; none: the current tool
  std::vector<StPenReport> reports;
};

// The stroke file (docs/pen-stroke.md) and the built-in demo stroke.
class CPenStroke {
 public:
  static constexpr std::uint32_t kDefaultRate = 200;
  static constexpr std::uint32_t kMaxRate = 1000;
  static constexpr std::size_t kMaxReports = 100000;

  // Reads a stroke; false with "NAME:LINE: what" in `error` when the text is
  // not one.
  [[nodiscard]] static bool Parse(std::istream& in, const std::string& name, StPenStroke& out, std::string& error);
  [[nodiscard]] static bool ReadFile(const std::filesystem::path& file, StPenStroke& out, std::string& error);
  // The text of a stroke, as Parse reads it back.
  [[nodiscard]] static std::string Format(const StPenStroke& stroke);

  // Four seconds at the default rate over a tablet of that size: the pen
  // comes near, draws a figure eight with rising and falling pressure while
  // tilting and turning, presses its first side switch halfway, lifts and
  // goes away. The same every time.
  [[nodiscard]] static StPenStroke Demo(std::uint32_t width, std::uint32_t height, std::uint32_t pressureLevels);
};
