#pragma once

// A desktop with the monitors and windows a test gives it; it counts the
// pointer and answers the file chooser with a path the test sets.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/CDesktop.h"

class CFakeDesktop : public CDesktop {
 public:
  CFakeDesktop() : m_previous(SetDesktop(this)) {}
  ~CFakeDesktop() override { SetDesktop(m_previous); }

  [[nodiscard]] std::vector<StDesktopMonitor> Monitors() const override { return monitors; }
  [[nodiscard]] bool WindowRect(HWND window, RECT& out) const override {
    const auto found = windows.find(window);
    if (found == windows.end()) return false;
    out = found->second;
    return true;
  }
  int ShowPointer(bool show) override { return pointer += show ? 1 : -1; }
  [[nodiscard]] bool ChooseFile(HWND, const std::string& title, const std::string& filter,
                                std::string& path) override {
    askedTitle = title;
    askedFilter = filter;
    askedPath = path;
    if (!chosen) return false;
    path = *chosen;
    return true;
  }

  std::vector<StDesktopMonitor> monitors;
  std::map<HWND, RECT> windows;
  int pointer = 0;
  std::optional<std::string> chosen;
  std::string askedTitle, askedFilter, askedPath;

 private:
  CDesktop* m_previous;
};
