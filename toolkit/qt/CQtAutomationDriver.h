#pragma once

// Acts for an automation script on the real widgets of the Qt presenter, as
// a user would: mouse clicks and key events through Qt's own input path,
// moves and closes of the windows themselves. What a check found in the
// toolkit is compared with what the widgets show.

#include <QPoint>
#include <Qt>

#include "toolkit/automation/ZafAutomationDriver.h"

class QWidget;
class ZafQtPresenter;

class CQtAutomationDriver : public ZafAutomationDriver {
 public:
  explicit CQtAutomationDriver(ZafQtPresenter& presenter) : m_presenter(presenter) {}

  std::string Press(ZafButton& button) override;
  std::string Slide(ZafScrollBar& slider, std::int32_t position) override;
  std::string Choose(ZafList& list, int index) override;
  std::string EnterInteger(ZafInteger& field, std::int32_t value) override;
  std::string Spin(ZafSpinControl& spin, int direction) override;
  std::string Focus(ZafWindowObject& object) override;
  std::string PlaceCaret(ZafString& field, int position) override;
  std::string Tap(CMouseCaptureWindow& capture, std::int32_t x, std::int32_t y) override;
  std::string Drag(CThumbnail& picture, const ZafRegion& path) override;
  std::string ChoosePage(ZafNotebook& notebook, int index) override;
  std::string Key(const StNamedKey& key, char32_t character, bool down) override;
  std::string CloseFromFrame(ZafWindow& window) override;
  std::string MoveWindow(ZafWindow& window, const ZafRegion& region) override;
  std::string DescribeScreens(std::vector<ZafScreen> screens) override;
  [[nodiscard]] std::string Disagreement(ZafWindowObject& object, ZafCheck check) override;

 private:
  // The object's widget when it is on the screen; else why not, in problem.
  QWidget* Shown(const ZafWindowObject& object, std::string& problem) const;
  void Click(QWidget& widget, QPoint at) const;
  // Where a key goes: the widget that has the focus in the current window.
  [[nodiscard]] QWidget* KeyTarget() const;

  ZafQtPresenter& m_presenter;
  Qt::KeyboardModifiers m_held;  // modifier keys the script holds down
};
