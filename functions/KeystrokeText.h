#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "functions/CString.h"

// A keystroke sequence with the text the user sees and edits, and where each
// keystroke's text starts in it, so that a caret moves by whole keystrokes.
class KeystrokeText : public CString {
 public:
  static constexpr std::size_t kTextBytes = 2368;

  KeystrokeText() = default;

  // The words of a raw 256-byte value up to its first zero word.
  void SetFromWords(const std::byte* value);
  // Inserts at `position` (a negative or past-the-end position appends).
  // 0x602 with 64 words; a keystroke whose text would not fit, or a 64th,
  // changes nothing.
  [[nodiscard]] Status InsertKeystroke(KeystrokeWord word, std::int32_t position);
  // Removes the keystroke at `position` (out of range: the last).
  void RemoveKeystroke(std::int32_t position);
  // Where keystroke `index` starts; past the end, the text's length.
  [[nodiscard]] std::int32_t WordStart(std::int32_t index) const;
  // The keystroke boundary nearest to a caret at `caret`, as a keystroke
  // index (the count when the caret is at or past the end).
  [[nodiscard]] std::int32_t WordAtCaret(std::int32_t caret) const;
  void Clear();

  [[nodiscard]] std::string_view Text() const {
    return {m_text.data(), static_cast<std::size_t>(m_start[Count()])};
  }
  [[nodiscard]] std::int32_t WordLength(std::size_t index) const { return m_length[index]; }

 private:
  std::array<char, kTextBytes> m_text{};
  std::array<std::int32_t, kWordSlots> m_start{};
  std::array<std::int32_t, kWordSlots - 1> m_length{};
};
