#pragma once

#include <string>
#include <vector>

#include "protocol/Status.h"
#include "service/input/StInputEvent.h"

struct libevdev;

// One kernel input device read with libevdev: what it says about itself and
// its events, timed from the first one read. Grabbing keeps its events from
// everyone else while the service drives it.
class CEvdevDevice {
 public:
  CEvdevDevice() = default;
  ~CEvdevDevice();
  CEvdevDevice(const CEvdevDevice&) = delete;
  CEvdevDevice& operator=(const CEvdevDevice&) = delete;

  // Opens the node without blocking reads; `error` says why it cannot.
  [[nodiscard]] Status Open(const std::string& path, std::string& error);
  [[nodiscard]] Status Grab(bool grab);
  [[nodiscard]] StDeviceDescription Describe() const;
  // Appends the events waiting now; after the kernel dropped some, the
  // events that bring the state up to date. kStatusNotFound when the device
  // is gone.
  [[nodiscard]] Status ReadAvailable(std::vector<StInputEvent>& out);
  [[nodiscard]] int Fd() const { return m_fd; }

 private:
  int m_fd = -1;
  libevdev* m_device = nullptr;
  bool m_haveStart = false;
  std::int64_t m_startUs = 0;
};
