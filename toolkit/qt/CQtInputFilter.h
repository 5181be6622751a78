#pragma once

// Watches input to the widgets of the toolkit's windows, for the toolkit:
// keys become key messages (virtual-key code, character, key data word)
// posted to the window, the keyboard state follows Qt's modifiers, and
// closing a window from its frame becomes the toolkit's close event.

#include <QObject>
#include <QPointer>
#include <QWidget>

class CQtBindings;
class QKeyEvent;
class QWidget;
class ZafApplication;
class ZafWindowObject;

class CQtInputFilter : public QObject {
 public:
  explicit CQtInputFilter(CQtBindings& bindings) : m_bindings(bindings) {}

  bool eventFilter(QObject* watched, QEvent* event) override;

  // Whether Qt should leave a key to the toolkit alone: text fields are
  // edited by the toolkit, Escape answers the window, Enter confirms an
  // integer field.
  [[nodiscard]] static bool ToolkitOnly(const ZafWindowObject* focus, int qtKey);

 private:
  bool Key(QWidget& receiver, QKeyEvent& event);
  bool Close(QWidget& receiver);
  static void FollowModifiers(ZafApplication& application, Qt::KeyboardModifiers modifiers);

  CQtBindings& m_bindings;
  // Qt offers an unhandled key to each parent in turn; it is posted once,
  // for the widget that had it first.
  const QKeyEvent* m_lastKey = nullptr;
  QPointer<QWidget> m_lastReceiver;
};
