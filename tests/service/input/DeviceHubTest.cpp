// tabletd --devices without a kernel: a device source of recordings plugged
// in and out, a real daemon loop and driver model, recording sinks, and
// tabletctl status asking the daemon what it drives.

#include <gtest/gtest.h>
#include <libevdev/libevdev.h>
#include <sys/wait.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <thread>

#include "service/CDaemon.h"
#include "service/ServiceCodes.h"
#include "service/input/CDeviceHub.h"
#include "service/input/CDeviceTablet.h"
#include "service/input/CEvdevDevice.h"
#include "service/input/FakeDevices.h"
#include "service/input/InputTestSupport.h"
#include "support/CTempDir.h"

namespace {

namespace sc = service_codes;
using input_test::CFakeLauncher;
using input_test::CFakeSource;
using input_test::CKeptSink;
using input_test::Count;
using input_test::L;
using input_test::Recording;
using Kind = StDeviceChange::Kind;

std::uint64_t Load(CTabletService& service, std::uint32_t tablet, std::uint16_t code,
                   std::uint32_t index = 0) {
  const CServiceNode* node = service.Model().Root().FindChild({sc::kTablet, tablet, 0});
  const CServiceValue* value = node != nullptr ? node->FindValue(code, 0) : nullptr;
  return value != nullptr ? value->Load(index) : UINT64_MAX;
}

class DeviceHub : public ::testing::Test {
 protected:
  DeviceHub()
      : m_service(MakeDefaultProfile(), m_dir.Path() + "/state.json"),
        m_daemon(m_service, m_dir.Path() + "/s"),
        m_err(std::tmpfile()) {}
  ~DeviceHub() override {
    m_hub.reset();
    std::fclose(m_err);
  }

  // Nodes and the sample recording whose device each is; all are present
  // when the hub starts. A device whose name holds m_noOutputsFor gets no outputs.
  void StartHub(const std::map<std::string, std::string>& devices) {
    for (const auto& [node, recording] : devices) {
      m_source.m_descriptions[node] = Recording(recording).m_device;
      m_source.m_present.push_back(node);
    }
    m_hub = MakeHub(m_daemon, m_service);
    m_hub->Start();
  }
  std::unique_ptr<CDeviceHub> MakeHub(CDaemon& daemon, CTabletService& service) {
    auto sinks = [this](const StDeviceDescription& device, std::uint32_t levels,
                        std::string& error) -> std::unique_ptr<IOutputSink> {
      m_levels.push_back(levels);
      if (!m_noOutputsFor.empty() && device.name.find(m_noOutputsFor) != std::string::npos) {
        error = "/dev/uinput: cannot make a virtual device: Permission denied";
        return nullptr;
      }
      return std::make_unique<CKeptSink>(m_sinks.emplace_back());
    };
    return std::make_unique<CDeviceHub>(daemon, service, m_source, sinks, m_launcher, m_err);
  }

  std::string Said() { return input_test::Text(m_err); }
  void Turn() {
    for (int i = 0; i < 3; ++i) m_daemon.Poll(0);
  }
  void Change(Kind kind, const std::string& node) {
    m_source.Change(kind, node);
    Turn();
  }

  // What `tabletctl status` prints while the daemon serves it.
  std::string Status(const char* bin) {
    std::atomic<bool> stop{false};
    std::thread loop([&] {
      while (!stop) m_daemon.Poll(10);
    });
    const std::string command =
        std::string(bin) + "/tabletctl --socket " + m_dir.Path() + "/s status 2>&1";
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) out += chunk;
    const int status = ::pclose(pipe);
    stop = true;
    loop.join();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
    return out;
  }

  CTempDir m_dir;
  CTabletService m_service;
  CDaemon m_daemon;
  CFakeSource m_source;
  CFakeLauncher m_launcher;
  std::FILE* m_err;
  std::string m_noOutputsFor;
  std::deque<CRecordingSink> m_sinks;
  std::vector<std::uint32_t> m_levels;
  std::unique_ptr<CDeviceHub> m_hub;
};

