#include "service/input/CUinputSink.h"

#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include "service/input/CInputPipeline.h"

namespace {

struct StEvdevFree {
  void operator()(libevdev* device) const { libevdev_free(device); }
};
using EvdevPtr = std::unique_ptr<libevdev, StEvdevFree>;

void Axis(libevdev* device, unsigned code, int minimum, int maximum, int resolution) {
  input_absinfo info{};
  info.minimum = minimum;
  info.maximum = maximum;
  info.resolution = resolution;
  libevdev_enable_event_code(device, EV_ABS, code, &info);
}

EvdevPtr Pen(const StDeviceDescription& source, std::uint32_t levels) {
  EvdevPtr device(libevdev_new());
  libevdev_set_name(device.get(), "Kelvo Virtual Pen");
  libevdev_enable_property(device.get(), INPUT_PROP_POINTER);
  Axis(device.get(), ABS_X, 0, CInputPipeline::kScreenWidth - 1, 0);
  Axis(device.get(), ABS_Y, 0, CInputPipeline::kScreenHeight - 1, 0);
  Axis(device.get(), ABS_PRESSURE, 0, static_cast<int>(levels), 0);
  for (const int code : {ABS_TILT_X, ABS_TILT_Y}) {
    const StAxisRange* tilt = source.Axis(static_cast<std::uint16_t>(code));
    Axis(device.get(), static_cast<unsigned>(code), tilt != nullptr ? tilt->minimum : -64, tilt != nullptr ? tilt->maximum : 63,
         tilt != nullptr ? tilt->resolution : 0);
  }
  for (const int code : {BTN_TOOL_PEN, BTN_TOOL_RUBBER, BTN_TOOL_MOUSE, BTN_TOUCH, BTN_STYLUS, BTN_STYLUS2})
    libevdev_enable_event_code(device.get(), EV_KEY, static_cast<unsigned>(code), nullptr);
  return device;
}

EvdevPtr Mouse() {
  EvdevPtr device(libevdev_new());
  libevdev_set_name(device.get(), "Kelvo Virtual Mouse");
  for (const int code : {REL_X, REL_Y, REL_WHEEL, REL_WHEEL_HI_RES})
    libevdev_enable_event_code(device.get(), EV_REL, static_cast<unsigned>(code), nullptr);
  for (const int code : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE, BTN_SIDE, BTN_EXTRA})
    libevdev_enable_event_code(device.get(), EV_KEY, static_cast<unsigned>(code), nullptr);
  return device;
}

EvdevPtr Keyboard() {
  EvdevPtr device(libevdev_new());
  libevdev_set_name(device.get(), "Kelvo Virtual Keyboard");
  // Every key of a full keyboard: a keystroke may name any of them.
  for (unsigned code = KEY_ESC; code <= KEY_COMPOSE; ++code)
    libevdev_enable_event_code(device.get(), EV_KEY, code, nullptr);
  return device;
}

}  // namespace

CUinputSink::~CUinputSink() {
  for (libevdev_uinput* device : m_devices)
    if (device != nullptr) libevdev_uinput_destroy(device);
}

Status CUinputSink::Create(const StDeviceDescription& pen, std::uint32_t pressureLevels, std::string& error) {
  const std::array<EvdevPtr, 3> templates{Pen(pen, pressureLevels), Mouse(), Keyboard()};
  for (std::size_t i = 0; i < templates.size(); ++i) {
    const int status =
        libevdev_uinput_create_from_device(templates[i].get(), LIBEVDEV_UINPUT_OPEN_MANAGED, &m_devices[i]);
    if (status != 0) {
      error = std::string(kUinputPath) + ": cannot make a virtual device: " + std::strerror(-status);
      m_devices[i] = nullptr;
      return kStatusNotSupported;
    }
  }
  return kStatusOk;
}

void CUinputSink::Emit(OutputDevice device, std::uint16_t type, std::uint16_t code, std::int32_t value) {
  input_event event{};
  event.type = type;
  event.code = code;
  event.value = value;
  m_frames[static_cast<std::size_t>(device)].push_back(event);
}

void CUinputSink::Sync(OutputDevice device) {
  std::vector<input_event>& frame = m_frames[static_cast<std::size_t>(device)];
  frame.push_back({});
  frame.back().type = EV_SYN;
  frame.back().code = SYN_REPORT;
  libevdev_uinput* target = m_devices[static_cast<std::size_t>(device)];
  const std::size_t bytes = frame.size() * sizeof(input_event);
  // The kernel stamps the time; a lost frame is not worth stopping the pen for, and is counted.
  const ssize_t written = target != nullptr ? ::write(libevdev_uinput_get_fd(target), frame.data(), bytes) : -1;
  if (target != nullptr && written != static_cast<ssize_t>(bytes))
    m_lost += written < 0 ? frame.size() : (bytes - static_cast<std::size_t>(written)) / sizeof(input_event);
  frame.clear();
}

std::string CUinputSink::Node(OutputDevice device) const {
  libevdev_uinput* target = m_devices[static_cast<std::size_t>(device)];
  const char* node = target != nullptr ? libevdev_uinput_get_devnode(target) : nullptr;
  return node != nullptr ? node : "";
}
