#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/CFakeDesktop.h"
#include "platform/Kernel.h"
#include "platform/Monitors.h"
#include "platform/User.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

namespace {

StDesktopMonitor Monitor(LONG left, LONG top, LONG width, LONG height, bool primary,
                         const char* id = "") {
  StDesktopMonitor m;
  m.bounds = {left, top, left + width, top + height};
  m.workArea = {left, top, left + width, top + height - 40};
  m.primary = primary;
  m.deviceId = id;
  return m;
}

// A 1280 x 1024 primary screen with a pen display to its right and a
// mirroring device left of it.
class MonitorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_desktop.monitors = {Monitor(0, 0, 1280, 1024, true),
                          Monitor(1280, 0, 1024, 768, false, "MONITOR\\KLV1201\\0001"),
                          Monitor(-800, 0, 800, 600, false)};
    m_desktop.monitors[2].stateFlags =
        DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED | DISPLAY_DEVICE_MIRRORING_DRIVER;
  }
  CFakeDesktop m_desktop;
};

BOOL Collect(HMONITOR monitor, HDC, LPRECT rect, LPARAM data) {
  auto* seen = reinterpret_cast<std::vector<std::pair<HMONITOR, RECT>>*>(data);
  seen->push_back({monitor, *rect});
  return seen->size() < 2 ? TRUE : FALSE;
}

TEST_F(MonitorsTest, MonitorsAreEnumeratedInOrderUntilTheCallbackStops) {
  std::vector<std::pair<HMONITOR, RECT>> seen;
  EXPECT_EQ(EnumDisplayMonitors(nullptr, nullptr, &Collect, reinterpret_cast<LPARAM>(&seen)), TRUE);
  ASSERT_EQ(seen.size(), 2U) << "the callback's FALSE stops the enumeration";
  EXPECT_EQ(seen[1].second.left, 1280);
  seen.clear();
  const RECT clip{1200, 0, 1400, 100};
  EXPECT_EQ(EnumDisplayMonitors(nullptr, &clip, &Collect, reinterpret_cast<LPARAM>(&seen)), TRUE);
  ASSERT_EQ(seen.size(), 2U);
  EXPECT_EQ(seen[0].second.left, 1200) << "clipped to the rectangle";
  EXPECT_EQ(seen[1].second.right, 1400);
}

TEST_F(MonitorsTest, InfoAndDevicesLeadFromAMonitorToItsIdentifierAndFlags) {
  MONITORINFOEXA info;
  ASSERT_EQ(GetMonitorInfoA(MonitorFromPoint({1300, 10}, MONITOR_DEFAULTTONULL), &info), TRUE);
  EXPECT_EQ(info.rcMonitor.right, 1280 + 1024);
  EXPECT_EQ(info.rcWork.bottom, 768 - 40);
  EXPECT_EQ(info.dwFlags, 0U);
  DISPLAY_DEVICEA device;
  ASSERT_EQ(EnumDisplayDevicesA(info.szDevice, 0, &device, 0), TRUE);
  EXPECT_STREQ(device.DeviceID, "MONITOR\\KLV1201\\0001");
  EXPECT_EQ(device.StateFlags, DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED);
  ASSERT_EQ(EnumDisplayDevicesA("\\\\.\\DISPLAY3", 0, &device, 0), TRUE);
  EXPECT_EQ(device.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER, DISPLAY_DEVICE_MIRRORING_DRIVER);
  EXPECT_EQ(EnumDisplayDevicesA(nullptr, 3, &device, 0), FALSE) << "three display devices";
  EXPECT_EQ(GetMonitorInfoA(nullptr, &info), FALSE);
}

