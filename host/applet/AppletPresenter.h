#pragma once

#include <memory>

class ZafApplication;
class ZafPresenter;
class ZafWindow;

// Chooses what shows the applet, from what the host put in the environment:
// KELVO_PRESENTER=headless asks for no display. Otherwise, and always when
// KELVO_SCRIPT names an automation script, the toolkit picks (the script's
// presenter, headless or Qt's with KELVO_PRESENTER=qt; a presenter factory
// installed by a display library; else headless).
class CAppletPresenter {
 public:
  CAppletPresenter() = default;
  CAppletPresenter(const CAppletPresenter&) = delete;
  CAppletPresenter& operator=(const CAppletPresenter&) = delete;

  // None leaves the choice to the toolkit.
  [[nodiscard]] std::unique_ptr<ZafPresenter> Make();

  // The main window is on screen: KELVO_SCREENSHOT saves a picture of it and
  // KELVO_DESCRIBE prints its title, position, tabs and driver version to stderr;
  // KELVO_STARTUP_CLOCK (a steady-clock time in nanoseconds taken by the host
  // before loading the module) prints the start-up time to stderr.
  static void WindowShown(ZafApplication& application, ZafWindow& window);
};
