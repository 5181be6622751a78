#pragma once

#include "functions/CKeystrokeEditor.h"
#include "toolkit/ZafDialogWindow.h"

class ZafString;

// "KeystrokeDialog": every key pressed in "KeysText" adds a keystroke at the
// caret, which moves by whole keystrokes; OK stores the sequence through the
// dialog's view (2001).
class CDefineKeystrokeDialog : public ZafDialogWindow {
 public:
  ZafEventType Event(const ZafEventStruct& event) override;

  [[nodiscard]] const CKeystrokeEditor& Editor() const { return m_editor; }

 private:
  void Open();
  // The text, the caret and the buttons as the editor has them.
  void Show();
  void Confirm();

  ZafString* m_keysText = nullptr;
  CKeystrokeEditor m_editor;
};
