#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a tablet profile describes: the driver, its tablets and their tools.
// The built-in default and the JSON files of service/profiles/ fill it.

using StVersionBytes = std::array<std::uint8_t, 5>;

struct StToolProfile {
  std::uint16_t type = 2;        // tool type code (item 115)
  std::uint32_t serial = 0;      // item 38
  std::uint16_t identity = 0;    // item 37, the third mapping selector
  std::string name;              // item 188; empty lets the applet name it by type
  bool eraser = false;           // stylus: button 4 and an eraser in use
  std::uint16_t buttons = 0;     // puck: buttons 1..n
  bool roller = false;           // puck: button 16
  bool wheel = false;            // finger wheel: button 32
};

struct StTabletProfile {
  std::uint16_t model = 130;
  std::string name;
  StVersionBytes version{1, 0, 0, 0, 0};
  std::uint32_t pressureLevels = 1023;
  std::uint32_t width = 20320;   // tablet units
  std::uint32_t height = 15240;
  bool penDisplay = false;       // answers the common display monitor (Calibrate tab)
  std::uint16_t monitor = 1;
  bool battery = false;
  std::uint32_t batteryLevel = 3;
  bool joystick = false;
  std::uint16_t tabletButtons = 0;  // 0..8
  std::uint16_t touchStrips = 0;    // 0..2
  std::vector<StToolProfile> tools;
};

struct StApplicationProfile {
  std::uint32_t identifier = 0;
  std::string program;
  std::string title;
  // Functions of its own on every tablet, in place of the factory ones:
  std::optional<std::uint32_t> tabletMenu;   // the tablet menu's function
  std::vector<std::uint32_t> tabletButtons;  // tablet buttons 0.. in order
  std::vector<std::uint32_t> touchStrips;    // touch strips 8 and 9
  std::vector<std::uint32_t> popup;          // the popup menu's entries, by kind
};

struct StProfile {
  std::string name = "default";
  StVersionBytes driverVersion{4, 8, 2, 2, 8};
  std::vector<StTabletProfile> tablets;
  std::vector<StApplicationProfile> applications;  // position 0 holds every other program
  bool devices = false;  // tabletd drives the machine's tablets, as with --devices
};

// The profile used when nothing else is configured: one supported tablet with
// a pen (tip, two side switches, eraser) and a puck with buttons and a wheel.
[[nodiscard]] StProfile MakeDefaultProfile();
