#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One kernel input event as the service reads and writes it: the time in
// microseconds from the start of a stream, and the event's type, code and
// value (the codes of linux/input-event-codes.h).
struct StInputEvent {
  std::int64_t timeUs = 0;
  std::uint16_t type = 0;
  std::uint16_t code = 0;
  std::int32_t value = 0;
  friend bool operator==(const StInputEvent&, const StInputEvent&) = default;
};

// The range of one absolute axis of a device.
struct StAxisRange {
  std::uint16_t code = 0;
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t resolution = 0;  // units per millimetre; 0 unknown
};

// What a device says about itself; a recording keeps it so that a replay
// knows the ranges the events were read with.
struct StDeviceDescription {
  std::string name;
  std::uint16_t bus = 0;
  std::uint16_t vendor = 0;
  std::uint16_t product = 0;
  std::vector<StAxisRange> axes;
  std::vector<std::uint16_t> keys;  // the EV_KEY codes it can send

  [[nodiscard]] const StAxisRange* Axis(std::uint16_t code) const {
    for (const StAxisRange& axis : axes)
      if (axis.code == code) return &axis;
    return nullptr;
  }
  [[nodiscard]] bool HasKey(std::uint16_t code) const {
    for (const std::uint16_t key : keys)
      if (key == code) return true;
    return false;
  }
};
