#include "toolkit/qt/CQtInputFilter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/qt/CQtBindings.h"
#include "toolkit/qt/CQtKeyMapper.h"

bool CQtInputFilter::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return Key(*widget, *static_cast<QKeyEvent*>(event));
    case QEvent::Close: return Close(*widget) ? (event->ignore(), true) : false;
    case QEvent::Move:
    case QEvent::Resize:
      if (widget->isWindow()) Geometry(*widget);
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
      if (ZafApplication* application = ZafApplication::Get();
          application != nullptr && m_bindings.ObjectFor(widget) != nullptr) {
        FollowModifiers(*application, static_cast<QMouseEvent*>(event)->modifiers());
      }
      return false;
    default: return false;
  }
}

bool CQtInputFilter::ToolkitOnly(const ZafWindowObject* focus, int qtKey, std::uint8_t virtualKey) {
  if (qtKey == Qt::Key_Escape) return true;
  if (focus == nullptr) return false;
  // Shift+Tab is Tab to the toolkit.
  return focus->KeepsKey(qtKey == Qt::Key_Backtab ? std::uint8_t{0x09} : virtualKey);
}

bool CQtInputFilter::Key(QWidget& receiver, QKeyEvent& event) {
  ZafApplication* application = ZafApplication::Get();
  ZafWindowObject* object = m_bindings.ObjectFor(&receiver);
  if (application == nullptr || object == nullptr) return false;
  const bool passedUp =
      m_lastReceiver != nullptr && m_lastReceiver != &receiver && receiver.isAncestorOf(m_lastReceiver);
  // Enter that a widget left alone is the toolkit's (it presses the default
  // button): a dialog must not press its own default button as well.
  if (&event == m_lastKey && passedUp)
    return receiver.isWindow() && (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter);
  m_lastKey = &event;
  m_lastReceiver = &receiver;
  // Keys go where the user types, whatever the toolkit thought had the focus.
  if (event.type() == QEvent::KeyPress && !object->HasFocus()) object->SetFocus();

  const bool down = event.type() == QEvent::KeyPress;
  ZafKeyboard& keyboard = application->Keyboard();
  const int qtKey = event.key();
  const std::uint8_t virtualKey = CQtKeyMapper::VirtualKey(qtKey, event.modifiers());
  ZafEventStruct message;
  message.type = kZafEventKey;
  message.target = object->RootWindow();
  message.source = object;
  message.key = CQtKeyMapper::Map(qtKey, event.modifiers(), event.text(), down,
                                  event.isAutoRepeat() || !down || keyboard.IsDown(virtualKey), keyboard.CodePage());
  bool wanted = message.key.virtualKey != 0 || message.key.unicode != 0;
  if (down && !event.isAutoRepeat()) {
    m_pressedIn[qtKey] = object->RootWindow();
  } else if (!down) {
    if (auto pressed = m_pressedIn.find(qtKey); pressed != m_pressedIn.end()) {
      // Compared, never used, until the window is known to be on screen still.
      ZafWindow* window = pressed->second;
      m_pressedIn.erase(pressed);
      if (window != nullptr && application->WindowManager().Contains(*window)) message.target = window;
      else wanted = false;
    }
  }
  FollowModifiers(*application, event.modifiers());
  // The state follows at once (a modifier's own event may not list it yet),
  // so GetKeyState agrees with what the user just did.
  if (message.key.virtualKey != 0) keyboard.SetKeyDown(message.key.virtualKey, down);
  if (wanted) application->EventManager().Post(message);

  ZafWindow* root = object->RootWindow();
  return ToolkitOnly(root != nullptr ? root->FocusObject() : object, qtKey, virtualKey);
}

bool CQtInputFilter::Close(QWidget& receiver) {
  if (!receiver.isWindow()) return false;
  ZafWindowObject* object = m_bindings.ObjectFor(&receiver);
  ZafApplication* application = ZafApplication::Get();
  if (object == nullptr || object->Parent() != nullptr || application == nullptr) return false;
  // The toolkit closes the window (and takes its widget away) when it handles this.
  application->EventManager().Post(kZafEventClose, object);
  return true;
}

void CQtInputFilter::Geometry(QWidget& receiver) {
  ZafWindowObject* object = m_bindings.ObjectFor(&receiver);
  if (object == nullptr || object->Parent() != nullptr || object->WidgetKind() != ZafWidgetKind::kWindow) return;
  // Only the window's own widget: not a pop-up menu or list of a control in it.
  if (m_bindings.WidgetFor(object) != &receiver || !receiver.isVisible()) return;
  // Read as the region is placed: the frame's corner, the inside's size.
  const QPoint at = receiver.pos();
  static_cast<ZafWindow*>(object)->UserSetRegion(
      ZafRegion::FromSize(at.x(), at.y(), receiver.width(), receiver.height()));
}

void CQtInputFilter::FollowModifiers(ZafApplication& application, Qt::KeyboardModifiers modifiers) {
  ZafKeyboard& keyboard = application.Keyboard();
  keyboard.SetKeyDown(kZafKeyShift, modifiers.testFlag(Qt::ShiftModifier));
  keyboard.SetKeyDown(kZafKeyControl, modifiers.testFlag(Qt::ControlModifier));
  keyboard.SetKeyDown(kZafKeyAlt, modifiers.testFlag(Qt::AltModifier));
}
