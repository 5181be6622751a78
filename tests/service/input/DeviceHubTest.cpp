// tabletd --devices without a kernel: a device source of recordings plugged
// in and out, a real daemon loop and driver model, and recording sinks.

#include <gtest/gtest.h>
#include <libevdev/libevdev.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <map>

#include "service/CDaemon.h"
#include "service/CLivePen.h"
#include "service/ServiceCodes.h"
#include "service/input/CDeviceHub.h"
#include "service/input/CDeviceTablet.h"
#include "service/input/CEvdevDevice.h"
#include "service/input/FakeDevices.h"
#include "service/input/InputTestSupport.h"

namespace {

namespace sc = service_codes;
using input_test::CFakeLauncher;
using input_test::CFakeSource;
using input_test::CKeptSink;
using input_test::L;

CEventRecording Recording(const std::string& name) {
  CEventRecording recording;
  std::string error;
  EXPECT_EQ(recording.Read(input_test::ReadFile(input_test::RecordingPath(name)), error), kStatusOk) << error;
  return recording;
}

std::uint64_t Load(CTabletService& service, std::uint32_t tablet, std::uint16_t code, std::uint32_t index = 0) {
  const CServiceNode* node = service.Model().Root().FindChild({sc::kTablet, tablet, 0});
  const CServiceValue* value = node != nullptr ? node->FindValue(code, 0) : nullptr;
  return value != nullptr ? value->Load(index) : UINT64_MAX;
}

std::string Text(CTabletService& service, std::uint32_t tablet, std::uint16_t code) {
  const CServiceValue* value = service.Model().Root().FindChild({sc::kTablet, tablet, 0})->FindValue(code, 0);
  return value != nullptr ? reinterpret_cast<const char*>(value->Bytes().data()) : "(none)";
}

class DeviceHub : public ::testing::Test {
 protected:
  DeviceHub()
      : m_daemon(m_service, "/nonexistent/socket"), m_err(std::tmpfile()),
        m_hub(m_daemon, m_service, m_source,
              [this](const StDeviceDescription&, std::uint32_t levels, std::string& error) -> std::unique_ptr<IOutputSink> {
                m_levels.push_back(levels);
                if (m_noUinput) {
                  error = "/dev/uinput: cannot make a virtual device: No such file or directory";
                  return nullptr;
                }
                return std::make_unique<CKeptSink>(m_sinks.emplace_back());
              },
              m_launcher, m_err) {}
  ~DeviceHub() override { std::fclose(m_err); }

  std::string Said() {
    std::fflush(m_err);
    std::rewind(m_err);
    std::string text;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, m_err) != nullptr) text += buffer;
    return text;
  }
  void Turn() {
    for (int i = 0; i < 3; ++i) m_daemon.Poll(0);
  }

  CTabletService m_service;
  CDaemon m_daemon;
  CFakeSource m_source;
  CFakeLauncher m_launcher;
  std::FILE* m_err;
  bool m_noUinput = false;
  std::deque<CRecordingSink> m_sinks;
  std::vector<std::uint32_t> m_levels;
  CDeviceHub m_hub;
};

TEST_F(DeviceHub, PlugDrivesTheDeviceIntoTheModelAndItsOutputs) {
  const CEventRecording stroke = Recording("pen-stroke");
  m_source.m_descriptions["/dev/input/event7"] = stroke.m_device;
  m_source.m_present = {"/dev/input/event7"};
  m_hub.Start();
  // The profile's tablet is 0; the device is the next.
  ASSERT_EQ(Load(m_service, 1, sc::kPresent), 1U);
  EXPECT_EQ(Load(m_service, 1, sc::kModel), sc::kGenericModel);
  EXPECT_EQ(Text(m_service, 1, 29), "Drawing Tablet 6x8 Pen");
  EXPECT_EQ(Text(m_service, 1, sc::kDeviceNode), "/dev/input/event7");
  EXPECT_EQ(Load(m_service, 1, sc::kDeviceGrabbed), 1U);
  EXPECT_TRUE(m_source.m_grabbed["/dev/input/event7"]);
  ASSERT_EQ(m_levels, std::vector<std::uint32_t>{1023});

  // Half the stroke: the pen is near and pressing.
  const auto half = static_cast<std::ptrdiff_t>(stroke.m_events.size() / 2);
  m_source.m_opened["/dev/input/event7"]->Send({stroke.m_events.begin(), stroke.m_events.begin() + half});
  Turn();
  ASSERT_EQ(m_sinks.size(), 1U);
  const std::vector<std::string>& lines = m_sinks[0].Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "pen EV_KEY BTN_TOOL_PEN 1");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "pen EV_KEY BTN_TOUCH 1"), lines.end());
  // The live record is the device's: the pen in proximity, where the device last put it.
  EXPECT_EQ(Load(m_service, 1, sc::kToolRecord, sc::kFieldProximity), 1U);
  EXPECT_EQ(Load(m_service, 1, sc::kToolRecord, sc::kFieldType), CDeviceTablet::kPenType | sc::kRecordPen);
  EXPECT_EQ(Load(m_service, 1, sc::kToolRecord, sc::kFieldSwitches) & 1U, 1U);  // the tip touches
  EXPECT_GT(Load(m_service, 1, sc::kToolRecord, sc::kFieldPressure), 0U);
  EXPECT_EQ(m_service.Model().Root().FindValue(sc::kCurrentTablet, 0)->Load(0), 1U);

  // Unplugged mid-stroke: the touch is let go, the grab ended, the tablet out of use.
  m_source.Change(StDeviceChange::Kind::kRemoved, "/dev/input/event7");
  Turn();
  EXPECT_EQ(lines.back(), "pen EV_SYN SYN_REPORT 0");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "pen EV_KEY BTN_TOUCH 0"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "pen EV_KEY BTN_TOOL_PEN 0"), lines.end());
  EXPECT_FALSE(m_source.m_grabbed["/dev/input/event7"]);
  EXPECT_EQ(Load(m_service, 1, sc::kPresent), 0U);
  EXPECT_TRUE(m_hub.Devices().empty());

  // Plugged in again: the same tablet comes back rather than a second one.
  m_source.Change(StDeviceChange::Kind::kAdded, "/dev/input/event7");
  Turn();
  EXPECT_EQ(Load(m_service, 1, sc::kPresent), 1U);
  EXPECT_EQ(m_service.Model().Root().FindValue(sc::kCount, 2)->Load(0), 2U);
  EXPECT_EQ(Load(m_service, 1, sc::kDeviceGrabbed), 1U);

  // A device that reads as gone leaves at once, before udev says so.
  m_source.m_opened["/dev/input/event7"]->m_gone = true;
  m_source.m_opened["/dev/input/event7"]->Send({});
  Turn();
  EXPECT_EQ(Load(m_service, 1, sc::kPresent), 0U);
  EXPECT_EQ(Said(), "");
}

