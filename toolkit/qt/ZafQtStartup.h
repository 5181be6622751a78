#pragma once

// Which presenter a run gets, and the Qt side of starting one: the
// QApplication, the presenter factory and the offscreen renderer that lets
// headless runs save pictures of windows.

#include <functional>
#include <string>

#include "protocol/Status.h"

class ZafWindow;

enum class ZafPresenterKind {
  kHeadless,
  kQt,           // on the display the environment names
  kQtOffscreen,  // Qt without a display: pictures only
};

class ZafQtStartup {
 public:
  using Environment = std::function<const char*(const char* name)>;

  // Headless when an automation script drives the run (Qt, as on a display,
  // when KELVO_PRESENTER=qt asks for it) or when asked
  // (KELVO_PRESENTER=headless, KELVO_HEADLESS), except that a screenshot
  // (KELVO_SCREENSHOT) is then drawn by Qt offscreen; Qt when a display or a
  // Qt platform is named; offscreen Qt when only a screenshot is wanted;
  // headless otherwise.
  [[nodiscard]] static ZafPresenterKind Choose(const Environment& environment);
  [[nodiscard]] static ZafPresenterKind Choose();

  // Makes the process's QApplication when there is none; offscreen puts it on
  // Qt's offscreen platform. False when Qt cannot start.
  [[nodiscard]] static bool EnsureApplication(bool offscreen);
  // Ends the QApplication that EnsureApplication made (nothing otherwise);
  // a later EnsureApplication makes a new one.
  static void ReleaseApplication();
  // Lets ZafApplication make the Qt presenter when Choose says so, and lets
  // headless runs render screenshots offscreen.
  static void Install();

  // Saves a picture of the window as a PNG: as the Qt presenter shows it, or
  // drawn offscreen for the occasion.
  [[nodiscard]] static Status SaveScreenshot(ZafWindow& window, const std::string& path);
};
