#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/CIntegerEditControl.h"
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

TEST_F(ZafStringTest, ChordsTypeNothingAndOtherLettersTypeAsUtf8) {
  m_field->SetFocus();
  m_field->SetCaretPosition(3);
  m_dialog->Event(KeyEvent('C', 'c', true, kZafModifierCtrl));
  m_dialog->Event(KeyEvent('X', 'x', true, kZafModifierAlt));
  EXPECT_EQ(m_field->Text(), "abc");
  m_dialog->Event(KeyEvent(0, 0xE4));
  m_dialog->Event(KeyEvent(0, 0x0436));
  m_dialog->Event(KeyEvent('D', 'D', true, kZafModifierShift));
  EXPECT_EQ(m_field->Text(), "abc\xC3\xA4\xD0\xB6" "D");
  m_dialog->Event(KeyEvent(0x25, 0));  // Left over the D
  m_dialog->Event(KeyEvent(0x25, 0));  // and over the two bytes of the last letter
  EXPECT_EQ(m_field->CaretPosition(), 5);
  m_dialog->Event(KeyEvent(0x08, 0));  // Backspace takes a whole letter
  EXPECT_EQ(m_field->Text(), "abc\xD0\xB6" "D");
}

TEST_F(ZafStringTest, AFieldThatCapturesKeysLeavesEveryKeyToItsWindow) {
  CEventLog<ZafDialogWindow> dialog;
  ASSERT_EQ(m_persistence->ReadInto(dialog, "TestDialog"), kStatusOk);
  auto* keys = dialog.FindAs<ZafString>("NameField");
  keys->SetCapturesKeys(true);
  keys->SetFocus();
  for (std::uint8_t key : {std::uint8_t{'Q'}, kZafKeyTab, kZafKeyReturn, kZafKeyEscape, std::uint8_t{0x08}}) {
    EXPECT_EQ(dialog.Event(KeyEvent(key, key == 'Q' ? U'q' : 0)), 0) << int{key};
  }
  EXPECT_EQ(keys->Text(), "abc") << "a capturing field edits nothing itself";
  EXPECT_EQ(dialog.Keys().size(), 5U);
  EXPECT_EQ(dialog.ClosingEvent(), kZafEventNone) << "Enter and Escape were the field's, not the dialog's";
}

TEST_F(ZafStringTest, EnterPressesTheFocusedPushButtonElseTheDefaultButtonOnce) {
  std::vector<std::string> pressed;
  for (const char* name : {"OkButton", "CancelButton", "ScrollUp"}) {
    m_dialog->Find(name)->SetUserFunction([&pressed, name](ZafWindowObject&, ZafEventType) {
      pressed.emplace_back(name);
      return ZafEventType{0};
    });
  }
  auto* integer = m_dialog->FindAs<CIntegerEditControl>("DevicePressureOffsetInteger");
  integer->SetFocus();
  EXPECT_EQ(m_dialog->Event(KeyEvent(kZafKeyReturn, 0)), 1) << "an integer edit control takes Enter itself";
  m_dialog->Find("ScrollUp")->SetFocus();
  m_dialog->Event(KeyEvent(kZafKeyReturn, 0));
  EXPECT_EQ(m_dialog->ClosingEvent(), kZafEventNone);
  m_field->SetFocus();
  EXPECT_EQ(m_dialog->Event(KeyEvent(kZafKeyReturn, 0)), kZafEventOk);
  EXPECT_EQ(pressed, (std::vector<std::string>{"ScrollUp", "OkButton"}));
}

TEST_F(ZafStringTest, EscapeThatNoControlTakesCancelsTheWindow) {
  EXPECT_EQ(m_dialog->Event(KeyEvent(kZafKeyEscape, 0x1B)), kZafEventCancel);
  EXPECT_EQ(m_dialog->ClosingEvent(), kZafEventCancel);
}

}  // namespace
