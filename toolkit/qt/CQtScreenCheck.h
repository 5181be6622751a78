#pragma once

// What the Qt widgets show of a window object, compared with what the
// toolkit holds: the other half of an automation check under Qt.

#include <string>

class ZafQtPresenter;
class ZafWindowObject;
enum class ZafCheck;

class CQtScreenCheck {
 public:
  explicit CQtScreenCheck(const ZafQtPresenter& presenter) : m_presenter(presenter) {}

  // Empty when the widgets agree with the toolkit (or show nothing of the
  // check); else what they show.
  [[nodiscard]] std::string Disagreement(ZafWindowObject& object, ZafCheck check) const;

 private:
  const ZafQtPresenter& m_presenter;
};
