#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/CIntegerEditControl.h"
#include "toolkit/controls/ZafText.h"

namespace {

// Virtual keys of the editing keys.
enum : std::uint8_t { kBackspace = 0x08, kEnd = 0x23, kLeft = 0x25, kRight = 0x27 };

ZafEventStruct KeyEvent(std::uint8_t vk, char32_t c = 0, bool down = true,
                        std::uint8_t modifiers = 0) {
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
    ASSERT_EQ(m_persistence->ReadInto(m_dialog, "TestDialog"), kStatusOk);
    m_field = m_dialog.FindAs<ZafString>("NameField");  // "abc"
    m_field->SetCaretListener([this](ZafString& f) { m_carets.push_back(f.CaretPosition()); });
  }
  void Type(std::initializer_list<ZafEventStruct> keys) {
    for (const ZafEventStruct& key : keys) m_dialog.Event(key);
  }
  CEventLog<ZafDialogWindow> m_dialog;
  ZafString* m_field = nullptr;
  std::vector<int> m_carets;
};

TEST_F(ZafStringTest, OnlyTheUserMovingTheCaretRaisesTheCaretNotice) {
  m_field->SetCaretPosition(2);
  m_field->UserSetCaret(1);
  m_field->UserSetCaret(99);  // clamped to the end
  EXPECT_EQ(m_carets, (std::vector<int>{1, 3}));
  m_field->SetText("a");
  EXPECT_EQ(m_field->CaretPosition(), 1);
}

TEST_F(ZafStringTest, KeyMessagesGoToTheFocusedFieldAndEditAtTheCaret) {
  m_field->SetFocus();
  m_field->SetCaretPosition(1);
  Type({KeyEvent('X', 'X')});
  EXPECT_EQ(m_field->Text(), "aXbc");
  Type({KeyEvent(kBackspace), KeyEvent(kEnd)});
  EXPECT_EQ(m_field->Text(), "abc");
  EXPECT_EQ(m_carets.back(), 3);
  // Releases and chords type nothing.
  Type({KeyEvent(kLeft), KeyEvent('Y', 'y', false), KeyEvent('C', 'c', true, kZafModifierCtrl),
        KeyEvent('X', 'x', true, kZafModifierAlt)});
  EXPECT_EQ(m_field->CaretPosition(), 2);
  EXPECT_EQ(m_field->Text(), "abc");
  // A read-only field moves its caret but keeps its text.
  auto* keys = m_dialog.FindAs<ZafText>("KeysText");
  keys->SetText("{Ctrl}{F1}");
  keys->SetFocus();
  keys->SetCaretPosition(0);
  Type({KeyEvent('Q', 'q'), KeyEvent(kRight)});
  EXPECT_EQ(keys->Text(), "{Ctrl}{F1}");
  EXPECT_EQ(keys->CaretPosition(), 1);
}

TEST_F(ZafStringTest, OtherLettersTypeAsUtf8AndTheCaretStepsOverWholeLetters) {
  m_field->SetFocus();
  m_field->SetCaretPosition(3);
  Type({KeyEvent(0, 0xE4), KeyEvent(0, 0x0436), KeyEvent('D', 'D', true, kZafModifierShift)});
  // Left steps over the D and the two bytes of the last letter; Backspace takes the first.
  Type({KeyEvent(kLeft), KeyEvent(kLeft), KeyEvent(kBackspace)});
  EXPECT_EQ(m_field->Text(),
            "abc\xD0\xB6"
            "D");
}

TEST_F(ZafStringTest, AFieldThatCapturesKeysLeavesEveryKeyToItsWindow) {
  m_field->SetCapturesKeys(true);
  m_field->SetFocus();
  for (std::uint8_t key :
       {std::uint8_t{'Q'}, kZafKeyTab, kZafKeyReturn, kZafKeyEscape, std::uint8_t{kBackspace}}) {
    EXPECT_EQ(m_dialog.Event(KeyEvent(key, key == 'Q' ? U'q' : 0)), 0) << int{key};
  }
  EXPECT_EQ(m_field->Text(), "abc") << "a capturing field edits nothing itself";
  EXPECT_EQ(m_dialog.Keys().size(), 5U);
  EXPECT_EQ(m_dialog.ClosingEvent(), kZafEventNone) << "Enter and Escape were the field's";
}

TEST_F(ZafStringTest, EnterPressesTheFocusedPushButtonElseTheDefaultButtonAndEscapeCancels) {
  StUserCalls ok;
  StUserCalls scrollUp;
  m_dialog.Find("OkButton")->SetUserFunction(ok.Function());
  m_dialog.Find("ScrollUp")->SetUserFunction(scrollUp.Function());
  m_dialog.FindAs<CIntegerEditControl>("DevicePressureOffsetInteger")->SetFocus();
  EXPECT_EQ(m_dialog.Event(KeyEvent(kZafKeyReturn)), 1) << "an integer edit control takes Enter";
  m_dialog.Find("ScrollUp")->SetFocus();
  Type({KeyEvent(kZafKeyReturn)});
  EXPECT_EQ(m_dialog.ClosingEvent(), kZafEventNone);
  m_field->SetFocus();
  EXPECT_EQ(m_dialog.Event(KeyEvent(kZafKeyReturn)), kZafEventOk);
  EXPECT_EQ(scrollUp.events.size(), 1U);
  EXPECT_EQ(ok.events.size(), 1U);
  EXPECT_EQ(Load("TestDialog")->Event(KeyEvent(kZafKeyEscape, 0x1B)), kZafEventCancel);
}

}  // namespace
