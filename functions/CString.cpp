#include "functions/CString.h"

#include <algorithm>

namespace {

// The count from which InsertWord refuses: a sequence holds at most 63.
constexpr std::uint16_t kInsertLimit = 62;
constexpr std::uint16_t kCountedWords = 63;

}  // namespace

KeystrokeWord ReadKeystrokeWord(const std::byte* value, std::size_t index) {
  const std::byte* at = value + index * sizeof(KeystrokeWord);
  KeystrokeWord word = 0;
  for (std::size_t i = sizeof(KeystrokeWord); i-- > 0;) word = (word << 8) | std::to_integer<KeystrokeWord>(at[i]);
  return word;
}

void WriteKeystrokeWord(std::byte* value, std::size_t index, KeystrokeWord word) {
  std::byte* at = value + index * sizeof(KeystrokeWord);
  for (std::size_t i = 0; i < sizeof(KeystrokeWord); ++i) at[i] = static_cast<std::byte>((word >> (8 * i)) & 0xFFU);
}

CString::~CString() = default;

void CString::Clear() {
  m_count = 0;
  m_words[0] = 0;
}

Status CString::InsertWord(KeystrokeWord word, std::uint32_t position) {
  if (m_count > kInsertLimit) return kStatusNoItem;
  if (position == kEnd || position > m_count) position = m_count;
  std::copy_backward(m_words.begin() + position, m_words.begin() + m_count, m_words.begin() + m_count + 1);
  m_words[position] = word;
  ++m_count;
  m_words[m_count] = 0;
  return kStatusOk;
}

void CString::RemoveWord(std::uint32_t position) {
  if (m_count == 0) return;
  if (position == kEnd || position >= m_count) position = m_count - 1U;
  std::copy(m_words.begin() + position + 1, m_words.begin() + m_count, m_words.begin() + position);
  --m_count;
  m_words[m_count] = 0;
}

Status CString::PutWord(std::uint8_t keyCode, std::uint8_t character, std::uint16_t modifiers,
                        std::uint32_t position) {
  if (position >= kKeystrokeValueWords) return kStatusNoItem;
  m_words[position] = MakeKeystrokeWord(keyCode, character, modifiers);
  m_count = static_cast<std::uint16_t>(position + 1);
  m_words[m_count] = 0;
  return kStatusOk;
}

std::uint16_t CString::CountWords(const std::byte* value) {
  for (std::uint16_t i = 0; i < kCountedWords; ++i) {
    if (ReadKeystrokeWord(value, i) == 0) return i;
  }
  return kCountedWords;
}
