#include "toolkit/qt/CQtAutomationDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QStyle>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "toolkit/ZafApplication.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafList.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafString.h"
#include "toolkit/qt/CQtKeyMapper.h"
#include "toolkit/qt/CQtScreenCheck.h"
#include "toolkit/qt/CQtWidgetSync.h"
#include "toolkit/qt/ZafQtPresenter.h"

namespace {

Qt::KeyboardModifier ModifierOf(std::uint8_t virtualKey) {
  switch (virtualKey) {
    case kZafKeyShift: return Qt::ShiftModifier;
    case kZafKeyControl: return Qt::ControlModifier;
    case kZafKeyAlt: return Qt::AltModifier;
    default: return Qt::NoModifier;
  }
}

}  // namespace

QWidget* CQtAutomationDriver::Shown(const ZafWindowObject& object, std::string& problem) const {
  QWidget* widget = m_presenter.WidgetFor(object);
  // Input sent to a widget goes straight to it: the window system's blocking
  // of the windows below a modal dialog is done here.
  const QWidget* modal = QApplication::activeModalWidget();
  if (widget == nullptr) problem = "the control has no widget on the screen";
  else if (!widget->isVisible()) problem = "the control's widget is not on the screen";
  else if (modal != nullptr && widget->window() != modal) problem = "the control is behind a modal dialog";
  else return widget;
  return nullptr;
}

void CQtAutomationDriver::Click(QWidget& widget, QPoint at) const {
  QTest::mouseClick(&widget, Qt::LeftButton, m_held, at);
}

QWidget* CQtAutomationDriver::KeyTarget() const {
  ZafWindow* current = m_application != nullptr ? m_application->WindowManager().Current() : nullptr;
  QWidget* top = current != nullptr ? m_presenter.WidgetFor(*current) : nullptr;
  if (top == nullptr) return nullptr;
  QWidget* focus = top->focusWidget();
  return focus != nullptr ? focus : top;
}

std::string CQtAutomationDriver::Press(ZafButton& button) {
  if (button.WidgetKind() == ZafWidgetKind::kMenuItem) {
    QAction* action = m_presenter.ActionFor(button);
    auto* menu = action != nullptr ? qobject_cast<QMenu*>(action->parent()) : nullptr;
    if (menu == nullptr || !menu->isVisible()) return "the menu is not open";
    Click(*menu, menu->actionGeometry(action).center());
    return {};
  }
  std::string problem;
  QWidget* widget = Shown(button, problem);
  if (widget == nullptr) return problem;
  // A check box or radio button takes clicks on its mark (and its label), not
  // on the rest of its area: aim at the mark.
  QPoint at = widget->rect().center();
  if (qobject_cast<QCheckBox*>(widget) != nullptr)
    at.setX(widget->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) / 2 + 1);
  else if (qobject_cast<QRadioButton*>(widget) != nullptr)
    at.setX(widget->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) / 2 + 1);
  Click(*widget, at);
  return {};
}

std::string CQtAutomationDriver::Slide(ZafScrollBar& slider, std::int32_t position) {
  std::string problem;
  auto* bar = qobject_cast<QAbstractSlider*>(Shown(slider, problem));
  if (bar == nullptr) return problem.empty() ? "the slider's widget is no slider" : problem;
  // As dragging ends there: the bar reports the value it takes.
  bar->setValue(position);
  return {};
}

std::string CQtAutomationDriver::Choose(ZafList& list, int index) {
  std::string problem;
  QWidget* widget = Shown(list, problem);
  if (widget == nullptr) return problem;
  if (auto* box = qobject_cast<QComboBox*>(widget)) {
    // Open the list and click the entry, as the user does.
    box->showPopup();
    QAbstractItemView* view = box->view();
    if (view == nullptr || !view->isVisible() || index >= box->count()) return "the list does not open";
    view->scrollTo(view->model()->index(index, 0));
    Click(*view->viewport(), view->visualRect(view->model()->index(index, 0)).center());
    if (view->isVisible()) box->hidePopup();
    return {};
  }
  if (auto* view = qobject_cast<QListWidget*>(widget)) {
    if (index >= view->count()) return "the list shows fewer entries";
    view->scrollToItem(view->item(index));
    Click(*view->viewport(), view->visualItemRect(view->item(index)).center());
    return {};
  }
  return "the list's widget is no list";
}

std::string CQtAutomationDriver::EnterInteger(ZafInteger& field, std::int32_t value) {
  std::string problem;
  auto* edit = qobject_cast<QLineEdit*>(Shown(field, problem));
  if (edit == nullptr) return problem.empty() ? "the field's widget is no text field" : problem;
  edit->setFocus(Qt::TabFocusReason);
  edit->selectAll();
  QTest::keyClicks(edit, QString::number(value));
  // A field that waits for Enter takes it; another takes what was typed when
  // the user moves on.
  if (field.ConfirmsOnEnter()) QTest::keyClick(edit, Qt::Key_Return);
  else emit edit->editingFinished();
  return {};
}

