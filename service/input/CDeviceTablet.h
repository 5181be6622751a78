#pragma once

#include "service/StProfile.h"
#include "service/input/StInputEvent.h"

// The tablet definition of a kernel input device, in the terms of a
// profile's tablets, so that the applet shows and edits it like one of
// them: its name, its size and pressure levels from the ranges of its
// absolute axes, and a tool for each kind of tool it reports.
class CDeviceTablet {
 public:
  // A device named like a tablet of `profile` takes that tablet's model code
  // and version; any other gets the generic model code.
  [[nodiscard]] static StTabletProfile Define(const StDeviceDescription& device, const StProfile& profile);

  // Tool type codes and mapping identities given to a device's tools.
  static constexpr std::uint16_t kPenType = 2;
  static constexpr std::uint16_t kAirbrushType = 7;
  static constexpr std::uint16_t kPuckType = 3;
  static constexpr std::uint16_t kPenIdentity = 1;
  static constexpr std::uint16_t kPuckIdentity = 2;
};
