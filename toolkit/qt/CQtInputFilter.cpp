#include "toolkit/qt/CQtInputFilter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/controls/CIntegerEditControl.h"
#include "toolkit/controls/ZafString.h"
#include "toolkit/qt/CQtBindings.h"
#include "toolkit/qt/CQtKeyMapper.h"

bool CQtInputFilter::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return Key(*widget, *static_cast<QKeyEvent*>(event));
    case QEvent::Close: return Close(*widget) ? (event->ignore(), true) : false;
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

bool CQtInputFilter::ToolkitOnly(const ZafWindowObject* focus, int qtKey) {
  if (qtKey == Qt::Key_Escape) return true;
  if ((qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) &&
      dynamic_cast<const CIntegerEditControl*>(focus) != nullptr) {
    return true;
  }
  // Tab and Enter still move the focus and press the default button.
  const bool navigation = qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab ||
                          qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter;
  return dynamic_cast<const ZafString*>(focus) != nullptr && !navigation;
}

bool CQtInputFilter::Key(QWidget& receiver, QKeyEvent& event) {
  ZafApplication* application = ZafApplication::Get();
  ZafWindowObject* object = m_bindings.ObjectFor(&receiver);
  if (application == nullptr || object == nullptr) return false;
  const bool passedUp = m_lastReceiver != nullptr && m_lastReceiver != &receiver &&
                        receiver.isAncestorOf(m_lastReceiver);
  if (&event == m_lastKey && passedUp) return false;
  m_lastKey = &event;
  m_lastReceiver = &receiver;
  // Keys go where the user types, whatever the toolkit thought had the focus.
  if (event.type() == QEvent::KeyPress && !object->HasFocus()) object->SetFocus();

  const bool down = event.type() == QEvent::KeyPress;
  ZafKeyboard& keyboard = application->Keyboard();
  ZafEventStruct message;
  message.type = kZafEventKey;
  message.target = object->RootWindow();
  message.source = object;
  const int qtKey = event.key();
  message.key =
      CQtKeyMapper::Map(qtKey, event.modifiers(), event.text(), down,
                        event.isAutoRepeat() || !down ||
                            keyboard.IsDown(CQtKeyMapper::VirtualKey(qtKey, event.modifiers())));
  FollowModifiers(*application, event.modifiers());
  if (message.key.virtualKey != 0) {
    // The state follows at once (a modifier's own event may not list it yet),
    // so GetKeyState agrees with what the user just did.
    keyboard.SetKeyDown(message.key.virtualKey, down);
    application->EventManager().Post(message);
  }

  ZafWindow* root = object->RootWindow();
  return ToolkitOnly(root != nullptr ? root->FocusObject() : object, qtKey);
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

void CQtInputFilter::FollowModifiers(ZafApplication& application, Qt::KeyboardModifiers modifiers) {
  ZafKeyboard& keyboard = application.Keyboard();
  keyboard.SetKeyDown(kZafKeyShift, modifiers.testFlag(Qt::ShiftModifier));
  keyboard.SetKeyDown(kZafKeyControl, modifiers.testFlag(Qt::ControlModifier));
  keyboard.SetKeyDown(kZafKeyAlt, modifiers.testFlag(Qt::AltModifier));
}
