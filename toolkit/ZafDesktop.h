#pragma once

// The platform's view of the toolkit: the monitors are the presenter's
// screens, a window handle stands for a window on screen, the pointer is the
// current window's and the file chooser is the presenter's. The application
// installs one for its run.

#include "platform/CDesktop.h"

class ZafApplication;
class ZafWindow;

class ZafDesktop : public CDesktop {
 public:
  explicit ZafDesktop(ZafApplication& application) : m_application(application) {}

  // The handle that stands for a window in the platform's functions.
  [[nodiscard]] static HWND Handle(ZafWindow& window);

  [[nodiscard]] std::vector<StDesktopMonitor> Monitors() const override;
  [[nodiscard]] bool WindowRect(HWND window, RECT& out) const override;
  int ShowPointer(bool show) override;
  [[nodiscard]] bool ChooseFile(HWND owner, const std::string& title, const std::string& filter,
                                std::string& path) override;

 private:
  ZafApplication& m_application;
  int m_pointerWithoutWindow = 0;
};
