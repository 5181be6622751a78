#include "functions/KeystrokeText.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "functions/KeyNames.h"

void KeystrokeText::Clear() {
  CString::Clear();
  m_text.fill('\0');
  m_start.fill(0);
  m_length.fill(0);
}

void KeystrokeText::SetFromWords(const std::byte* value) {
  Clear();
  for (std::size_t i = 0; i < kKeystrokeValueWords; ++i) {
    const KeystrokeWord word = ReadKeystrokeWord(value, i);
    if (word == 0) break;
    if (InsertKeystroke(word, Count()) != kStatusOk) break;
  }
}

Status KeystrokeText::InsertKeystroke(KeystrokeWord word, std::int32_t position) {
  const std::int32_t count = Count();
  if (count >= static_cast<std::int32_t>(kKeystrokeValueWords)) return kStatusSequenceFull;
  if (position < 0 || position > count) position = count;
  const std::string text = KeystrokeWordText(word);
  const auto length = static_cast<std::int32_t>(text.size());
  const std::int32_t end = m_start[static_cast<std::size_t>(count)];
  if (end + length + 1 >= static_cast<std::int32_t>(kTextBytes)) return kStatusSequenceFull;
  KELVO_TRY(InsertWord(word, static_cast<std::uint32_t>(position)));

  const auto at = static_cast<std::size_t>(position);
  const auto from = static_cast<std::size_t>(m_start[at]);
  if (position < count) {
    // Later keystrokes' texts and entries move up to make room.
    std::memmove(&m_text[from + text.size()], &m_text[from], static_cast<std::size_t>(end) - from);
    for (auto i = static_cast<std::size_t>(count); i > at; --i) {
      m_start[i + 1] = m_start[i] + length;
      m_length[i] = m_length[i - 1];
    }
  }
  std::memcpy(&m_text[from], text.data(), text.size());
  m_length[at] = length;
  m_start[at + 1] = m_start[at] + length;
  const auto newCount = static_cast<std::size_t>(count + 1);
  m_text[static_cast<std::size_t>(m_start[newCount])] = '\0';
  if (newCount < m_length.size()) m_length[newCount] = 0;
  return kStatusOk;
}

void KeystrokeText::RemoveKeystroke(std::int32_t position) {
  const std::int32_t count = Count();
  if (count == 0) return;
  if (position < 0 || position >= count) position = count - 1;
  RemoveWord(static_cast<std::uint32_t>(position));
  const auto at = static_cast<std::size_t>(position);
  const std::int32_t length = m_length[at];
  const auto last = static_cast<std::size_t>(count - 1);
  if (at < last) {
    const auto from = static_cast<std::size_t>(m_start[at + 1]);
    const auto end = static_cast<std::size_t>(m_start[static_cast<std::size_t>(count)]);
    std::memmove(&m_text[static_cast<std::size_t>(m_start[at])], &m_text[from], end - from);
    for (std::size_t i = at; i < last; ++i) {
      m_length[i] = m_length[i + 1];
      m_start[i + 1] = m_start[i + 2] - length;
    }
  }
  m_length[last] = 0;
  m_start[last + 1] = 0;
  m_text[static_cast<std::size_t>(m_start[last])] = '\0';
}

std::int32_t KeystrokeText::WordStart(std::int32_t index) const {
  const std::int32_t count = Count();
  if (index < 0 || index > count) index = count;
  return m_start[static_cast<std::size_t>(index)];
}

std::int32_t KeystrokeText::WordAtCaret(std::int32_t caret) const {
  const std::int32_t count = Count();
  if (caret < 0 || count == 0 || caret >= m_start[static_cast<std::size_t>(count)]) return count;
  std::int32_t i = 0;
  while (caret > m_start[static_cast<std::size_t>(i) + 1]) ++i;
  const auto at = static_cast<std::size_t>(i);
  return caret - m_start[at] > m_length[at] / 2 ? i + 1 : i;
}
