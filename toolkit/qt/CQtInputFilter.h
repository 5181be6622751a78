#pragma once

// Watches input to the widgets of the toolkit's windows, for the toolkit:
// keys become key messages (virtual-key code, character, modifiers, key data
// word) posted to the window, the keyboard state follows Qt's modifiers, a
// user's move or resize of a window reaches its region, and closing a window
// from its frame becomes the toolkit's close event.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>

class CQtBindings;
class QKeyEvent;
class QWidget;
class ZafApplication;
class ZafWindow;
class ZafWindowObject;

class CQtInputFilter : public QObject {
 public:
  explicit CQtInputFilter(CQtBindings& bindings) : m_bindings(bindings) {}

  bool eventFilter(QObject* watched, QEvent* event) override;

  // Whether Qt should leave a key to the toolkit alone: Escape always (the
  // toolkit cancels), any other key when the focused object keeps it (a text
  // field edits with it; a field that captures keys keeps Tab and Enter too).
  // Enter that a widget does not keep still reaches it (an integer field
  // takes its value) but never its dialog: the toolkit presses the default
  // button, once.
  [[nodiscard]] static bool ToolkitOnly(const ZafWindowObject* focus, int qtKey, std::uint8_t virtualKey);

 private:
  bool Key(QWidget& receiver, QKeyEvent& event);
  bool Close(QWidget& receiver);
  void Geometry(QWidget& receiver);
  static void FollowModifiers(ZafApplication& application, Qt::KeyboardModifiers modifiers);

  CQtBindings& m_bindings;
  // Qt offers an unhandled key to each parent in turn; it is posted once,
  // for the widget that had it first.
  const QKeyEvent* m_lastKey = nullptr;
  QPointer<QWidget> m_lastReceiver;
  // The window each held key went down in: its release goes there too, so a
  // window that the press closed does not hand the release to the one below.
  std::map<int, ZafWindow*> m_pressedIn;
};