std::string CQtAutomationDriver::Spin(ZafSpinControl& spin, int direction) {
  std::string problem;
  auto* box = qobject_cast<QSpinBox*>(Shown(spin, problem));
  if (box == nullptr) return problem.empty() ? "the spin control's widget is no spin box" : problem;
  QTest::keyClick(box, direction > 0 ? Qt::Key_Up : Qt::Key_Down);
  return {};
}

std::string CQtAutomationDriver::Focus(ZafWindowObject& object) {
  std::string problem;
  QWidget* widget = Shown(object, problem);
  if (widget == nullptr) return problem;
  widget->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  return {};
}

std::string CQtAutomationDriver::PlaceCaret(ZafString& field, int position) {
  std::string problem;
  QWidget* widget = Shown(field, problem);
  if (widget == nullptr) return problem;
  widget->setFocus(Qt::MouseFocusReason);
  const int at = CQtWidgetSync::ToQtPosition(field.Text(), position);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setCursorPosition(at);
  } else if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) {
    QTextCursor cursor = area->textCursor();
    cursor.setPosition(at);
    area->setTextCursor(cursor);
  } else {
    return "the field's widget is no text field";
  }
  return {};
}

std::string CQtAutomationDriver::Tap(CMouseCaptureWindow& capture, std::int32_t x, std::int32_t y) {
  std::string problem;
  QWidget* widget = Shown(capture, problem);
  if (widget == nullptr) return problem;
  Click(*widget, QPoint(x, y));
  return {};
}

std::string CQtAutomationDriver::Drag(CThumbnail& picture, const ZafRegion& path) {
  std::string problem;
  QWidget* widget = Shown(picture, problem);
  if (widget == nullptr) return problem;
  if (picture.CornerAt(path.left, path.top) == ThumbnailCorner::kNone) return "no corner to take hold of there";
  QTest::mousePress(widget, Qt::LeftButton, m_held, QPoint(path.left, path.top));
  QTest::mouseMove(widget, QPoint(path.right, path.bottom));
  QTest::mouseRelease(widget, Qt::LeftButton, m_held, QPoint(path.right, path.bottom));
  return {};
}

std::string CQtAutomationDriver::ChoosePage(ZafNotebook& notebook, int index) {
  std::string problem;
  auto* tabs = qobject_cast<QTabWidget*>(Shown(notebook, problem));
  if (tabs == nullptr) return problem.empty() ? "the notebook's widget has no tabs" : problem;
  if (index >= tabs->count()) return "the notebook shows fewer tabs";
  Click(*tabs->tabBar(), tabs->tabBar()->tabRect(index).center());
  return {};
}

std::string CQtAutomationDriver::Key(const StNamedKey& key, char32_t character, bool down) {
  QWidget* target = KeyTarget();
  if (target == nullptr) return "no window to type into";
  Qt::KeyboardModifiers modifiers = m_held;
  const int qtKey = CQtKeyMapper::QtKey(key.virtualKey, key.keypad, modifiers);
  const Qt::KeyboardModifier own = ModifierOf(key.virtualKey);
  // A modifier's own press does not list it yet, its release does.
  if (own != Qt::NoModifier) {
    if (down) m_held |= own;
    else m_held &= ~own;
  }
  QString text = character != 0 ? QString::fromUcs4(&character, 1) : QString();
  // Shift is part of typing a capital or a shifted sign.
  if (character != 0 && key.virtualKey != 0 && character < 0x80 && character != ' ' &&
      QChar(static_cast<char16_t>(character)).isUpper())
    modifiers |= Qt::ShiftModifier;
  // As the window system has it: Ctrl with a letter types a control character.
  if (modifiers.testFlag(Qt::ControlModifier) && character < 0x80 && QChar(static_cast<char16_t>(character)).isLetter())
    text = QString(QChar(static_cast<char16_t>(character & 0x1F)));
  // A key Qt has no name for is named by the character it types.
  const int code = qtKey != Qt::Key_unknown ? qtKey
                                            : (character != 0 ? static_cast<int>(QChar::toUpper(character)) : 0);
  if (code == 0) return "no such key on the keyboard";
  QTest::simulateEvent(target, down, code, modifiers, text, false);
  return {};
}

std::string CQtAutomationDriver::CloseFromFrame(ZafWindow& window) {
  QWidget* top = m_presenter.WidgetFor(window);
  if (top == nullptr) return "the window is not on the screen";
  // What the frame's close button does: ask the window to close.
  top->close();
  return {};
}

std::string CQtAutomationDriver::MoveWindow(ZafWindow& window, const ZafRegion& region) {
  QWidget* top = m_presenter.WidgetFor(window);
  if (top == nullptr) return "the window is not on the screen";
  if (region.Width() != top->width() || region.Height() != top->height()) {
    if (!window.Sizeable()) return "the window cannot be resized";
    top->resize(region.Width(), region.Height());
  }
  top->move(region.left, region.top);
  // The window system reports where the window went as events of their own.
  QCoreApplication::processEvents();
  return {};
}

std::string CQtAutomationDriver::DescribeScreens(std::vector<ZafScreen> screens) {
  m_presenter.SetScreenOverride(std::move(screens));
  return {};
}

std::string CQtAutomationDriver::Disagreement(ZafWindowObject& object, ZafCheck check) {
  return CQtScreenCheck(m_presenter).Disagreement(object, check);
}
