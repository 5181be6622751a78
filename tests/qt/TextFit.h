#pragma once

// Finds texts that the widgets of a window cannot show whole: a label that
// wraps past its height, a button, box or tab whose text is wider than the
// room the style leaves for it, a combo box entry wider than its field.

#include <string>
#include <vector>

class QWidget;

struct StCutText {
  std::string widget;  // object names from the window down
  std::string text;
  int needed = 0;     // pixels the text needs (width, or height when it wraps)
  int available = 0;  // pixels it has
};

// Every shown widget of `top` (the window itself included) whose text is cut.
[[nodiscard]] std::vector<StCutText> FindCutTexts(QWidget& top);