TEST_F(DeviceHub, PlugDrivesTheDeviceIntoTheModelAndItsOutputs) {
  const std::string node = "/dev/input/event7";
  const CEventRecording stroke = Recording("pen-stroke");
  StartHub({{node, "pen-stroke"}});
  // The profile's tablet is 0; the device is the next, its outputs with its pressure levels.
  ASSERT_EQ(Load(m_service, 1, sc::kPresent), 1U);
  EXPECT_TRUE(m_source.m_grabbed[node]);
  ASSERT_EQ(m_levels, std::vector<std::uint32_t>{1023});

  // Half the stroke: the pen is near and pressing, in the outputs and in the live record.
  const auto half = static_cast<std::ptrdiff_t>(stroke.m_events.size() / 2);
  m_source.m_opened[node]->Send({stroke.m_events.begin(), stroke.m_events.begin() + half});
  Turn();
  ASSERT_EQ(m_sinks.size(), 1U);
  const std::vector<std::string>& lines = m_sinks[0].Lines();
  EXPECT_EQ(Count(lines, "pen EV_KEY BTN_TOUCH 1"), 1U);
  EXPECT_EQ(Load(m_service, 1, sc::kToolRecord, sc::kFieldType),
            CDeviceTablet::kPenType | sc::kRecordPen);
  EXPECT_EQ(Load(m_service, 1, sc::kToolRecord, sc::kFieldSwitches) & 1U, 1U);  // the tip touches
  EXPECT_GT(Load(m_service, 1, sc::kToolRecord, sc::kFieldPressure), 0U);
  EXPECT_EQ(m_service.Model().Root().FindValue(sc::kCurrentTablet, 0)->Load(0), 1U);

  // Unplugged mid-stroke: the touch is let go, the grab ended, the tablet out of use.
  Change(Kind::kRemoved, node);
  EXPECT_EQ(Count(lines, "pen EV_KEY BTN_TOUCH 0"), 1U);
  EXPECT_FALSE(m_source.m_grabbed[node]);
  EXPECT_EQ(Load(m_service, 1, sc::kPresent), 0U);

  // Plugged in again: the same tablet comes back rather than a second one.
  Change(Kind::kAdded, node);
  EXPECT_EQ(Load(m_service, 1, sc::kPresent), 1U);
  EXPECT_EQ(m_service.Model().Root().FindValue(sc::kCount, 2)->Load(0), 2U);

  // A device that reads as gone leaves at once, before udev says so.
  m_source.m_opened[node]->m_gone = true;
  m_source.m_opened[node]->Send({});
  Turn();
  EXPECT_EQ(Load(m_service, 1, sc::kPresent), 0U);
  EXPECT_EQ(Said(), "");
}

TEST_F(DeviceHub, WhatKeepsADeviceFromBeingDrivenIsSaidOnce) {
  m_source.m_present = {"/dev/input/event4"};  // cannot be opened
  StartHub({{"/dev/input/event5", "pen-stroke"}});
  for (int i = 0; i < 2; ++i) {
    m_source.Change(Kind::kRemoved, "/dev/input/event4");
    Change(Kind::kAdded, "/dev/input/event4");
  }
  EXPECT_EQ(m_source.m_opens, 4);  // tried at every plug, said once
  EXPECT_EQ(Said(),
            "tabletd: /dev/input/event4: cannot open: Permission denied; the tablet is not used\n");
  ASSERT_EQ(m_hub->Devices().size(), 1U);
  EXPECT_EQ(m_hub->Devices()[0].node, "/dev/input/event5");
}

TEST_F(DeviceHub, ADeviceWithoutOutputsIsShownLiveButNeitherGrabbedNorDriven) {
  const std::string node = "/dev/input/event6";
  m_noOutputsFor = "Pen";
  StartHub({{node, "pen-stroke"}});
  m_source.Change(Kind::kRemoved, node);
  Change(Kind::kAdded, node);
  EXPECT_FALSE(m_source.m_grabbed[node]);
  EXPECT_EQ(Said(), "tabletd: /dev/uinput: cannot make a virtual device: Permission denied; " +
                        node + " is shown but not driven\n");
  const CEventRecording stroke = Recording("pen-stroke");
  m_source.m_opened[node]->Send({stroke.m_events.begin(), stroke.m_events.begin() + 20});
  Turn();
  EXPECT_EQ(Load(m_service, 1, sc::kToolRecord, sc::kFieldProximity), 1U);
  EXPECT_GT(Load(m_service, 1, sc::kToolRecord, sc::kFieldX), 0U);
}

