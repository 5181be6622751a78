#pragma once

#include <cstdint>

// The devices the service writes to: a pen with absolute position, pressure
// and tilt, a relative mouse with buttons and wheel, and a keyboard.
enum class OutputDevice : std::uint8_t { kPen, kMouse, kKeyboard };

// Where the pipeline's events go: the uinput devices, or a recording in tests.
class IOutputSink {
 public:
  virtual ~IOutputSink() = default;
  virtual void Emit(OutputDevice device, std::uint16_t type, std::uint16_t code, std::int32_t value) = 0;
  // Ends one frame of the device's events (SYN_REPORT).
  virtual void Sync(OutputDevice device) = 0;
};
