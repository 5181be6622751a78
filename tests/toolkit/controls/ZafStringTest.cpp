#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/controls/ZafText.h"

namespace {

ZafEventStruct KeyEvent(std::uint8_t vk, char32_t c, bool down = true, std::uint8_t modifiers = 0) {
  ZafEventStruct e;
  e.type = kZafEventKey;
  e.key.virtualKey = vk;
  e.key.unicode = c;
  e.key.character = c < 0x100 ? static_cast<char>(c) : 0;
  e.key.modifiers = modifiers;
  e.key.down = down;
  e.key.keyData = ZafMakeKeyData(down, !down, false);
  return e;
}

class ZafStringTest : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    m_dialog = Load("TestDialog");
    m_field = m_dialog->FindAs<ZafString>("NameField");
    m_field->SetCaretListener([this](ZafString& f) { m_carets.push_back(f.CaretPosition()); });
  }
  std::unique_ptr<ZafWindow> m_dialog;
  ZafString* m_field = nullptr;
  std::vector<int> m_carets;
};

TEST_F(ZafStringTest, OnlyTheUserMovingTheCaretRaisesTheCaretNotice) {
  m_field->SetCaretPosition(2);
  EXPECT_TRUE(m_carets.empty());
  m_field->UserSetCaret(1);
  m_field->UserSetCaret(99);  // clamped to the end
  EXPECT_EQ(m_carets, (std::vector<int>{1, 3}));
  m_field->SetText("a");
  EXPECT_EQ(m_field->CaretPosition(), 1);
}

TEST_F(ZafStringTest, KeyMessagesGoToTheFocusedFieldAndEditAtTheCaret) {
  m_field->SetFocus();
  m_field->SetCaretPosition(1);
  m_dialog->Event(KeyEvent('X', 'X'));
  EXPECT_EQ(m_field->Text(), "aXbc");
  m_dialog->Event(KeyEvent(0x08, 0));  // Backspace
  EXPECT_EQ(m_field->Text(), "abc");
  m_dialog->Event(KeyEvent(0x23, 0));  // End
  EXPECT_EQ(m_carets.back(), 3);
  m_dialog->Event(KeyEvent(0x25, 0));  // Left
  EXPECT_EQ(m_field->CaretPosition(), 2);
  m_dialog->Event(KeyEvent('Y', 'y', false));  // releases type nothing
  EXPECT_EQ(m_field->Text(), "abc");
}

TEST_F(ZafStringTest, AReadOnlyFieldMovesItsCaretButKeepsItsText) {
  auto* keys = m_dialog->FindAs<ZafText>("KeysText");
  keys->SetText("{Ctrl}{F1}");
  keys->SetFocus();
  keys->SetCaretPosition(0);
  m_dialog->Event(KeyEvent('Q', 'q'));
  m_dialog->Event(KeyEvent(0x27, 0));  // Right
  EXPECT_EQ(keys->Text(), "{Ctrl}{F1}");
  EXPECT_EQ(keys->CaretPosition(), 1);
}

TEST_F(ZafStringTest, EscapeThatNoControlTakesCancelsTheWindow) {
  EXPECT_EQ(m_dialog->Event(KeyEvent(kZafKeyEscape, 0x1B)), kZafEventCancel);
  EXPECT_EQ(m_dialog->ClosingEvent(), kZafEventCancel);
}

}  // namespace
