#pragma once

#include <string>

#include "protocol/Status.h"
#include "service/input/IDeviceSource.h"

struct udev;
struct udev_monitor;

// The tablets of this machine as udev knows them: the event nodes of input
// devices it marks as tablets, and its monitor for those plugged in or out.
// Devices are opened with libevdev.
class CUdevSource final : public IDeviceSource {
 public:
  CUdevSource() = default;
  ~CUdevSource() override;
  CUdevSource(const CUdevSource&) = delete;
  CUdevSource& operator=(const CUdevSource&) = delete;

  [[nodiscard]] Status Init(std::string& error);
  [[nodiscard]] std::vector<std::string> List() override;
  [[nodiscard]] int Fd() const override;
  [[nodiscard]] std::vector<StDeviceChange> TakeChanges() override;
  [[nodiscard]] std::unique_ptr<IInputDevice> Open(const std::string& node, std::string& error) override;

 private:
  udev* m_udev = nullptr;
  udev_monitor* m_monitor = nullptr;
};
