#pragma once

#include "platform/WinTypes.h"

// The multi-monitor functions of "USER32", looked up by name on first use.
// When any one is missing, none is used: one monitor covering the whole
// screen stands in, as the system's single-monitor compatibility scheme has it.
class CMonitorFunctions {
 public:
  // Finds a function of "USER32" by name; none means the default lookup.
  using Lookup = FARPROC (*)(const char* name);
  // The handle of the single monitor that stands in.
  static inline HMONITOR const kPrimaryMonitor = reinterpret_cast<HMONITOR>(std::uintptr_t{0x12340042U});

  explicit CMonitorFunctions(Lookup lookup = nullptr) : m_lookup(lookup) {}

  [[nodiscard]] bool HaveMultipleMonitors();
  [[nodiscard]] int SystemMetrics(int index);
  [[nodiscard]] HMONITOR FromWindow(HWND window, DWORD flags);
  [[nodiscard]] HMONITOR FromRect(const RECT& rect, DWORD flags);
  [[nodiscard]] HMONITOR FromPoint(POINT point, DWORD flags);
  BOOL EnumMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data);
  [[nodiscard]] BOOL MonitorInfo(HMONITOR monitor, LPMONITORINFO info);
  [[nodiscard]] BOOL DisplayDevices(LPCSTR device, DWORD number, PDISPLAY_DEVICEA out, DWORD flags);

 private:
  void Load();
  [[nodiscard]] RECT Screen() const;

  Lookup m_lookup;
  bool m_loaded = false;
  bool m_multiple = false;
  int (*m_getSystemMetrics)(int) = nullptr;
  HMONITOR (*m_fromWindow)(HWND, DWORD) = nullptr;
  HMONITOR (*m_fromRect)(LPCRECT, DWORD) = nullptr;
  HMONITOR (*m_fromPoint)(POINT, DWORD) = nullptr;
  BOOL (*m_enumMonitors)(HDC, LPCRECT, MONITORENUMPROC, LPARAM) = nullptr;
  BOOL (*m_monitorInfo)(HMONITOR, LPMONITORINFO) = nullptr;
  BOOL (*m_displayDevices)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD) = nullptr;
};
