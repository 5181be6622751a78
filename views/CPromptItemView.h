#pragma once

#include "views/CPercentItemView.h"

// How a prompt view writes its number.
inline constexpr std::uint32_t kFormatUnsigned = 0;
inline constexpr std::uint32_t kFormatSigned = 1;
inline constexpr std::uint32_t kFormatHex = 2;

// Read-only text: the item's value as a number, zero-padded to a minimum
// count of digits.
class CPromptItemView : public CItemView {
 public:
  using CItemView::CItemView;

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;

  // 0xFFFF for a format other than 0, 1 or 2.
  [[nodiscard]] Status SetFormat(std::uint32_t format);
  [[nodiscard]] Status SetMinimumDigits(std::uint32_t digits);
  [[nodiscard]] std::uint32_t GetFormat() const { return m_format; }
  [[nodiscard]] std::uint32_t GetMinimumDigits() const { return m_minimumDigits; }

  // The text for `value` in `format` with at least `minimumDigits` digits,
  // into `text` (kViewTextCapacity bytes).
  static void FormatNumber(std::uint32_t value, std::uint32_t format, std::uint32_t minimumDigits,
                           char* text);

 private:
  [[nodiscard]] Status ReadNumber(void* data, std::uint32_t& value);

  std::uint32_t m_format = kFormatUnsigned;
  std::uint32_t m_minimumDigits = 0;
};