TEST_F(DeviceHub, SettingsOfTheDevicesToolApply) {
  const CEventRecording stroke = Recording("pen-stroke");
  m_source.m_descriptions["/dev/input/event3"] = stroke.m_device;
  m_source.m_present = {"/dev/input/event3"};
  m_hub.Start();
  // Mouse mode on the device's pen, as the applet's mouse button writes it.
  const std::vector<StObjectKey> mode{L(2, 1), L(12), L(5, 0, 4), L(2), L(5), L(19, 0, 4), L(19, 1), L(21, 2), L(135)};
  std::vector<std::uint8_t> mouse{1};
  ASSERT_EQ(service_test::Request(m_service, kCommandSet, mode, mouse), kStatusOk);
  m_source.m_opened["/dev/input/event3"]->Send(stroke.m_events);
  Turn();
  ASSERT_EQ(m_sinks.size(), 1U);
  const std::vector<std::string>& lines = m_sinks[0].Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "mouse EV_KEY BTN_LEFT 1"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "pen EV_KEY BTN_TOOL_PEN 1"), lines.end());
}

TEST_F(DeviceHub, WhatKeepsADeviceFromBeingDrivenIsSaidOnce) {
  const CEventRecording stroke = Recording("pen-stroke");
  m_source.m_descriptions["/dev/input/event5"] = stroke.m_device;
  m_source.m_present = {"/dev/input/event4", "/dev/input/event5"};  // event4 cannot be opened
  m_hub.Start();
  for (int i = 0; i < 2; ++i) {
    m_source.Change(StDeviceChange::Kind::kRemoved, "/dev/input/event4");
    m_source.Change(StDeviceChange::Kind::kAdded, "/dev/input/event4");
    Turn();
  }
  EXPECT_EQ(m_source.m_opens, 4);  // tried at every plug, said once
  EXPECT_EQ(Said(), "tabletd: /dev/input/event4: cannot open: Permission denied; the tablet is not used\n");
  ASSERT_EQ(m_hub.Devices().size(), 1U);
  EXPECT_EQ(m_hub.Devices()[0].node, "/dev/input/event5");
}

TEST_F(DeviceHub, ADeviceWithoutOutputsIsShownLiveButNeitherGrabbedNorDriven) {
  const CEventRecording stroke = Recording("pen-stroke");
  m_source.m_descriptions["/dev/input/event6"] = stroke.m_device;
  m_source.m_present = {"/dev/input/event6"};
  m_noUinput = true;
  m_hub.Start();
  m_source.Change(StDeviceChange::Kind::kRemoved, "/dev/input/event6");
  m_source.Change(StDeviceChange::Kind::kAdded, "/dev/input/event6");
  Turn();
  EXPECT_FALSE(m_source.m_grabbed["/dev/input/event6"]);
  EXPECT_EQ(Load(m_service, 1, sc::kDeviceGrabbed), 0U);
  EXPECT_EQ(Said(),
            "tabletd: /dev/uinput: cannot make a virtual device: No such file or directory; /dev/input/event6 is "
            "shown but not driven\n");
  m_source.m_opened["/dev/input/event6"]->Send({stroke.m_events.begin(), stroke.m_events.begin() + 20});
  Turn();
  EXPECT_EQ(Load(m_service, 1, sc::kToolRecord, sc::kFieldProximity), 1U);
  EXPECT_GT(Load(m_service, 1, sc::kToolRecord, sc::kFieldX), 0U);
}

