#pragma once

#include <array>

#include "service/input/IOutputSink.h"

// Passes events to a sink and remembers which devices have a frame open, so
// that each frame is closed once and a device with nothing to say gets no
// empty frame.
class CFrameWriter {
 public:
  explicit CFrameWriter(IOutputSink& sink) : m_sink(sink) {}

  void Emit(OutputDevice device, std::uint16_t type, std::uint16_t code, std::int32_t value) {
    m_sink.Emit(device, type, code, value);
    m_open[Index(device)] = true;
  }
  // Closes the device's frame when one is open.
  void Close(OutputDevice device) {
    if (!m_open[Index(device)]) return;
    m_sink.Sync(device);
    m_open[Index(device)] = false;
  }
  void CloseAll() {
    Close(OutputDevice::kPen);
    Close(OutputDevice::kMouse);
    Close(OutputDevice::kKeyboard);
  }

 private:
  static std::size_t Index(OutputDevice device) { return static_cast<std::size_t>(device); }
  IOutputSink& m_sink;
  std::array<bool, 3> m_open{};
};
