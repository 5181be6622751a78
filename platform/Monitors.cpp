#include "platform/Monitors.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/CDesktop.h"

namespace {

std::vector<StDesktopMonitor> Monitors() {
  const CDesktop* desktop = GetDesktop();
  return desktop != nullptr ? desktop->Monitors() : std::vector<StDesktopMonitor>{};
}

// Monitor n (from 1) has the handle n; 0 is no monitor.
HMONITOR HandleOf(std::size_t index) { return reinterpret_cast<HMONITOR>(index + 1); }

bool IndexOf(HMONITOR monitor, std::size_t count, std::size_t& index) {
  const auto value = reinterpret_cast<std::uintptr_t>(monitor);
  if (value == 0 || value > count) return false;
  index = value - 1;
  return true;
}

std::string AdapterName(std::size_t index) { return "\\\\.\\DISPLAY" + std::to_string(index + 1); }

void CopyText(char* to, std::size_t size, const std::string& text) {
  std::snprintf(to, size, "%s", text.c_str());
}

long long Overlap(const RECT& a, const RECT& b) {
  const long long width = std::max<long long>(0, static_cast<long long>(std::min(a.right, b.right)) - std::max(a.left, b.left));
  const long long height = std::max<long long>(0, static_cast<long long>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top));
  return width * height;
}

long long DistanceSquared(const RECT& rect, POINT point) {
  const auto gap = [](long long at, long long low, long long high) {
    return at < low ? low - at : (at >= high ? at - high + 1 : 0);
  };
  const long long dx = gap(point.x, rect.left, rect.right);
  const long long dy = gap(point.y, rect.top, rect.bottom);
  return dx * dx + dy * dy;
}

// The monitor that holds most of the rectangle; with none, as the flags say.
HMONITOR FromRect(const RECT& rect, DWORD flags) {
  const std::vector<StDesktopMonitor> monitors = Monitors();
  long long best = 0;
  std::size_t found = monitors.size();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const long long area = Overlap(rect, monitors[i].bounds);
    if (area > best) {
      best = area;
      found = i;
    }
  }
  if (found < monitors.size()) return HandleOf(found);
  if (monitors.empty() || flags == MONITOR_DEFAULTTONULL) return nullptr;
  if (flags == MONITOR_DEFAULTTOPRIMARY) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
      if (monitors[i].primary) return HandleOf(i);
    }
    return HandleOf(0);
  }
  const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < monitors.size(); ++i) {
    if (DistanceSquared(monitors[i].bounds, centre) < DistanceSquared(monitors[nearest].bounds, centre)) nearest = i;
  }
  return HandleOf(nearest);
}

int g_cursorCount = 0;

}  // namespace

BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data) {
  if (callback == nullptr) return FALSE;
  const std::vector<StDesktopMonitor> monitors = Monitors();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    RECT rect = monitors[i].bounds;
    if (clip != nullptr) {
      if (Overlap(rect, *clip) == 0) continue;
      rect = {std::max(rect.left, clip->left), std::max(rect.top, clip->top), std::min(rect.right, clip->right),
              std::min(rect.bottom, clip->bottom)};
    }
    if (callback(HandleOf(i), dc, &rect, data) == FALSE) break;
  }
  return TRUE;
}

BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
  const std::vector<StDesktopMonitor> monitors = Monitors();
  std::size_t index = 0;
  if (info == nullptr || !IndexOf(monitor, monitors.size(), index) ||
      (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEXA))) {
    return FALSE;
  }
  info->rcMonitor = monitors[index].bounds;
  info->rcWork = monitors[index].workArea;
  info->dwFlags = monitors[index].primary ? MONITORINFOF_PRIMARY : 0;
  if (info->cbSize == sizeof(MONITORINFOEXA)) {
    auto* extended = static_cast<MONITORINFOEXA*>(info);
    CopyText(extended->szDevice, sizeof extended->szDevice, AdapterName(index));
  }
  return TRUE;
}

BOOL EnumDisplayDevicesA(LPCSTR device, DWORD deviceNumber, PDISPLAY_DEVICEA displayDevice, DWORD /*flags*/) {
  if (displayDevice == nullptr || displayDevice->cb < sizeof(DISPLAY_DEVICEA)) return FALSE;
  const std::vector<StDesktopMonitor> monitors = Monitors();
  DISPLAY_DEVICEA out;
  out.cb = displayDevice->cb;
  if (device == nullptr) {
    if (deviceNumber >= monitors.size()) return FALSE;
    const StDesktopMonitor& monitor = monitors[deviceNumber];
    CopyText(out.DeviceName, sizeof out.DeviceName, AdapterName(deviceNumber));
    CopyText(out.DeviceString, sizeof out.DeviceString, "Display adapter");
    out.StateFlags = DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | (monitor.primary ? DISPLAY_DEVICE_PRIMARY_DEVICE : 0);
    *displayDevice = out;
    return TRUE;
  }
  // Each display device drives exactly one monitor.
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (AdapterName(i) != device) continue;
    if (deviceNumber != 0) return FALSE;
    CopyText(out.DeviceName, sizeof out.DeviceName, AdapterName(i) + "\\Monitor0");
    CopyText(out.DeviceString, sizeof out.DeviceString, monitors[i].deviceString);
    CopyText(out.DeviceID, sizeof out.DeviceID, monitors[i].deviceId);
    out.StateFlags = monitors[i].stateFlags;
    *displayDevice = out;
    return TRUE;
  }
  return FALSE;
}

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
  RECT rect;
  const CDesktop* desktop = GetDesktop();
  if (desktop == nullptr || !desktop->WindowRect(window, rect)) {
    return flags == MONITOR_DEFAULTTONULL ? nullptr : FromRect({0, 0, 0, 0}, MONITOR_DEFAULTTOPRIMARY);
  }
  return FromRect(rect, flags);
}

HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags) {
  if (rect == nullptr) return nullptr;
  return FromRect(*rect, flags);
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
  return FromRect({point.x, point.y, point.x + 1, point.y + 1}, flags);
}

int GetSystemMetrics(int index) {
  const std::vector<StDesktopMonitor> monitors = Monitors();
  RECT all{0, 0, 0, 0};
  RECT primary{0, 0, 0, 0};
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const RECT& r = monitors[i].bounds;
    all = i == 0 ? r
                 : RECT{std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
                        std::max(all.bottom, r.bottom)};
    if (monitors[i].primary || (i == 0 && primary.right == 0)) primary = r;
  }
  switch (index) {
    case SM_CXSCREEN: return primary.right - primary.left;
    case SM_CYSCREEN: return primary.bottom - primary.top;
    case SM_XVIRTUALSCREEN: return all.left;
    case SM_YVIRTUALSCREEN: return all.top;
    case SM_CXVIRTUALSCREEN: return all.right - all.left;
    case SM_CYVIRTUALSCREEN: return all.bottom - all.top;
    case SM_CMONITORS: return static_cast<int>(monitors.size());
    case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_TABLETPC: {
      const char* tabletPc = std::getenv("KELVO_TABLET_PC");
      return tabletPc != nullptr && *tabletPc != '\0' && std::strcmp(tabletPc, "0") != 0 ? 1 : 0;
    }
    default: return 0;
  }
}

int ShowCursor(BOOL show) {
  if (CDesktop* desktop = GetDesktop()) return desktop->ShowPointer(show != FALSE);
  g_cursorCount += show != FALSE ? 1 : -1;
  return g_cursorCount;
}
