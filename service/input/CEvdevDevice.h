#pragma once

#include <string>
#include <vector>

#include "protocol/Status.h"
#include "service/input/IInputDevice.h"
#include "service/input/StInputEvent.h"

struct libevdev;

// One kernel input device read with libevdev: what it says about itself and
// its events, timed from the first one read. Grabbing keeps its events from
// everyone else while the service drives it.
class CEvdevDevice final : public IInputDevice {
 public:
  CEvdevDevice() = default;
  ~CEvdevDevice() override;
  CEvdevDevice(const CEvdevDevice&) = delete;
  CEvdevDevice& operator=(const CEvdevDevice&) = delete;

  // Opens the node without blocking reads; `error` says why it cannot.
  [[nodiscard]] Status Open(const std::string& path, std::string& error);
  [[nodiscard]] Status Grab(bool grab) override;
  [[nodiscard]] StDeviceDescription Describe() const override;
  // What a libevdev device says about itself, opened or made in memory.
  [[nodiscard]] static StDeviceDescription Describe(const libevdev* device);
  // Appends the events waiting now; after the kernel dropped some, the
  // events that bring the state up to date. kStatusNotFound when the device
  // is gone.
  [[nodiscard]] Status ReadAvailable(std::vector<StInputEvent>& out) override;
  [[nodiscard]] int Fd() const override { return m_fd; }

 private:
  int m_fd = -1;
  libevdev* m_device = nullptr;
  bool m_haveStart = false;
  std::int64_t m_startUs = 0;
};
