#include "calibration/CMonitorList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "calibration/CMonitorFunctions.h"
#include "platform/Kernel.h"
#include "platform/Monitors.h"
#include "support/CRecordingEventTranslator.h"
#include "tests/platform/CFakeDesktop.h"
#include "toolkit/controls/ZafComboBox.h"
#include "views/ControlIds.h"

namespace {

constexpr DWORD kAttached = DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED;

StDesktopMonitor Monitor(LONG x, LONG width, LONG height, std::string id = {}, DWORD flags = kAttached) {
  StDesktopMonitor monitor;
  monitor.bounds = {x, 0, x + width, height};
  monitor.workArea = monitor.bounds;
  monitor.primary = x == 0;
  monitor.deviceId = std::move(id);
  monitor.stateFlags = flags;
  return monitor;
}

std::vector<std::string> Texts(const std::vector<ZafListEntry>& entries) {
  std::vector<std::string> texts;
  for (const ZafListEntry& entry : entries) texts.push_back(entry.text);
  return texts;
}

struct StListCase {
  const char* name;
  std::vector<StDesktopMonitor> monitors;
  std::uint16_t model;
  std::vector<std::string> expected;
};

TEST(CMonitorList, AnEntryForEachMonitorThatCanBeThePenDisplay) {
  const StListCase cases[] = {
      {"one monitor too large for the model", {Monitor(0, 1280, 1024)}, 120, {}},
      {"a model that allows no size", {Monitor(0, 800, 600)}, 999, {}},
      {"a pen display whatever its size",
       {Monitor(0, 1280, 1024), Monitor(1280, 1920, 1080, "MONITOR\\KLV1201\\0001")}, 120,
       {"Display Model A (2)"}},
      {"three monitors: allowed, unknown pen display, known pen display",
       {Monitor(0, 1024, 768), Monitor(1024, 640, 480, "MONITOR\\KLV9999\\0001"),
        Monitor(1664, 1920, 1080, "MONITOR\\KLV1503\\0002")},
       150, {"Monitor (1)", "Monitor (2)", "Display Model H (3)"}},
      {"a mirror or a detached device does not count",
       {Monitor(0, 800, 600, "MONITOR\\KLV1201\\1", kAttached | DISPLAY_DEVICE_MIRRORING_DRIVER),
        Monitor(800, 800, 600, "MONITOR\\KLV1202\\1", DISPLAY_DEVICE_ATTACHED),
        Monitor(1600, 800, 600, "MONITOR\\KLV1403\\1")},
       999, {"Display Model G (3)"}},
      {"a Tablet PC digitizer is the first monitor, whatever its size",
       {Monitor(0, 1920, 1080), Monitor(1920, 800, 600, "MONITOR\\KLV1201\\1")}, 225, {"Monitor (1)"}},
  };
  for (const StListCase& c : cases) {
    CFakeDesktop desktop;
    desktop.monitors = c.monitors;
    CMonitorFunctions functions;
    EXPECT_EQ(Texts(CMonitorList(functions).Entries(c.model, "Monitor")), c.expected) << c.name;
  }
}

FARPROC WithoutDisplayDevices(const char* name) {
  if (std::strcmp(name, "EnumDisplayDevicesA") == 0) return nullptr;
  return GetProcAddress(GetModuleHandleA("USER32"), name);
}

TEST(CMonitorList, WithoutTheFunctionsOneMonitorCoversTheScreen) {
  CFakeDesktop desktop;
  desktop.monitors = {Monitor(0, 1024, 768), Monitor(1024, 800, 600, "MONITOR\\KLV1201\\1"), Monitor(1824, 640, 480)};
  CMonitorFunctions functions(WithoutDisplayDevices);
  EXPECT_FALSE(functions.HaveMultipleMonitors());
  // One missing function leaves them all unused: no device, so the monitor counts.
  EXPECT_EQ(Texts(CMonitorList(functions).Entries(999, "Monitor")),
            (std::vector<std::string>{"Monitor (1)"}));
  EXPECT_EQ(functions.SystemMetrics(SM_CXVIRTUALSCREEN), 1024);
  EXPECT_EQ(functions.FromPoint({1500, 10}, MONITOR_DEFAULTTONULL), nullptr);
}

// Answers the stored monitor and keeps what the list sends to it.
class CMonitorItem : public CRequestListener {
 public:
  std::uint32_t HandleRequest(ViewRequest& request) override {
    if (request.controlId != ControlId::kCalibrationMonitorComboBox) return 0;
    if (request.operation == kViewGet) *static_cast<std::uint32_t*>(request.data) = stored;
    if (request.operation == kViewSet) sent.push_back(*static_cast<std::uint32_t*>(request.data));
    if (request.operation == kViewApply) ++applied;
    return kStatusHandled;
  }
  std::uint32_t stored = 0;
  std::vector<std::uint32_t> sent;
  int applied = 0;
};

struct StSelectCase {
  const char* name;
  std::size_t entries;
  std::uint32_t stored;
  std::uint16_t model;
  std::uint32_t useHid;
  int selected;
  bool sent;
};

TEST(CMonitorList, SelectsTheStoredMonitorAndSendsAChoiceMadeForTheUser) {
  const StSelectCase cases[] = {
      {"the only entry", 1, 0, 160, 0, 0, true},
      {"the stored position", 3, 2, 160, 0, 1, false},
      {"nothing stored", 3, 0, 160, 0, 0, false},
      {"a stored position past the end", 3, 4, 160, 0, 0, true},
      {"a Tablet PC with the HID driver", 2, 2, 225, 2, 0, true},
      {"a Tablet PC without it", 2, 2, 225, 0, 1, false},
      {"the HID flag on another model", 2, 2, 160, 1, 1, false},
  };
  CRecordingEventTranslator* translator = CRecordingEventTranslator::Install();
  for (const StSelectCase& c : cases) {
    CMonitorItem item;
    item.stored = c.stored;
    translator->SetListener(&item);
    ZafComboBox list;
    // Entries carry monitor numbers other than their positions.
    for (std::size_t i = 0; i < c.entries; ++i)
      list.AddEntry({"m", "Monitor", 0, static_cast<std::uint64_t>(2 * i + 3)});
    CMonitorList::Select(list, c.model, c.useHid);
    EXPECT_EQ(list.Selection(), c.selected) << c.name;
    EXPECT_EQ(item.sent, c.sent ? std::vector<std::uint32_t>{3} : std::vector<std::uint32_t>{}) << c.name;
    EXPECT_EQ(item.applied, c.sent ? 1 : 0) << c.name;
  }
  translator->SetListener(nullptr);
  CRecordingEventTranslator::Uninstall();
}

}  // namespace
