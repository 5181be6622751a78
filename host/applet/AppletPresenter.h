#pragma once

#include <memory>
#include <string>

class ZafApplication;
class ZafAutomation;
class ZafPresenter;
class ZafWindow;

// Chooses what shows the applet, from what the host put in the environment:
// KELVO_AUTOMATION_SCRIPT runs that script on the headless presenter (on
// Qt's widgets with KELVO_PRESENTER=qt) and
// KELVO_AUTOMATION_RESULT receives "passed" or "failed: why";
// KELVO_PRESENTER=headless asks for no display. Otherwise the toolkit picks
// (a presenter factory installed by a display library, else headless).
class CAppletPresenter {
 public:
  CAppletPresenter() = default;
  CAppletPresenter(const CAppletPresenter&) = delete;
  CAppletPresenter& operator=(const CAppletPresenter&) = delete;

  // None leaves the choice to the toolkit.
  [[nodiscard]] std::unique_ptr<ZafPresenter> Make();
  // The script could not be read.
  [[nodiscard]] bool Failed() const { return !m_failure.empty(); }

  // The main window is on screen: KELVO_SCREENSHOT saves a picture of it and
  // KELVO_DESCRIBE prints its title, position, tabs and driver version to stderr;
  // KELVO_STARTUP_CLOCK (a steady-clock time in nanoseconds taken by the host
  // before loading the module) prints the start-up time to stderr.
  static void WindowShown(ZafApplication& application, ZafWindow& window);

  // Writes the script's outcome where the host asked for it; nothing when no
  // line of the script ran (the host then knows the window never opened).
  void WriteResult() const;

 private:
  const ZafAutomation* m_automation = nullptr;
  std::string m_failure;
};
