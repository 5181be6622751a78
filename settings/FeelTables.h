#pragma once

// The constant tables behind the feel items: slider positions of the pressure
// curve and the click threshold per tablet family, and the rows of the
// double-click slider. They are data the driver's values are matched
// against, used exactly as listed.

#include <array>
#include <cstdint>

// Slider positions of a pressure feel: 0 (soft) to 6 (firm).
inline constexpr std::uint16_t kPressurePositions = 7;

// One row of a family's curve table: the control values written into the
// curve words w1, w2 and w3 (scaled from the table's full scale to the
// tablet's pressure levels), and the highest w2 * 100 / w3 that still reads
// as this position.
struct StCurvePoint {
  std::int16_t a = 0;
  std::int16_t b = 0;
  std::int16_t c = 0;
  std::int32_t ratioLimit = 0;
};

struct StCurveFamily {
  std::array<StCurvePoint, kPressurePositions> rows{};
  std::uint32_t fullScale = 0;
};

inline constexpr StCurveFamily kCurveKRB{{{
                                             {10, 1023, 133, 769},
                                             {20, 850, 256, 332},
                                             {31, 686, 389, 176},
                                             {41, 512, 512, 100},
                                             {72, 389, 686, 57},
                                             {113, 256, 850, 30},
                                             {153, 133, 1023, 13},
                                         }},
                                         1023};

inline constexpr StCurveFamily kCurveMJ{{{
                                            {26, 511, 26, 1965},
                                            {31, 424, 87, 487},
                                            {35, 337, 174, 193},
                                            {41, 256, 256, 100},
                                            {51, 169, 342, 50},
                                            {77, 87, 424, 20},
                                            {102, 0, 511, 0},
                                        }},
                                        511};

inline constexpr StCurveFamily kCurveQVN{{{
                                             {26, 511, 66, 1023},
                                             {31, 409, 123, 551},
                                             {41, 291, 215, 235},
                                             {51, 194, 342, 96},
                                             {72, 153, 399, 48},
                                             {97, 112, 455, 32},
                                             {128, 66, 511, 19},
                                         }},
                                         511};

inline constexpr StCurveFamily kCurveXFW{{{
                                             {13, 255, 13, 1965},
                                             {15, 212, 43, 494},
                                             {17, 168, 87, 193},
                                             {20, 128, 128, 100},
                                             {25, 84, 171, 50},
                                             {38, 43, 212, 20},
                                             {51, 0, 255, 0},
                                         }},
                                         255};

// Click threshold per position, in percent of the maximum pressure level.
using ClickPercents = std::array<std::int32_t, kPressurePositions>;
inline constexpr ClickPercents kClickKRB{1, 2, 3, 4, 7, 11, 15};
inline constexpr ClickPercents kClickMJ{5, 6, 7, 8, 10, 15, 20};
inline constexpr ClickPercents kClickQVN{5, 6, 8, 10, 14, 19, 25};
// The XFW family clicks as the MJ family does.
inline constexpr const ClickPercents& kClickXFW = kClickMJ;

// Double-click slider: positions 0 to 4, each row the three driver values
// (value A, value B, switch) written together.
inline constexpr std::int32_t kDoubleClickPositions = 5;

struct StDoubleClickRow {
  std::uint32_t a = 0;
  std::uint32_t b = 0;
  std::uint8_t on = 0;
};

using DoubleClickTable = std::array<StDoubleClickRow, kDoubleClickPositions>;

inline constexpr DoubleClickTable kDoubleClickCommon{
    {{0, 135, 0}, {1, 300, 1}, {2, 500, 1}, {9, 625, 1}, {15, 750, 1}}};
// Tools of type code 42 keep a longer value A.
inline constexpr DoubleClickTable kDoubleClickQVN{
    {{2, 135, 0}, {4, 300, 1}, {7, 500, 1}, {11, 625, 1}, {15, 750, 1}}};
