#include "service/input/CDeviceHub.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>

#include "service/CPenRecord.h"
#include "service/ServiceCodes.h"
#include "service/ToolRecordLayout.h"
#include "service/input/CDeviceTablet.h"
#include "service/input/CInputPipeline.h"
#include "service/input/CReplay.h"
#include "service/input/CReportAssembler.h"
#include "service/input/CSettingsReader.h"

namespace sc = service_codes;

namespace {

constexpr std::uint32_t kNodeTextSize = 256;

std::uint32_t FromMinimum(std::int32_t value, const StAxisRange* axis) {
  const std::int64_t offset = std::int64_t{value} - (axis != nullptr ? axis->minimum : 0);
  return static_cast<std::uint32_t>(std::max<std::int64_t>(offset, 0));
}

}  // namespace

struct CDeviceHub::StDevice {
  std::string node;
  std::unique_ptr<IInputDevice> input;
  StDeviceDescription description;
  std::uint32_t tablet = 0;
  // Driven: outputs made and the device grabbed. A device that is not is
  // still read, for its live records.
  std::unique_ptr<IOutputSink> sink;
  std::unique_ptr<CInputPipeline> pipeline;
  std::unique_ptr<CReplay> replay;
  CReportAssembler assembler;
  bool grabbed = false;
  // The tool its reports come from, as the model knows it.
  bool near = false;
  ToolKind kind = ToolKind::kNone;
  std::uint16_t typeWord = 0;
  std::uint32_t serial = 0;
};

CDeviceHub::CDeviceHub(CDaemon& daemon, CTabletService& service, IDeviceSource& source, SinkMaker sinks,
                       ILauncher& launcher, std::FILE* err)
    : m_daemon(daemon), m_service(service), m_source(source), m_sinks(std::move(sinks)), m_launcher(launcher),
      m_err(err) {}

CDeviceHub::~CDeviceHub() { Stop(); }

void CDeviceHub::Start() {
  if (m_started) return;
  m_started = true;
  // Tells tabletctl status that devices are looked for, even while there are none.
  m_service.Model().Root().PutValue(sc::kDevicesWatched,
                                    CServiceValue::Number(1, 1, false, ValueAccess::kReadOnly));
  if (m_source.Fd() >= 0 && !m_daemon.WatchDescriptor(m_source.Fd(), *this))
    SayOnce("tabletd: cannot watch for tablets plugged in later; only those plugged in now are used");
  for (const std::string& node : m_source.List()) Add(node);
}

void CDeviceHub::Stop() {
  if (!m_started) return;
  m_started = false;
  if (m_source.Fd() >= 0) m_daemon.UnwatchDescriptor(m_source.Fd());
  while (!m_devices.empty()) Remove(m_devices.back()->node);
}

void CDeviceHub::SayOnce(const std::string& text) {
  if (!m_said.insert(text).second) return;
  std::fprintf(m_err, "%s\n", text.c_str());
  std::fflush(m_err);
}

void CDeviceHub::OnReadable(int fd) {
  if (fd == m_source.Fd()) {
    for (const StDeviceChange& change : m_source.TakeChanges()) {
      if (change.kind == StDeviceChange::Kind::kAdded)
        Add(change.node);
      else
        Remove(change.node);
    }
    return;
  }
  const auto found = std::find_if(m_devices.begin(), m_devices.end(),
                                  [fd](const std::unique_ptr<StDevice>& device) { return device->input->Fd() == fd; });
  if (found != m_devices.end()) Read(**found);
}

void CDeviceHub::Add(const std::string& node) {
  if (std::any_of(m_devices.begin(), m_devices.end(), [&](const auto& device) { return device->node == node; }))
    return;
  std::string error;
  auto device = std::make_unique<StDevice>();
  device->node = node;
  device->input = m_source.Open(node, error);
  if (device->input == nullptr) {
    SayOnce("tabletd: " + error + "; the tablet is not used");
    return;
  }
  device->description = device->input->Describe();
  CDriverModel& model = m_service.Model();
  const StTabletProfile definition = CDeviceTablet::Define(device->description, model.Profile());
  std::uint16_t number = 0;
  const std::uint64_t tablets = model.Root().FindValue(sc::kCount, 2)->Load(0);
  if (model.PlugTablet(definition, number) != kStatusOk) {
    SayOnce("tabletd: " + node + ": no room for another tablet; it is not used");
    return;
  }
  // A tablet new to this run takes what an earlier run stored for it.
  if (number >= tablets) m_service.State().ApplyTo(model, number);
  device->tablet = number;
  if (!m_daemon.WatchDescriptor(device->input->Fd(), *this)) {
    SayOnce("tabletd: " + node + ": cannot be watched; it is not used");
    DropStatus(model.UnplugTablet(number), "the tablet was just plugged in");
    return;
  }
  device->sink = m_sinks(device->description, definition.pressureLevels, error);
  if (device->sink == nullptr) {
    SayOnce("tabletd: " + error + "; " + node + " is shown but not driven");
  } else if (device->input->Grab(true) != kStatusOk) {
    SayOnce("tabletd: " + node + ": another program holds it; it is shown but not driven");
    device->sink.reset();
  } else {
    device->grabbed = true;
    device->pipeline = std::make_unique<CInputPipeline>(*device->sink, m_launcher);
    StDevice* driven = device.get();
    device->replay = std::make_unique<CReplay>(
        *device->pipeline, [this, driven](ToolKind kind, std::uint32_t serial, StToolSettings& out) {
          const CSettingsReader reader(m_service.Model());
          const std::optional<std::uint32_t> tool = reader.FindTool(driven->tablet, kind, serial);
          return tool && reader.Read(driven->tablet, *tool, out) == kStatusOk;
        });
  }
  MarkInModel(*device);
  m_devices.push_back(std::move(device));
}

