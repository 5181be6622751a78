#pragma once

#include <sys/eventfd.h>
#include <unistd.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "service/input/CRecordingSink.h"
#include "service/input/IDeviceSource.h"
#include "service/input/IOutputSink.h"

namespace input_test {

// A device whose events are handed to it; its descriptor is readable while some wait.
class CFakeDevice final : public IInputDevice {
 public:
  explicit CFakeDevice(StDeviceDescription description)
      : m_description(std::move(description)), m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
  ~CFakeDevice() override { close(m_fd); }
  StDeviceDescription Describe() const override { return m_description; }
  Status Grab(bool grab) override {
    *m_grabbed = grab;
    return kStatusOk;
  }
  Status ReadAvailable(std::vector<StInputEvent>& out) override {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t drained = read(m_fd, &count, sizeof count);
    out.insert(out.end(), m_waiting.begin(), m_waiting.end());
    m_waiting.clear();
    return m_gone ? kStatusNotFound : kStatusOk;
  }
  int Fd() const override { return m_fd; }
  void Send(const std::vector<StInputEvent>& events) {
    m_waiting.insert(m_waiting.end(), events.begin(), events.end());
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_fd, &one, sizeof one);
  }

  StDeviceDescription m_description;
  int m_fd;
  std::vector<StInputEvent> m_waiting;
  bool* m_grabbed = nullptr;
  bool m_gone = false;
};

// Nodes and what opening each gives; a change is told through an eventfd as udev's monitor tells it.
class CFakeSource final : public IDeviceSource {
 public:
  CFakeSource() : m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
  ~CFakeSource() override { close(m_fd); }
  std::vector<std::string> List() override { return m_present; }
  int Fd() const override { return m_fd; }
  std::vector<StDeviceChange> TakeChanges() override {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t drained = read(m_fd, &count, sizeof count);
    return std::exchange(m_changes, {});
  }
  std::unique_ptr<IInputDevice> Open(const std::string& node, std::string& error) override {
    ++m_opens;
    if (!m_descriptions.contains(node)) {
      error = node + ": cannot open: Permission denied";
      return nullptr;
    }
    auto device = std::make_unique<CFakeDevice>(m_descriptions[node]);
    device->m_grabbed = &m_grabbed[node];
    m_opened[node] = device.get();
    return device;
  }
  void Change(StDeviceChange::Kind kind, const std::string& node) {
    m_changes.push_back({kind, node});
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_fd, &one, sizeof one);
  }

  int m_fd;
  std::vector<std::string> m_present;
  std::vector<StDeviceChange> m_changes;
  std::map<std::string, StDeviceDescription> m_descriptions;
  std::map<std::string, CFakeDevice*> m_opened;
  std::map<std::string, bool> m_grabbed;
  int m_opens = 0;
};

// Outputs that write into a recording the test keeps after the device is gone.
class CKeptSink final : public IOutputSink {
 public:
  explicit CKeptSink(CRecordingSink& kept) : m_kept(kept) {}
  void Emit(OutputDevice device, std::uint16_t type, std::uint16_t code, std::int32_t value) override {
    m_kept.Emit(device, type, code, value);
  }
  void Sync(OutputDevice device) override { m_kept.Sync(device); }

 private:
  CRecordingSink& m_kept;
};

}  // namespace input_test
