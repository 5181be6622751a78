#pragma once

#include "views/info/CInfoItemView.h"

// The kind of tool the tablet reports, from the top four bits of its type
// word: a pen, a puck, or another tool.
class CTransducerTypeItemView : public CInfoItemView {
 public:
  using CInfoItemView::CInfoItemView;

  // The general text's number for a type word.
  [[nodiscard]] static std::uint16_t TextFor(std::uint16_t typeWord);

 protected:
  [[nodiscard]] Status WriteText(char* text) override;
};