TEST_F(MonitorsTest, MonitorFromFindsTheMostCoveredNearestOrPrimary) {
  const HWND onPenDisplay = reinterpret_cast<HWND>(std::uintptr_t{0x10});
  m_desktop.windows[onPenDisplay] = {1200, 100, 1600, 400};  // mostly on the second
  MONITORINFO info;
  ASSERT_EQ(GetMonitorInfoA(MonitorFromWindow(onPenDisplay, MONITOR_DEFAULTTONULL), &info), TRUE);
  EXPECT_EQ(info.rcMonitor.left, 1280);
  const RECT below{0, 2000, 10, 2010};
  EXPECT_EQ(MonitorFromRect(&below, MONITOR_DEFAULTTONULL), nullptr);
  ASSERT_EQ(GetMonitorInfoA(MonitorFromRect(&below, MONITOR_DEFAULTTOPRIMARY), &info), TRUE);
  EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
  ASSERT_EQ(GetMonitorInfoA(MonitorFromPoint({3000, 10}, MONITOR_DEFAULTTONEAREST), &info), TRUE);
  EXPECT_EQ(info.rcMonitor.left, 1280) << "the pen display is nearest to the right";
  ASSERT_EQ(GetMonitorInfoA(MonitorFromPoint({-10, 10}, MONITOR_DEFAULTTONULL), &info), TRUE);
  EXPECT_EQ(info.rcMonitor.left, -800);
}

TEST_F(MonitorsTest, SystemMetricsDescribeThePrimaryAndTheVirtualScreen) {
  const CScopedEnv tabletPc("KELVO_TABLET_PC", "1");
  const std::pair<int, int> cases[] = {{SM_CXSCREEN, 1280},
                                       {SM_XVIRTUALSCREEN, -800},
                                       {SM_CXVIRTUALSCREEN, 800 + 1280 + 1024},
                                       {SM_CYVIRTUALSCREEN, 1024},
                                       {SM_CMONITORS, 3},
                                       {SM_TABLETPC, 1}};
  for (const auto& [index, value] : cases) EXPECT_EQ(GetSystemMetrics(index), value) << index;
}

TEST(User32, WithoutADesktopThereAreNoMonitorsAndThePointerCountIsKeptHere) {
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 0);
  EXPECT_EQ(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), nullptr);
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  CFakeDesktop desktop;
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(desktop.pointer, -1) << "the desktop keeps the count";
}

constexpr char kAllFiles[] = "All Files (*.*)\0*.*\0";

struct StChooser {
  char file[256] = {};
  OPENFILENAMEA ofn;
  StChooser(const char* start, DWORD flags) {
    std::strcpy(file, start);
    ofn.lpstrFilter = kAllFiles;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "Application to run";
    ofn.Flags = flags;
  }
};

TEST(User, TheChosenFileFillsTheBufferWithItsNameAndExtensionPlaces) {
  CTempDir dir;
  CFakeDesktop desktop;
  desktop.chosen = dir.Write("bin/notes.txt", "x");
  StChooser chooser("/usr/bin/old", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
  ASSERT_EQ(GetOpenFileNameA(&chooser.ofn), TRUE);
  EXPECT_EQ(chooser.file, *desktop.chosen);
  EXPECT_EQ(chooser.ofn.nFileOffset, dir.Path().size() + 5);
  EXPECT_EQ(chooser.ofn.nFileExtension, desktop.chosen->size() - 3);
  EXPECT_EQ(desktop.askedFilter, "All Files (*.*)|*.*");
  EXPECT_EQ(desktop.askedPath, "/usr/bin/old");
  EXPECT_EQ(desktop.askedTitle, "Application to run");
}

TEST(User, APathLongerThanTheBufferOrMissingIsRefused) {
  CFakeDesktop desktop;
  // 255 characters and the zero fit in 256 bytes; 256 do not, and the buffer
  // then holds the size it needs.
  StChooser fits("", 0);
  desktop.chosen = "/" + std::string(254, 'a');
  EXPECT_EQ(GetOpenFileNameA(&fits.ofn), TRUE);
  StChooser tooLong("", 0);
  desktop.chosen = "/" + std::string(255, 'a');
  EXPECT_EQ(GetOpenFileNameA(&tooLong.ofn), FALSE);
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  WORD needed = 0;
  std::memcpy(&needed, tooLong.file, sizeof needed);
  EXPECT_EQ(needed, 257);

  StChooser missing("", OFN_FILEMUSTEXIST);
  desktop.chosen = "/no/such/file";
  EXPECT_EQ(GetOpenFileNameA(&missing.ofn), FALSE);
}

}  // namespace
