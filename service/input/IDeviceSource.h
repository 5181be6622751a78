#pragma once

#include <memory>
#include <string>
#include <vector>

#include "service/input/IInputDevice.h"

// A change in the tablets plugged in: the event node that came or went.
struct StDeviceChange {
  enum class Kind : std::uint8_t { kAdded, kRemoved };
  Kind kind = Kind::kAdded;
  std::string node;
};

// Where tablets come from: the nodes of the tablets plugged in now, a
// descriptor that becomes readable when one is plugged in or out, and the
// devices themselves. udev and the kernel's event nodes in the service; a
// table of recordings in tests.
class IDeviceSource {
 public:
  virtual ~IDeviceSource() = default;
  [[nodiscard]] virtual std::vector<std::string> List() = 0;
  // -1 when the source never changes.
  [[nodiscard]] virtual int Fd() const = 0;
  // The changes that came since the last call.
  [[nodiscard]] virtual std::vector<StDeviceChange> TakeChanges() = 0;
  // None, with `error` set, when the node cannot be opened.
  [[nodiscard]] virtual std::unique_ptr<IInputDevice> Open(const std::string& node, std::string& error) = 0;
};
