#pragma once

// What only the user interface knows, for the user-interface functions of
// the platform: the monitors, where a window is, the mouse pointer and the
// file chooser. The toolkit installs its own (answered by whatever shows the
// windows); without one there are no monitors and no windows.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

struct StDesktopMonitor {
  RECT bounds;                    // screen pixels, right and bottom exclusive
  RECT workArea;
  bool primary = false;
  std::string deviceId;           // the monitor device's identifier ("MONITOR\KLV1201\...")
  std::string deviceString;       // what the monitor calls itself
  DWORD stateFlags = DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED;
};

class CDesktop {
 public:
  CDesktop() = default;
  virtual ~CDesktop() = default;
  CDesktop(const CDesktop&) = delete;
  CDesktop& operator=(const CDesktop&) = delete;

  // In the order the system enumerates them; the first one is number 1.
  [[nodiscard]] virtual std::vector<StDesktopMonitor> Monitors() const = 0;
  // The rectangle of the window a handle stands for; false when none.
  [[nodiscard]] virtual bool WindowRect(HWND window, RECT& out) const = 0;
  // Shows (true) or hides (false) the pointer once more over the active
  // window; answers the pointer's display count (hidden below 0).
  virtual int ShowPointer(bool show) = 0;
  // Lets the user choose an existing file. filter: "Text|pattern|..." pairs;
  // path: the starting path in, the choice out. False when cancelled.
  [[nodiscard]] virtual bool ChooseFile(HWND owner, const std::string& title, const std::string& filter,
                                        std::string& path) = 0;
};

// Installs the desktop the user-interface functions ask (none: nothing
// installed); answers the previous one.
CDesktop* SetDesktop(CDesktop* desktop);
[[nodiscard]] CDesktop* GetDesktop();
