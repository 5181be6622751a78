#include "calibration/CMonitorFunctions.h"

#include <algorithm>
#include <cstdio>

#include "platform/Kernel.h"
#include "platform/Monitors.h"

namespace {

FARPROC FromUser32(const char* name) { return GetProcAddress(GetModuleHandleA("USER32"), name); }

template <typename T>
bool Take(CMonitorFunctions::Lookup lookup, const char* name, T& out) {
  out = reinterpret_cast<T>(lookup(name));
  return out != nullptr;
}

bool Inside(const RECT& rect, POINT point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

bool Meets(const RECT& a, const RECT& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

}  // namespace

void CMonitorFunctions::Load() {
  if (m_loaded) return;
  m_loaded = true;
  const Lookup lookup = m_lookup != nullptr ? m_lookup : FromUser32;
  // Each is tried, so that one missing leaves all of them unused.
  bool all = Take(lookup, "GetSystemMetrics", m_getSystemMetrics);
  all = Take(lookup, "MonitorFromWindow", m_fromWindow) && all;
  all = Take(lookup, "MonitorFromRect", m_fromRect) && all;
  all = Take(lookup, "MonitorFromPoint", m_fromPoint) && all;
  all = Take(lookup, "EnumDisplayMonitors", m_enumMonitors) && all;
  all = Take(lookup, "GetMonitorInfoA", m_monitorInfo) && all;
  all = Take(lookup, "EnumDisplayDevicesA", m_displayDevices) && all;
  m_multiple = all;
}

bool CMonitorFunctions::HaveMultipleMonitors() {
  Load();
  return m_multiple;
}

RECT CMonitorFunctions::Screen() const {
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

int CMonitorFunctions::SystemMetrics(int index) {
  if (HaveMultipleMonitors()) return m_getSystemMetrics(index);
  switch (index) {
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN: return 0;
    case SM_CXVIRTUALSCREEN: return ::GetSystemMetrics(SM_CXSCREEN);
    case SM_CYVIRTUALSCREEN: return ::GetSystemMetrics(SM_CYSCREEN);
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT: return 1;
    default: return ::GetSystemMetrics(index);
  }
}

HMONITOR CMonitorFunctions::FromWindow(HWND window, DWORD flags) {
  if (HaveMultipleMonitors()) return m_fromWindow(window, flags);
  return FromRect(Screen(), flags);
}

HMONITOR CMonitorFunctions::FromRect(const RECT& rect, DWORD flags) {
  if (HaveMultipleMonitors()) return m_fromRect(&rect, flags);
  return Meets(rect, Screen()) || flags != MONITOR_DEFAULTTONULL ? kPrimaryMonitor : nullptr;
}

HMONITOR CMonitorFunctions::FromPoint(POINT point, DWORD flags) {
  if (HaveMultipleMonitors()) return m_fromPoint(point, flags);
  return Inside(Screen(), point) || flags != MONITOR_DEFAULTTONULL ? kPrimaryMonitor : nullptr;
}

BOOL CMonitorFunctions::EnumMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data) {
  if (HaveMultipleMonitors()) return m_enumMonitors(dc, clip, callback, data);
  if (callback == nullptr) return FALSE;
  RECT rect = Screen();
  if (clip != nullptr) {
    if (!Meets(rect, *clip)) return TRUE;
    rect = {std::max(rect.left, clip->left), std::max(rect.top, clip->top), std::min(rect.right, clip->right),
            std::min(rect.bottom, clip->bottom)};
  }
  callback(kPrimaryMonitor, dc, &rect, data);
  return TRUE;
}

BOOL CMonitorFunctions::MonitorInfo(HMONITOR monitor, LPMONITORINFO info) {
  if (HaveMultipleMonitors()) return m_monitorInfo(monitor, info);
  if (monitor != kPrimaryMonitor || info == nullptr ||
      (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEXA)))
    return FALSE;
  info->rcMonitor = Screen();
  // No work area of its own is known here: the whole screen.
  info->rcWork = info->rcMonitor;
  info->dwFlags = MONITORINFOF_PRIMARY;
  if (info->cbSize == sizeof(MONITORINFOEXA)) {
    auto* extended = static_cast<MONITORINFOEXA*>(info);
    std::snprintf(extended->szDevice, sizeof extended->szDevice, "%s", "DISPLAY");
  }
  return TRUE;
}

BOOL CMonitorFunctions::DisplayDevices(LPCSTR device, DWORD number, PDISPLAY_DEVICEA out, DWORD flags) {
  // Without the functions no display device can be examined.
  if (HaveMultipleMonitors()) return m_displayDevices(device, number, out, flags);
  return FALSE;
}
