#pragma once

// How an automation script acts as the user on one presenter, and what that
// presenter shows. Headless, the driver calls the controls' User* operations
// and posts key messages; under Qt it clicks, types and moves the real
// widgets, and compares what they show with the toolkit, so that what only
// Qt gets wrong fails the script.

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/ZafRegion.h"
#include "toolkit/ZafScreens.h"
#include "toolkit/automation/ZafKeyNames.h"

class CMouseCaptureWindow;
class CThumbnail;
class ZafApplication;
class ZafButton;
class ZafInteger;
class ZafList;
class ZafNotebook;
class ZafScrollBar;
class ZafSpinControl;
class ZafString;
class ZafWindow;
class ZafWindowObject;

// What a check looks at, for a driver that can compare it with the screen.
enum class ZafCheck {
  kVisible, kEnabled, kText, kValue, kChecked, kFocused, kEntries, kOpen, kCaret, kRegion, kPointer, kPicture
};

class ZafAutomationDriver {
 public:
  virtual ~ZafAutomationDriver() = default;

  void Attach(ZafApplication& application) { m_application = &application; }

  // Acting as the user; each answers what went wrong, empty when done.
  virtual std::string Press(ZafButton& button) = 0;
  virtual std::string Slide(ZafScrollBar& slider, std::int32_t position) = 0;
  virtual std::string Choose(ZafList& list, int index) = 0;
  virtual std::string EnterInteger(ZafInteger& field, std::int32_t value) = 0;
  virtual std::string Spin(ZafSpinControl& spin, int direction) = 0;
  virtual std::string Focus(ZafWindowObject& object) = 0;
  virtual std::string PlaceCaret(ZafString& field, int position) = 0;
  virtual std::string Tap(CMouseCaptureWindow& capture, std::int32_t x, std::int32_t y) = 0;
  // Presses on a picture at (left, top) of `path`, drags to (right, bottom)
  // and lets go.
  virtual std::string Drag(CThumbnail& picture, const ZafRegion& path) = 0;
  virtual std::string ChoosePage(ZafNotebook& notebook, int index) = 0;
  // One key going down or up; character is what it types (0: nothing).
  virtual std::string Key(const StNamedKey& key, char32_t character, bool down) = 0;
  // Closes a window from its frame, as the window system's close button does.
  virtual std::string CloseFromFrame(ZafWindow& window) = 0;
  // Moves (and sizes) a window as the user drags its frame.
  virtual std::string MoveWindow(ZafWindow& window, const ZafRegion& region) = 0;
  // The screens the presenter reports from now on.
  virtual std::string DescribeScreens(std::vector<ZafScreen> screens) = 0;

  // What the screen shows of a check that the toolkit passed: empty when the
  // screen agrees (or shows nothing), else what it shows instead.
  [[nodiscard]] virtual std::string Disagreement(ZafWindowObject& /*object*/, ZafCheck /*check*/) { return {}; }

 protected:
  ZafApplication* m_application = nullptr;
};
