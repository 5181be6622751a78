#pragma once

// The multi-monitor functions of "USER32", which the applet looks up by name
// (GetModuleHandleA, GetProcAddress), answered from the installed desktop's
// monitors. A monitor's handle stands for its place in the enumeration; the
// display device of monitor n is "\\.\DISPLAYn", and its one monitor device
// "\\.\DISPLAYn\Monitor0" carries the monitor's identifier and state flags.

#include "platform/WinTypes.h"

BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data);
// Takes a MONITORINFO or a MONITORINFOEXA (by cbSize).
BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info);
// device null: the display devices (one per monitor); a display device's
// name: its monitors. FALSE past the last.
BOOL EnumDisplayDevicesA(LPCSTR device, DWORD deviceNumber, PDISPLAY_DEVICEA displayDevice, DWORD flags);
[[nodiscard]] HMONITOR MonitorFromWindow(HWND window, DWORD flags);
[[nodiscard]] HMONITOR MonitorFromRect(LPCRECT rect, DWORD flags);
[[nodiscard]] HMONITOR MonitorFromPoint(POINT point, DWORD flags);
// SM_CXSCREEN, SM_CYSCREEN (the primary monitor), the virtual screen (76-79),
// SM_CMONITORS (80), SM_SAMEDISPLAYFORMAT (81), and SM_TABLETPC (86): 1 when
// $KELVO_TABLET_PC is set to anything but 0. Other metrics answer 0.
[[nodiscard]] int GetSystemMetrics(int index);
// Shows or hides the mouse pointer once more; answers the display count
// (hidden below 0). Without a desktop the count is kept here.
int ShowCursor(BOOL show);