TEST(DeviceHubState, ADevicesTabletGetsWhatAnEarlierRunStoredForIt) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("kelvo-hub-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
  const std::vector<StObjectKey> threshold{L(2, 1), L(4, 0), L(11, 1), L(43)};
  for (int run = 0; run < 2; ++run) {
    CTabletService service(MakeDefaultProfile(), dir / "state.json");
    CDaemon daemon(service, dir / "s");
    CFakeSource source;
    source.m_descriptions["/dev/input/event7"] = Recording("pen-stroke").m_device;
    source.m_present = {"/dev/input/event7"};
    CFakeLauncher launcher;
    CDeviceHub hub(daemon, service, source,
                   [](const StDeviceDescription&, std::uint32_t, std::string&) { return std::make_unique<CRecordingSink>(); },
                   launcher, stderr);
    hub.Start();
    std::vector<std::uint8_t> value{44, 1};  // 300
    if (run == 0) {
      ASSERT_EQ(service_test::Request(service, kCommandSet, threshold, value), kStatusOk);
    } else {
      value.assign(2, 0);
      ASSERT_EQ(service_test::Request(service, kCommandGet, threshold, value), kStatusOk);
      EXPECT_EQ(value, (std::vector<std::uint8_t>{44, 1}));
    }
  }
  std::filesystem::remove_all(dir);
}

// libevdev's in-memory device, as the kernel would describe a tablet.
struct StAxis {
  unsigned code;
  int minimum;
  int maximum;
};
StDeviceDescription Describe(const char* name, std::initializer_list<StAxis> axes, std::initializer_list<unsigned> keys) {
  libevdev* device = libevdev_new();
  libevdev_set_name(device, name);
  for (const StAxis& axis : axes) {
    input_absinfo info{};
    info.minimum = axis.minimum;
    info.maximum = axis.maximum;
    libevdev_enable_event_code(device, EV_ABS, axis.code, &info);
  }
  for (const unsigned key : keys) libevdev_enable_event_code(device, EV_KEY, key, nullptr);
  StDeviceDescription description = CEvdevDevice::Describe(device);
  libevdev_free(device);
  return description;
}

TEST(CDeviceTablet, DefinitionFollowsTheDevicesRanges) {
  struct StCase {
    StDeviceDescription device;
    std::uint16_t model;
    std::uint32_t width, height, levels;
    std::vector<std::uint16_t> toolTypes;
    bool eraser;
    std::uint16_t puckButtons;
  };
  const std::vector<StCase> cases{
      {Describe("Some Pen Tablet", {{ABS_X, 0, 44704}, {ABS_Y, 0, 27940}, {ABS_PRESSURE, 0, 8191}},
                {BTN_TOOL_PEN, BTN_TOOL_RUBBER, BTN_STYLUS}),
       sc::kGenericModel, 44704, 27940, 8191, {CDeviceTablet::kPenType}, true, 0},
      // Named as the profile's tablet: its model; an axis that does not start at 0.
      {Describe("Drawing Tablet 6x8", {{ABS_X, 100, 20420}, {ABS_Y, -40, 15200}, {ABS_PRESSURE, 0, 2047}},
                {BTN_TOOL_PEN}),
       130, 20320, 15240, 2047, {CDeviceTablet::kPenType}, false, 0},
      {Describe("Puck Digitizer", {{ABS_X, 0, 45720}, {ABS_Y, 0, 30480}},
                {BTN_TOOL_MOUSE, BTN_LEFT, BTN_RIGHT, BTN_MIDDLE}),
       sc::kGenericModel, 45720, 30480, 1023, {CDeviceTablet::kPuckType}, false, 3},
      {Describe("Airbrush Tablet", {{ABS_X, 0, 1000}, {ABS_Y, 0, 1000}, {ABS_PRESSURE, 0, 1023}},
                {BTN_TOOL_AIRBRUSH, BTN_TOOL_MOUSE, BTN_LEFT}),
       sc::kGenericModel, 1000, 1000, 1023, {CDeviceTablet::kAirbrushType, CDeviceTablet::kPuckType}, false, 1},
  };
  const StProfile profile = MakeDefaultProfile();
  for (const StCase& entry : cases) {
    const StTabletProfile tablet = CDeviceTablet::Define(entry.device, profile);
    SCOPED_TRACE(entry.device.name);
    EXPECT_EQ(tablet.name, entry.device.name);
    EXPECT_EQ(tablet.model, entry.model);
    EXPECT_EQ(tablet.width, entry.width);
    EXPECT_EQ(tablet.height, entry.height);
    EXPECT_EQ(tablet.pressureLevels, entry.levels);
    ASSERT_EQ(tablet.tools.size(), entry.toolTypes.size());
    for (std::size_t i = 0; i < tablet.tools.size(); ++i) EXPECT_EQ(tablet.tools[i].type, entry.toolTypes[i]);
    EXPECT_EQ(tablet.tools[0].eraser, entry.eraser);
    EXPECT_EQ(tablet.tools.back().buttons, entry.puckButtons);
  }
}

}  // namespace
