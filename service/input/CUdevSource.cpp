#include "service/input/CUdevSource.h"

#include <libudev.h>

#include <cstring>

#include "service/input/CEvdevDevice.h"

namespace {

constexpr const char* kSubsystem = "input";
constexpr const char* kTabletProperty = "ID_INPUT_TABLET";

// The event node of a device udev marks as a tablet; empty for any other
// (a tablet's parent device, its mouse node, a keyboard).
std::string TabletNode(udev_device* device) {
  const char* name = udev_device_get_sysname(device);
  const char* node = udev_device_get_devnode(device);
  const char* tablet = udev_device_get_property_value(device, kTabletProperty);
  if (name == nullptr || node == nullptr || std::strncmp(name, "event", 5) != 0) return {};
  return tablet != nullptr && std::strcmp(tablet, "1") == 0 ? node : "";
}

}  // namespace

CUdevSource::~CUdevSource() {
  if (m_monitor != nullptr) udev_monitor_unref(m_monitor);
  if (m_udev != nullptr) udev_unref(m_udev);
}

Status CUdevSource::Init(std::string& error) {
  m_udev = udev_new();
  if (m_udev == nullptr) {
    error = "udev is not available";
    return kStatusNotSupported;
  }
  m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
  if (m_monitor == nullptr || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, kSubsystem, nullptr) < 0 ||
      udev_monitor_enable_receiving(m_monitor) < 0) {
    // Tablets plugged in now are still found; later ones are not.
    error = "udev's monitor is not available; tablets plugged in later are not seen";
    if (m_monitor != nullptr) udev_monitor_unref(m_monitor);
    m_monitor = nullptr;
  }
  return kStatusOk;
}

std::vector<std::string> CUdevSource::List() {
  std::vector<std::string> nodes;
  udev_enumerate* enumerate = m_udev != nullptr ? udev_enumerate_new(m_udev) : nullptr;
  if (enumerate == nullptr) return nodes;
  udev_enumerate_add_match_subsystem(enumerate, kSubsystem);
  udev_enumerate_add_match_property(enumerate, kTabletProperty, "1");
  udev_enumerate_scan_devices(enumerate);
  for (udev_list_entry* entry = udev_enumerate_get_list_entry(enumerate); entry != nullptr;
       entry = udev_list_entry_get_next(entry)) {
    udev_device* device = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
    if (device == nullptr) continue;
    if (std::string node = TabletNode(device); !node.empty()) nodes.push_back(std::move(node));
    udev_device_unref(device);
  }
  udev_enumerate_unref(enumerate);
  return nodes;
}

int CUdevSource::Fd() const { return m_monitor != nullptr ? udev_monitor_get_fd(m_monitor) : -1; }

std::vector<StDeviceChange> CUdevSource::TakeChanges() {
  std::vector<StDeviceChange> changes;
  if (m_monitor == nullptr) return changes;
  while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    if (action != nullptr && node != nullptr) {
      // A removal may come without the tablet mark; the hub ignores nodes it does not drive.
      if (std::strcmp(action, "remove") == 0)
        changes.push_back({StDeviceChange::Kind::kRemoved, node});
      else if (std::strcmp(action, "add") == 0 && !TabletNode(device).empty())
        changes.push_back({StDeviceChange::Kind::kAdded, node});
    }
    udev_device_unref(device);
  }
  return changes;
}

std::unique_ptr<IInputDevice> CUdevSource::Open(const std::string& node, std::string& error) {
  auto device = std::make_unique<CEvdevDevice>();
  if (device->Open(node, error) != kStatusOk) return nullptr;
  return device;
}
