#include "service/input/CEvdevDevice.h"

#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

CEvdevDevice::~CEvdevDevice() {
  if (m_device != nullptr) {
    // The kernel lets go of a grab when the file closes; say so first all the same.
    libevdev_grab(m_device, LIBEVDEV_UNGRAB);
    libevdev_free(m_device);
  }
  if (m_fd >= 0) close(m_fd);
}

Status CEvdevDevice::Open(const std::string& path, std::string& error) {
  m_fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (m_fd < 0) {
    const int code = errno;
    error = path + ": cannot open: " + std::strerror(code);
    if (code == EACCES) error += " (the user needs read access: the input group or the seat's rights)";
    return kStatusNotFound;
  }
  const int status = libevdev_new_from_fd(m_fd, &m_device);
  if (status < 0) {
    error = path + ": not an input device: " + std::strerror(-status);
    m_device = nullptr;
    close(m_fd);
    m_fd = -1;
    return kStatusNotFound;
  }
  return kStatusOk;
}

Status CEvdevDevice::Grab(bool grab) {
  if (m_device == nullptr) return kStatusNotFound;
  return libevdev_grab(m_device, grab ? LIBEVDEV_GRAB : LIBEVDEV_UNGRAB) == 0 ? kStatusOk : kStatusNotSupported;
}

StDeviceDescription CEvdevDevice::Describe() const {
  return m_device == nullptr ? StDeviceDescription{} : Describe(m_device);
}

StDeviceDescription CEvdevDevice::Describe(const libevdev* constDevice) {
  // libevdev's getters take no const device, though they change nothing.
  auto* device = const_cast<libevdev*>(constDevice);
  StDeviceDescription description;
  const char* name = libevdev_get_name(device);
  description.name = name != nullptr ? name : "";
  description.bus = static_cast<std::uint16_t>(libevdev_get_id_bustype(device));
  description.vendor = static_cast<std::uint16_t>(libevdev_get_id_vendor(device));
  description.product = static_cast<std::uint16_t>(libevdev_get_id_product(device));
  for (unsigned code = 0; code <= ABS_MAX; ++code) {
    const input_absinfo* info = libevdev_get_abs_info(device, code);
    if (info == nullptr || libevdev_has_event_code(device, EV_ABS, code) == 0) continue;
    description.axes.push_back({static_cast<std::uint16_t>(code), info->minimum, info->maximum, info->resolution});
  }
  for (unsigned code = 0; code <= KEY_MAX; ++code)
    if (libevdev_has_event_code(device, EV_KEY, code) != 0) description.keys.push_back(static_cast<std::uint16_t>(code));
  return description;
}

Status CEvdevDevice::ReadAvailable(std::vector<StInputEvent>& out) {
  if (m_device == nullptr) return kStatusNotFound;
  unsigned flags = LIBEVDEV_READ_FLAG_NORMAL;
  for (;;) {
    input_event event{};
    const int status = libevdev_next_event(m_device, flags, &event);
    if (status == -EAGAIN) {
      if (flags == LIBEVDEV_READ_FLAG_SYNC) {
        flags = LIBEVDEV_READ_FLAG_NORMAL;  // caught up; read on
        continue;
      }
      return kStatusOk;
    }
    if (status < 0) return kStatusNotFound;  // ENODEV: unplugged
    if (status == LIBEVDEV_READ_STATUS_SYNC) flags = LIBEVDEV_READ_FLAG_SYNC;
    const std::int64_t us = static_cast<std::int64_t>(event.input_event_sec) * 1'000'000 + event.input_event_usec;
    if (!m_haveStart) {
      m_haveStart = true;
      m_startUs = us;
    }
    out.push_back({us - m_startUs, event.type, event.code, event.value});
  }
}
