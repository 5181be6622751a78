#pragma once

// Builds the widgets of window objects and wires user input back: each kind
// of object gets the widget that fits it, and each widget's user signal
// calls the object's User* operation (which runs its user function with
// 1002). Afterwards the widget shows the toolkit's state again, so an input
// the toolkit refused does not stay on screen.

class CQtBindings;
class CQtWidgetSync;
class QWidget;
class ZafWindow;
class ZafWindowObject;

class CQtWidgetBuilder {
 public:
  CQtWidgetBuilder(CQtBindings& bindings, CQtWidgetSync& sync)
      : m_bindings(bindings), m_sync(sync) {}

  // The top-level widget of a window with everything in it.
  QWidget* BuildWindow(ZafWindow& window);
  // Brings an object's child widgets in line with its children: widgets of
  // children that left go, children that came get theirs.
  void Reconcile(ZafWindowObject& object);
  // Takes an object's widget (or menu action) off the screen and schedules it for deletion.
  void Discard(const ZafWindowObject* object);

  // Frame decorations that the window system draws itself.
  [[nodiscard]] static bool IsDecoration(const ZafWindowObject& object);

 private:
  // Builds the object's widget under parent (and its children); nullptr for
  // objects without one.
  QWidget* Build(ZafWindowObject& object, QWidget* parent);
  QWidget* MakeWidget(ZafWindowObject& object, QWidget* parent, QWidget*& container);
  QWidget* MakeWindow(ZafWindow& window, QWidget* parent, QWidget*& container);
  QWidget* MakeButton(ZafWindowObject& object, QWidget* parent);
  QWidget* MakeField(ZafWindowObject& object, QWidget* parent);
  void BuildMenuItem(ZafWindowObject& item, ZafWindowObject& menu);
  void BuildChildren(ZafWindowObject& object);
  // After user input: show what the toolkit made of it, if the object is still shown.
  void Settle(ZafWindowObject* object);

  CQtBindings& m_bindings;
  CQtWidgetSync& m_sync;
};
