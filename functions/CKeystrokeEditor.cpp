#include "functions/CKeystrokeEditor.h"

void CKeystrokeEditor::Load(const std::byte* value) {
  m_keys.SetFromWords(value);
  m_modifiers = 0;
  UpdateCaret(m_keys.Count(), CaretMove::kTo);
}

void CKeystrokeEditor::UpdateCaret(std::int32_t n, CaretMove move) {
  const std::int32_t target = move == CaretMove::kBy ? m_caretIndex + n : n;
  m_caretCharacter = m_keys.WordStart(target);
  m_caretIndex = m_keys.WordAtCaret(m_caretCharacter);
}

void CKeystrokeEditor::CaretPlaced(std::int32_t character) {
  UpdateCaret(m_keys.WordAtCaret(character), CaretMove::kTo);
}

void CKeystrokeEditor::InsertAtCaret(KeystrokeWord word) {
  // A keystroke that does not fit is dropped without a word.
  if (m_keys.InsertKeystroke(word, m_caretIndex) == kStatusOk) UpdateCaret(1, CaretMove::kBy);
}

bool CKeystrokeEditor::Key(const StKeyMessage& key) {
  const std::optional<KeystrokeWord> word = CaptureKey(key, m_modifiers);
  if (!word) return false;
  const std::uint16_t before = m_keys.Count();
  InsertAtCaret(*word);
  return m_keys.Count() != before;
}

void CKeystrokeEditor::InsertSpecial(KeystrokeWord word) {
  InsertAtCaret(word);
  m_modifiers = 0;
}

void CKeystrokeEditor::Clear() {
  m_keys.Clear();
  m_modifiers = 0;
  UpdateCaret(0, CaretMove::kTo);
}

void CKeystrokeEditor::DeleteBeforeCaret() {
  if (m_caretIndex <= 0) return;
  m_keys.RemoveKeystroke(m_caretIndex - 1);
  m_modifiers = 0;
  UpdateCaret(-1, CaretMove::kBy);
}
