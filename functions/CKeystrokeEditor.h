#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "functions/KeyCapture.h"
#include "functions/KeystrokeText.h"

// What the keystroke dialog edits: the sequence with its text, the caret
// that moves by whole keystrokes, and the modifier keys held in the field.
// The dialog shows its text and caret and enables its buttons from it.
class CKeystrokeEditor {
 public:
  enum class CaretMove { kTo, kBy };

  // A sequence value of 256 bytes; the caret goes to its end.
  void Load(const std::byte* value);
  // To keystroke `n`, or `n` keystrokes on; the caret stands at a boundary.
  void UpdateCaret(std::int32_t n, CaretMove move);
  // The user put the caret at a character: it snaps to the nearer boundary.
  void CaretPlaced(std::int32_t character);
  // A key message in the field; true when it added a keystroke.
  bool Key(const StKeyMessage& key);
  // A keystroke of the special menu, at the caret.
  void InsertSpecial(KeystrokeWord word);
  void Clear();
  // Removes the keystroke before the caret, if there is one.
  void DeleteBeforeCaret();

  [[nodiscard]] std::string_view Text() const { return m_keys.Text(); }
  [[nodiscard]] std::int32_t CaretCharacter() const { return m_caretCharacter; }
  [[nodiscard]] std::int32_t CaretIndex() const { return m_caretIndex; }
  [[nodiscard]] std::uint32_t HeldModifiers() const { return m_modifiers; }
  // OK and Clear make sense with a keystroke; Delete with one before the caret.
  [[nodiscard]] bool CanConfirm() const { return !Text().empty(); }
  [[nodiscard]] bool CanDelete() const { return !Text().empty() && m_caretIndex != 0; }
  // What OK stores: the 65 words, the zero word after the last included.
  [[nodiscard]] const KeystrokeText& Keys() const { return m_keys; }

 private:
  void InsertAtCaret(KeystrokeWord word);

  KeystrokeText m_keys;
  std::uint32_t m_modifiers = 0;
  std::int32_t m_caretCharacter = 0;
  std::int32_t m_caretIndex = 0;
};
