#pragma once

#include <array>
#include <string>
#include <vector>

#include <linux/input.h>

#include "protocol/Status.h"
#include "service/input/IOutputSink.h"
#include "service/input/StInputEvent.h"

struct libevdev_uinput;

// The service's virtual devices through /dev/uinput: a pen with absolute
// position in screen pixels, pressure and tilt, a mouse and a keyboard.
class CUinputSink final : public IOutputSink {
 public:
  CUinputSink() = default;
  ~CUinputSink() override;
  CUinputSink(const CUinputSink&) = delete;
  CUinputSink& operator=(const CUinputSink&) = delete;

  // `pen` gives the pressure and tilt ranges to offer; `error` says why the
  // devices cannot be made (no /dev/uinput, no permission).
  [[nodiscard]] Status Create(const StDeviceDescription& pen, std::uint32_t pressureLevels, std::string& error);
  void Emit(OutputDevice device, std::uint16_t type, std::uint16_t code, std::int32_t value) override;
  void Sync(OutputDevice device) override;
  // The /dev/input node of one device, for tests.
  [[nodiscard]] std::string Node(OutputDevice device) const;
  // Events the kernel did not take.
  [[nodiscard]] std::uint64_t Lost() const { return m_lost; }

  static constexpr const char* kUinputPath = "/dev/uinput";

 private:
  std::array<libevdev_uinput*, 3> m_devices{};
  // Each device's frame so far: written with one write() at its end, not
  // one per event.
  std::array<std::vector<input_event>, 3> m_frames;
  std::uint64_t m_lost = 0;
};
