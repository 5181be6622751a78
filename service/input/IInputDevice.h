#pragma once

#include <vector>

#include "protocol/Status.h"
#include "service/input/StInputEvent.h"

// A kernel input device the service reads: what it says about itself, a
// descriptor that becomes readable when events wait, and the events.
class IInputDevice {
 public:
  virtual ~IInputDevice() = default;
  [[nodiscard]] virtual StDeviceDescription Describe() const = 0;
  // Keeps the device's events from everyone else (or lets them go again).
  [[nodiscard]] virtual Status Grab(bool grab) = 0;
  // Appends the events waiting now; kStatusNotFound once the device is gone.
  [[nodiscard]] virtual Status ReadAvailable(std::vector<StInputEvent>& out) = 0;
  [[nodiscard]] virtual int Fd() const = 0;
};
