#pragma once

// A one-line text field (also the string items of string tables). Keeps a
// caret position; when the user moves the caret, the caret listener hears of
// it. Setting the caret from code is silent.

#include <functional>

#include "toolkit/ZafWindowObject.h"

class ZafString : public ZafWindowObject {
 public:
  using CaretListener = std::function<void(ZafString& field)>;

  ZafString() : ZafString("ZafString") {}

  [[nodiscard]] bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
  // A field that captures keys takes every key while it has the focus (Tab,
  // Enter and Escape too) and edits nothing itself: its window decides what
  // each key message means.
  [[nodiscard]] bool CapturesKeys() const { return m_capturesKeys; }
  void SetCapturesKeys(bool captures) { m_capturesKeys = captures; }

  // The caret stands between characters: 0 .. text length.
  [[nodiscard]] int CaretPosition() const { return m_caret; }
  void SetCaretPosition(int position);
  void SetCaretListener(CaretListener listener) { m_caretListener = std::move(listener); }
  // The user put the caret somewhere (a click, an arrow key).
  void UserSetCaret(int position);
  // The user typed a text at the caret (ignored when read-only or disabled).
  ZafEventType UserType(const std::string& text);

  void SetText(std::string text) override;

  // A key with a character types it; Backspace deletes before the caret;
  // Left/Right/Home/End move the caret.
  ZafEventType Event(const ZafEventStruct& event) override;

  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override;
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kTextField; }
  // Every key but those of its window (Tab moves on, Enter presses the
  // default button, Escape cancels), unless it captures keys: then all.
  [[nodiscard]] bool KeepsKey(std::uint8_t virtualKey) const override {
    return m_capturesKeys ||
           (virtualKey != kZafKeyTab && virtualKey != kZafKeyReturn && virtualKey != kZafKeyEscape);
  }

 protected:
  explicit ZafString(std::string className) : ZafWindowObject(std::move(className)) {}

 private:
  bool m_readOnly = false;
  bool m_capturesKeys = false;
  int m_caret = 0;
  CaretListener m_caretListener;
};
