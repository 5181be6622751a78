#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "functions/KeystrokeWord.h"
#include "model/CKelvoObject.h"

// A keystroke sequence: up to 64 words and room for the zero word that ends
// it. A function name uses the same container, one character per word.
class CString : public CKelvoObject {
 public:
  static constexpr std::size_t kWordSlots = 65;
  // Positions at or past the count append (or take the last word).
  static constexpr std::uint32_t kEnd = 0xFFFF;

  CString() = default;
  ~CString() override;

  void Clear();
  // Refuses (0x600) once the count is above 62; the words from `position`
  // on move up by one.
  [[nodiscard]] Status InsertWord(KeystrokeWord word, std::uint32_t position);
  // Nothing when empty; the words after `position` move down by one.
  void RemoveWord(std::uint32_t position);
  // Sets the word at `position` and makes it the last; 0x600 from 64 on.
  [[nodiscard]] Status PutWord(std::uint8_t keyCode, std::uint8_t character, std::uint16_t modifiers,
                               std::uint32_t position);
  // The index of the first zero word of a raw 256-byte value, at most 63.
  [[nodiscard]] static std::uint16_t CountWords(const std::byte* value);

  [[nodiscard]] std::uint16_t Count() const { return m_count; }
  [[nodiscard]] KeystrokeWord WordAt(std::size_t index) const { return m_words[index]; }
  // The words and the zero word after them, as a raw value to write.
  [[nodiscard]] const std::array<KeystrokeWord, kWordSlots>& Words() const { return m_words; }

 private:
  std::array<KeystrokeWord, kWordSlots> m_words{};
  std::uint16_t m_count = 0;
};