void CDeviceHub::MarkInModel(const StDevice& device) {
  CServiceNode* tablet = m_service.Model().Root().FindChild({sc::kTablet, device.tablet, 0});
  std::vector<std::uint8_t> text(kNodeTextSize, 0);
  std::copy_n(device.node.begin(), std::min<std::size_t>(device.node.size(), kNodeTextSize - 1), text.begin());
  tablet->PutValue(sc::kDeviceNode, CServiceValue::Raw(std::move(text), false, ValueAccess::kReadOnly));
  tablet->PutValue(sc::kDeviceGrabbed, CServiceValue::Number(1, device.grabbed ? 1 : 0, false, ValueAccess::kReadOnly));
}

void CDeviceHub::Remove(const std::string& node) {
  const auto found =
      std::find_if(m_devices.begin(), m_devices.end(), [&](const auto& device) { return device->node == node; });
  if (found == m_devices.end()) return;
  StDevice& device = **found;
  m_daemon.UnwatchDescriptor(device.input->Fd());
  // Nothing stays pressed on the outputs, and the desktop gets the device back.
  if (device.pipeline != nullptr) device.pipeline->Release();
  if (device.grabbed) DropStatus(device.input->Grab(false), "an unplugged device has no grab left to end");
  device.grabbed = false;
  MarkInModel(device);
  DropStatus(m_service.Model().UnplugTablet(device.tablet), "the tablet was plugged in by this hub");
  m_devices.erase(found);
}

void CDeviceHub::Read(StDevice& device) {
  m_events.clear();
  const Status status = device.input->ReadAvailable(m_events);
  for (const StInputEvent& event : m_events) {
    if (device.replay != nullptr) {
      device.replay->Feed(event, device.description);
      if (device.replay->Closed()) Publish(device);
    } else if (device.assembler.Feed(event)) {
      Publish(device);
    }
  }
  if (status != kStatusOk) {
    const std::string node = device.node;  // unplugged before udev says so
    Remove(node);
  }
}

void CDeviceHub::Publish(StDevice& device) {
  const StInputReport& report = device.replay != nullptr ? device.replay->Report() : device.assembler.Report();
  // Only while the tablet is in use, and once as the tool leaves.
  if (!report.proximity && !device.near) return;
  device.near = report.proximity;
  const ToolKind kind = report.tool == ToolKind::kEraser ? ToolKind::kPen : report.tool;
  if (report.proximity && (kind != device.kind || device.typeWord == 0)) {
    device.kind = kind;
    device.typeWord = 0;
    const CSettingsReader reader(m_service.Model());
    if (const std::optional<std::uint32_t> tool = reader.FindTool(device.tablet, kind, report.serial)) {
      const CServiceNode* node =
          m_service.Model().Root().FindChild({sc::kTablet, device.tablet, 0})->FindChild({sc::kTool, *tool, 0});
      const auto type = static_cast<std::uint16_t>(node->FindValue(sc::kTypeCode, 0)->Load(0));
      device.typeWord = static_cast<std::uint16_t>(type | (kind == ToolKind::kPuck ? sc::kRecordPuck : sc::kRecordPen));
      device.serial = static_cast<std::uint32_t>(node->FindValue(sc::kSerial, 0)->Load(0));
    }
  }
  StPenReport pen;
  pen.inProximity = report.proximity;
  pen.x = FromMinimum(report.x, device.description.Axis(ABS_X));
  pen.y = FromMinimum(report.y, device.description.Axis(ABS_Y));
  // Switch n + 1 in bit n: the tip (or eraser) touching, then the buttons by number.
  const std::uint32_t touching = report.tool != ToolKind::kPuck && report.pressure > 0
                                     ? ButtonBit(report.tool == ToolKind::kEraser ? sc::kEraserButton : sc::kTipButton)
                                     : 0;
  pen.switches = (report.buttons | touching) >> 1;
  pen.pressure = static_cast<std::uint16_t>(std::max(report.pressure, 0));
  pen.tiltX = static_cast<std::int16_t>(report.tiltX);
  pen.tiltY = static_cast<std::int16_t>(report.tiltY);
  pen.wheel = static_cast<std::int16_t>(report.wheel);
  const ToolRecordBytes record = CPenRecord::Encode(pen, device.typeWord, device.serial);
  const StObjectKey path[] = {{0, sc::kTablet, device.tablet}, {0, sc::kToolRecord, 0}};
  if (m_service.Model().Set(path, record) == kStatusOk) m_daemon.ShareReport(device.tablet);
}

std::vector<CDeviceHub::StDriven> CDeviceHub::Devices() const {
  std::vector<StDriven> out;
  for (const auto& device : m_devices) out.push_back({device->node, device->description.name, device->tablet, device->grabbed});
  return out;
}
