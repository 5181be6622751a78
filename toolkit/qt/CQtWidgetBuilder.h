#pragma once

// Builds the widgets of window objects (through the widget factory) and keeps
// the widget tree in step with the objects' children.

#include "toolkit/qt/CQtWidgetFactory.h"

class CQtBindings;
class CQtWidgetSync;
class QWidget;
class ZafWindow;
class ZafWindowObject;

class CQtWidgetBuilder {
 public:
  CQtWidgetBuilder(CQtBindings& bindings, CQtWidgetSync& sync);

  // The top-level widget of a window with everything in it.
  QWidget* BuildWindow(ZafWindow& window);
  // Brings an object's child widgets in line with its children: widgets of
  // children that left go, children that came get theirs.
  void Reconcile(ZafWindowObject& object);
  // Takes an object's widget (or menu action) off the screen and schedules it for deletion.
  void Discard(const ZafWindowObject* object);

 private:
  // Builds the object's widget under parent (and its children); nullptr for
  // objects without one.
  QWidget* Build(ZafWindowObject& object, QWidget* parent);
  void BuildMenuItem(ZafWindowObject& item, ZafWindowObject& menu);
  void BuildChildren(ZafWindowObject& object);
  // After user input: show what the toolkit made of it, if the object is still shown.
  void Settle(ZafWindowObject* object);

  CQtBindings& m_bindings;
  CQtWidgetSync& m_sync;
  CQtWidgetFactory m_factory;
};
