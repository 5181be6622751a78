#pragma once

#include <string>

#include "views/info/CInfoItemView.h"

// The name of the tool in use. A name stored as a code, a backslash and "~"
// followed by a number N and optionally ":" and a number M, is shown as the
// tool name N of the language strings, followed by M + 1 when M is above 0
// (a second tool of the same kind). A Set writes the text as the new name,
// and only when it differs from the name shown now.
class CToolNameItemView : public CInfoItemView {
 public:
  using CInfoItemView::CInfoItemView;

 protected:
  [[nodiscard]] Status WriteText(char* text) override;
  [[nodiscard]] Status TakeText(const char* text) override;
};