TEST_F(DeviceHub, StatusSaysWhichDevicesAreDriven) {
  const char* bin = std::getenv("KELVO_BUILD_BIN");
  if (bin == nullptr) GTEST_SKIP() << "KELVO_BUILD_BIN is set by ctest";
  std::string error;
  ASSERT_TRUE(m_daemon.Listen(error)) << error;
  EXPECT_EQ(Status(bin),
            "tabletd runs on the virtual tablet: it drives no devices (tabletd --devices would)\n");
  m_noOutputsFor = "Mouse";
  StartHub({{"/dev/input/event4", "pen-stroke"}, {"/dev/input/event9", "puck-wheel"}});
  const std::string pen =
      "/dev/input/event4: tablet 1 \"Drawing Tablet 6x8 Pen\", model 90, grabbed and driven\n";
  const std::string puck = "/dev/input/event9: tablet 2 \"Drawing Tablet 6x8 Mouse\", model 90, "
                           "not grabbed: shown, not driven\n";
  EXPECT_EQ(Status(bin), pen + puck);
  m_source.Change(Kind::kRemoved, "/dev/input/event4");
  m_daemon.Poll(0);
  EXPECT_EQ(Status(bin), puck);
  m_hub->Stop();
  EXPECT_EQ(Status(bin), "tabletd watches for tablets and drives none now\n");
}

TEST_F(DeviceHub, ADevicesToolFollowsItsSettingsStoredInAnEarlierRun) {
  const std::string node = "/dev/input/event3";
  StartHub({{node, "pen-stroke"}});
  // Mouse mode on the device's pen, as the applet's mouse button writes it.
  const std::vector<StObjectKey> mode{L(2, 1),     L(12),    L(5, 0, 4), L(2),  L(5),
                                      L(19, 0, 4), L(19, 1), L(21, 2),   L(135)};
  std::vector<std::uint8_t> mouse{1};
  ASSERT_EQ(service_test::Request(m_service, kCommandSet, mode, mouse), kStatusOk);
  // The next run knows the device's tablet only once the device is found again.
  CTabletService next(MakeDefaultProfile(), m_dir.Path() + "/state.json");
  CDaemon daemon(next, m_dir.Path() + "/s2");
  const auto hub = MakeHub(daemon, next);
  hub->Start();
  m_source.m_opened[node]->Send(Recording("pen-stroke").m_events);
  for (int i = 0; i < 3; ++i) daemon.Poll(0);
  ASSERT_EQ(m_sinks.size(), 2U);
  EXPECT_EQ(Count(m_sinks[1].Lines(), "mouse EV_KEY BTN_LEFT 1"), 1U);
  EXPECT_EQ(Count(m_sinks[1].Lines(), "pen EV_KEY BTN_TOOL_PEN 1"), 0U);
}

// libevdev's in-memory device, as the kernel would describe a tablet.
struct StAxis {
  unsigned code;
  int minimum;
  int maximum;
};
StDeviceDescription Describe(const char* name, std::initializer_list<StAxis> axes,
                             std::initializer_list<unsigned> keys) {
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
  const std::uint16_t pen = CDeviceTablet::kPenType;
  const std::uint16_t puck = CDeviceTablet::kPuckType;
  const std::vector<StCase> cases{
      {Describe("Some Pen Tablet",
                {{ABS_X, 0, 44704}, {ABS_Y, 0, 27940}, {ABS_PRESSURE, 0, 8191}},
                {BTN_TOOL_PEN, BTN_TOOL_RUBBER, BTN_STYLUS}),
       sc::kGenericModel, 44704, 27940, 8191, {pen}, true, 0},
      // Named as the profile's tablet: its model; an axis that does not start at 0.
      {Describe("Drawing Tablet 6x8",
                {{ABS_X, 100, 20420}, {ABS_Y, -40, 15200}, {ABS_PRESSURE, 0, 2047}},
                {BTN_TOOL_PEN}),
       130, 20320, 15240, 2047, {pen}, false, 0},
      // No pressure axis: the levels of the profile's tablets.
      {Describe("Airbrush Tablet", {{ABS_X, 0, 1000}, {ABS_Y, 0, 1000}},
                {BTN_TOOL_AIRBRUSH, BTN_TOOL_MOUSE, BTN_LEFT, BTN_RIGHT, BTN_MIDDLE}),
       sc::kGenericModel, 1000, 1000, 1023, {CDeviceTablet::kAirbrushType, puck}, false, 3},
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
