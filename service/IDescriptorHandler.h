#pragma once

// Told by the daemon's loop that a descriptor it watches for someone else
// (a tablet's event node, the hot-plug monitor) has something to read.
class IDescriptorHandler {
 public:
  virtual ~IDescriptorHandler() = default;
  virtual void OnReadable(int fd) = 0;
};
