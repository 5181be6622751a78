#pragma once

// Makes the widget that shows a window object, by its widget kind, and wires
// the widget's user signals to the object's User* operations. After user
// input the settle function shows the toolkit's state again, so an input the
// toolkit refused does not stay on screen.

#include <functional>

class QWidget;
class ZafWindow;
class ZafWindowObject;

class CQtWidgetFactory {
 public:
  using Settle = std::function<void(ZafWindowObject* object)>;

  explicit CQtWidgetFactory(Settle settle) : m_settle(std::move(settle)) {}

  // nullptr for objects without a widget of their own (decorations, menu
  // items). container receives the widget the children go in, when that is
  // not the widget itself.
  QWidget* Make(ZafWindowObject& object, QWidget* parent, QWidget*& container);

 private:
  QWidget* MakeWindow(ZafWindow& window, QWidget* parent, QWidget*& container);
  QWidget* MakeButton(ZafWindowObject& object, QWidget* parent);
  QWidget* MakeTextField(ZafWindowObject& object, QWidget* parent);
  QWidget* MakeIntegerField(ZafWindowObject& object, QWidget* parent);
  QWidget* MakeSpin(ZafWindowObject& object, QWidget* parent);
  QWidget* MakeChoice(ZafWindowObject& object, QWidget* parent);
  QWidget* MakeScrollBar(ZafWindowObject& object, QWidget* parent);

  Settle m_settle;
};
