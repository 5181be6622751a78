#include "toolkit/ZafDesktop.h"

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"

namespace {
RECT RectOf(const ZafRegion& region) { return {region.left, region.top, region.right + 1, region.bottom + 1}; }
}  // namespace

HWND ZafDesktop::Handle(ZafWindow& window) { return reinterpret_cast<HWND>(&window); }

std::vector<StDesktopMonitor> ZafDesktop::Monitors() const {
  std::vector<StDesktopMonitor> monitors;
  for (const ZafScreen& screen : m_application.Presenter().Screens()) {
    StDesktopMonitor monitor;
    monitor.bounds = RectOf(screen.bounds);
    monitor.workArea = RectOf(screen.workArea);
    monitor.primary = screen.primary;
    monitor.deviceId = screen.deviceId;
    monitor.deviceString = screen.name;
    monitor.stateFlags = screen.stateFlags;
    monitors.push_back(std::move(monitor));
  }
  return monitors;
}

bool ZafDesktop::WindowRect(HWND window, RECT& out) const {
  // Only a window on screen: the handle is compared, never followed, before that.
  for (ZafWindow* shown : m_application.WindowManager().Windows()) {
    if (Handle(*shown) == window) {
      out = RectOf(shown->Region());
      return true;
    }
  }
  return false;
}

int ZafDesktop::ShowPointer(bool show) {
  if (ZafWindow* current = m_application.WindowManager().Current()) return current->ShowPointer(show);
  m_pointerWithoutWindow += show ? 1 : -1;
  return m_pointerWithoutWindow;
}

bool ZafDesktop::ChooseFile(HWND /*owner*/, const std::string& title, const std::string& filter,
                            std::string& path) {
  return m_application.Presenter().ChooseOpenFile(title, filter, path);
}
