#pragma once

// Carries the state of window objects over to their widgets. Every change is
// made with the widget's signals blocked, so showing a state never reads as
// the user changing it.

#include <QString>
#include <string>

#include "toolkit/ZafChange.h"

class CQtBindings;
class QWidget;
class ZafSpinControl;
class ZafString;
class ZafWindow;
class ZafWindowObject;
struct StQtBinding;

class CQtWidgetSync {
 public:
  explicit CQtWidgetSync(CQtBindings& bindings) : m_bindings(bindings) {}

  void Apply(ZafWindowObject& object, ZafChange change);
  // Everything but the top-level geometry and the focus: a widget just built,
  // or one whose user input the toolkit may have answered differently.
  void ApplyAll(ZafWindowObject& object);

  // A top-level window's region placed on its widget: the left-top corner
  // of its frame and the size of its inside, in screen pixels; and the
  // screen it lies on.
  static void ApplyWindowGeometry(const ZafWindow& window, QWidget& top);

  // Carets are byte offsets into UTF-8 on the toolkit side, UTF-16 positions in Qt.
  [[nodiscard]] static int ToQtPosition(const std::string& text, int bytes);
  [[nodiscard]] static int ToBytes(const QString& text, int position);

 private:
  void ApplyCommon(ZafWindowObject& object, QWidget& widget, ZafChange change);
  void ApplyOwn(ZafWindowObject& object, StQtBinding& binding);
  void ApplyMenu(ZafWindowObject& object, StQtBinding& binding);
  static void ApplyPointer(const ZafWindow& window, QWidget& top);
  static void ShowSpin(const ZafSpinControl& spin, QWidget& widget);
  static void ShowField(const ZafString& field, QWidget& widget);

  CQtBindings& m_bindings;
};
