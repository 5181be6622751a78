#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// What the calibration knows of pen displays and tablet models.

// A monitor device identifier containing this, followed by a product code,
// names one of our pen displays.
inline constexpr std::string_view kPenDisplayPrefix = "\\KLV";

struct StPenDisplayModel {
  std::string_view name;
  std::uint16_t number;
};

inline constexpr std::array<StPenDisplayModel, 8> kPenDisplayModels{{
    {"Display Model A", 500}, {"Display Model B", 510}, {"Display Model C", 520}, {"Display Model D", 550},
    {"Display Model E", 600}, {"Display Model F", 700}, {"Display Model G", 710}, {"Display Model H", 800},
}};

struct StPenDisplayProduct {
  std::string_view code;  // four digits
  std::uint8_t model;     // index into kPenDisplayModels
};

inline constexpr std::array<StPenDisplayProduct, 15> kPenDisplayProducts{{
    {"1201", 0}, {"1202", 0}, {"1203", 1}, {"1204", 1}, {"1205", 2}, {"1301", 3}, {"1302", 3}, {"1303", 4},
    {"1304", 4}, {"1401", 5}, {"1402", 5}, {"1403", 6}, {"1501", 7}, {"1502", 7}, {"1503", 7},
}};

// The display model a product code names, or none.
[[nodiscard]] constexpr const StPenDisplayModel* FindPenDisplay(std::string_view code) {
  for (const StPenDisplayProduct& product : kPenDisplayProducts) {
    if (product.code == code) return &kPenDisplayModels[product.model];
  }
  return nullptr;
}

struct StMonitorSize {
  std::int32_t width;
  std::int32_t height;
};

// Monitor sizes a tablet model can be the pen display of.
namespace monitor_sizes {
inline constexpr StMonitorSize kSmall[] = {{600, 480}};
inline constexpr StMonitorSize kMedium[] = {{800, 600}};
inline constexpr StMonitorSize kThree[] = {{600, 480}, {800, 600}, {1024, 768}};
inline constexpr StMonitorSize kFive[] = {{600, 480}, {720, 400}, {800, 600}, {832, 624}, {1024, 768}};
inline constexpr StMonitorSize kFour[] = {{600, 480}, {800, 600}, {1024, 768}, {1160, 864}};
inline constexpr StMonitorSize kFiveLarge[] = {{600, 480}, {800, 600}, {1024, 768}, {1160, 864}, {1280, 1024}};
inline constexpr StMonitorSize kFiveWide[] = {{600, 480}, {720, 400}, {800, 600}, {1024, 768}, {1280, 1024}};
}  // namespace monitor_sizes

[[nodiscard]] constexpr std::span<const StMonitorSize> AllowedMonitorSizes(std::uint16_t model) {
  switch (model) {
    case 100: case 110: case 115: case 117: return monitor_sizes::kSmall;
    case 120: return monitor_sizes::kMedium;
    case 130: case 140: case 141: case 142: return monitor_sizes::kThree;
    case 145: return monitor_sizes::kFive;
    case 150: return monitor_sizes::kFour;
    case 151: return monitor_sizes::kFiveLarge;
    case 155: case 156: case 160: return monitor_sizes::kFiveWide;
    default: return {};
  }
}

