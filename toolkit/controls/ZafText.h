#pragma once

#include "toolkit/controls/ZafString.h"

// A text field that may hold several lines.
class ZafText : public ZafString {
 public:
  ZafText() : ZafString("ZafText") {}
  [[nodiscard]] bool MultiLine() const { return m_multiLine; }
  void SetMultiLine(bool multiLine) { m_multiLine = multiLine; }

 private:
  bool m_multiLine = false;
};
