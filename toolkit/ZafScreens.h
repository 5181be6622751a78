#pragma once

// The screens a presenter shows windows on, and their written description:
// the headless presenter takes its screens from $KELVO_SCREENS in it, and the
// "screens" line of automation scripts uses it too.
//
// A description is one or more screens separated by ';', each
// WIDTHxHEIGHT+X+Y followed by any of ",work=WIDTHxHEIGHT+X+Y" (the work
// area; else the whole screen), ",id=TEXT" (the monitor's device identifier,
// "MONITOR\KLV1201\0001" names a pen display), ",name=TEXT", ",flags=N" (the
// monitor device's state flags; else 3, attached and active) and
// ",primary". The first screen is the primary one unless another says so.
//   1280x1024+0+0;1024x768+1280+0,id=MONITOR\KLV1201\0001

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/ZafRegion.h"

struct ZafScreen {
  std::string name;
  ZafRegion bounds;
  ZafRegion workArea;
  bool primary = false;
  std::string deviceId;
  std::uint32_t stateFlags = 3;
};

class ZafScreens {
 public:
  // False (out untouched) for a description that is not of the form above.
  [[nodiscard]] static bool Parse(std::string_view description, std::vector<ZafScreen>& out);
  // The screens of $KELVO_SCREENS when it holds a valid description, else
  // one 1280 x 1024 screen.
  [[nodiscard]] static std::vector<ZafScreen> FromEnvironment();
};
