#pragma once

#include "views/CItemView.h"

// Read-only text: the driver's five-byte version record as "4.82-8" style
// text (major, minor tens and units digits, release stage, build).
class CDriverVersionView : public CItemView {
 public:
  using CItemView::CItemView;

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;

  // The text of a version record; `text` holds at least 32 bytes.
  static void FormatVersion(const std::uint8_t (&record)[5], char* text);
};
