#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The function of one button as the driver model holds it: the function code,
// the modifier mask and the data of keystroke and run-application functions.
struct StButtonFunction {
  std::uint32_t code = 0;
  std::uint16_t modifiers = 0;
  std::vector<std::uint32_t> keys;  // keystroke words up to the first zero word
  std::string application;
};

// A pressure-sensitive end of a pen: click threshold and curve words, in the
// tablet's pressure levels.
struct StPressureFeel {
  std::uint16_t threshold = 0;
  std::array<std::uint16_t, 6> curve{};
};

// A finger wheel: its function (0 lines, 1 pages, 2 keystrokes, other off),
// lines per step and a keystroke per direction (0 away from the user).
struct StWheelFunction {
  std::uint32_t code = 3;
  std::uint16_t lines = 3;
  std::array<std::vector<std::uint32_t>, 2> keys;
};

struct StArea {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Everything the pipeline applies to one tool, read from the driver model.
struct StToolSettings {
  std::uint32_t pressureLevels = 1023;
  StPressureFeel tip;
  StPressureFeel eraser;
  bool eraserInUse = false;
  std::array<StButtonFunction, 17> buttons{};  // by button number: 1 tip, 4 eraser, 2 and 3 side switches
  StWheelFunction wheel;
  std::uint32_t doubleClickDistance = 0;  // screen pixels
  std::uint32_t doubleClickTimeMs = 0;
  bool doubleClickAssist = false;
  bool mouseMode = false;
  std::uint16_t speed = 5;
  std::uint16_t acceleration = 1;  // 0 most, 3 none
  StArea tabletArea;  // tablet units
  StArea screenArea;  // pixels
};
