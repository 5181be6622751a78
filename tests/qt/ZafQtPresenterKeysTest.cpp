// Keys as the keystroke dialog needs them, through Qt's own key events: the
// character a key gives under the layout with Ctrl or Alt held, letters
// without a key code, the keypad's navigation keys, a field that keeps Tab,
// and Enter handled once.

#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "qt/QtFixture.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafInteger.h"
#include "toolkit/controls/ZafString.h"
#include "toolkit/qt/CQtKeyMapper.h"

namespace {

using QtKeys = QtFixture;

TEST_F(QtKeys, TheKeystrokeFieldHearsCtrlCAltTabShiftTabAnUmlautKeypadHomeAndF1) {
  // A dialog that keeps the key messages it hears, as the keystroke dialog does.
  m_persistence->SetWindowMaker("KeystrokeDialog",
                                [] { return std::make_unique<CEventLog<ZafDialogWindow>>(); });
  auto& dialog = static_cast<CEventLog<ZafDialogWindow>&>(Show("KeystrokeDialog"));
  auto& keys = Find<ZafString>(dialog, "KeysText");
  auto* edit = WidgetOf<QLineEdit>(keys);
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  Deliver();

  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Tab, Qt::AltModifier);
  QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Adiaeresis, QString::fromUtf8("\xC3\xA4"),
                      Qt::NoModifier);
  QTest::keyClick(edit, Qt::Key_Home, Qt::KeypadModifier);
  QTest::keyClick(edit, Qt::Key_F1);
  Deliver();

  // Each key as it maps (the mapper's own test) reaches the dialog, Tab too: its
  // code (or character, when it has none) and modifiers.
  std::vector<std::pair<int, int>> strokes;
  for (const ZafKeyInfo& key : dialog.Keys()) {
    const bool modifier = key.virtualKey == kZafKeyShift || key.virtualKey == kZafKeyControl ||
                          key.virtualKey == kZafKeyAlt;
    const int code = key.virtualKey != 0 ? key.virtualKey : static_cast<int>(key.unicode);
    if (key.down && !modifier) strokes.emplace_back(code, key.modifiers);
  }
  EXPECT_EQ(strokes, (std::vector<std::pair<int, int>>{{0x43, kZafModifierCtrl},
                                                       {kZafKeyTab, kZafModifierAlt},
                                                       {kZafKeyTab, kZafModifierShift},
                                                       {0xE4, 0},
                                                       {0x24, 0},
                                                       {0x70, 0}}));
  // The modifier keys come as their own messages, down before and up after.
  EXPECT_EQ(dialog.Keys().front().virtualKey, kZafKeyControl);
  EXPECT_TRUE(edit->hasFocus()) << "Tab moved the focus away from the field";
  EXPECT_TRUE(keys.HasFocus());
  EXPECT_EQ(keys.Text(), "") << "the field edits nothing itself";
  EXPECT_EQ(dialog.ClosingEvent(), kZafEventNone);
}

// Enter in a field presses the default button: once, and its release, which
// the user lets go over the window below, stays with the dialog it closed.
TEST_F(QtKeys, EnterPressesTheDefaultButtonOnceAndStaysWithItsDialog) {
  CEventLog<> below;  // keeps the keys it hears
  below.SetRegion(ZafRegion::FromSize(0, 0, 300, 200));
  m_application->WindowManager().Add(below);
  for (const bool integerField : {false, true}) {
    ZafDialogWindow dialog;
    dialog.SetRegion(ZafRegion::FromSize(20, 20, 240, 100));
    ZafWindowObject* field = integerField ? dialog.Add(std::make_unique<ZafInteger>())
                                          : dialog.Add(std::make_unique<ZafString>());
    field->SetRegion(ZafRegion::FromSize(4, 4, 120, 22));
    auto* ok = static_cast<ZafButton*>(dialog.Add(std::make_unique<ZafButton>()));
    ok->SetRegion(ZafRegion::FromSize(4, 40, 80, 24));
    ok->SetDefault(true);
    StUserCalls presses;
    ok->SetUserFunction(presses.Function());
    QTimer::singleShot(0, [&] {
      QWidget* edit = m_presenter->WidgetFor(*field);
      edit->setFocus();
      if (integerField) QTest::keyClicks(edit, "12");
      QTest::keyPress(edit, Qt::Key_Return);
    });
    EXPECT_EQ(m_application->WindowManager().RunModal(dialog), kZafEventOk) << integerField;
    QTest::keyRelease(m_presenter->WidgetFor(below), Qt::Key_Return);
    Deliver();
    EXPECT_EQ(presses.events.size(), 1U) << "pressed twice, integer field: " << integerField;
    EXPECT_TRUE(!integerField || static_cast<ZafInteger*>(field)->IntegerValue() == 12);
    EXPECT_TRUE(below.Keys().empty()) << "the window below heard the Enter that closed the dialog";
  }
  m_application->WindowManager().Subtract(below);
}

TEST_F(QtKeys, EnterOnAFocusedPushButtonPressesThatButtonNotTheDefault) {
  ZafDialogWindow dialog;
  dialog.SetRegion(ZafRegion::FromSize(20, 20, 240, 100));
  auto* ok = static_cast<ZafButton*>(dialog.Add(std::make_unique<ZafButton>()));
  ok->SetRegion(ZafRegion::FromSize(4, 40, 80, 24));
  ok->SetDefault(true);
  auto* other = static_cast<ZafButton*>(dialog.Add(std::make_unique<ZafButton>()));
  other->SetRegion(ZafRegion::FromSize(100, 40, 80, 24));
  StUserCalls okPresses, otherPresses;
  ok->SetUserFunction(okPresses.Function());
  other->SetUserFunction(otherPresses.Function());
  m_application->WindowManager().Add(dialog);
  Deliver();
  QWidget* button = m_presenter->WidgetFor(*other);
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Return);
  Deliver();
  EXPECT_EQ(otherPresses.events.size(), 1U);
  EXPECT_TRUE(okPresses.events.empty()) << "the dialog pressed its default button";
  m_application->WindowManager().Subtract(dialog);
}

struct StKeyCase {
  int qtKey;
  Qt::KeyboardModifiers modifiers;
  const char* text;
  std::uint8_t virtualKey;
  char character;
  char32_t unicode;
};

// One key for each way a code or a character is found (named and function keys,
// Ctrl+C and Tab are the keystroke dialog's test).
TEST(CQtKeyMapper, KeysMapToTheirVirtualKeyAndCharacter) {
  const StKeyCase cases[] = {
      {Qt::Key_A, Qt::NoModifier, "a", 0x41, 'a', 'a'},
      {Qt::Key_A, Qt::ShiftModifier, "A", 0x41, 'A', 'A'},
      {Qt::Key_Question, Qt::ShiftModifier, "?", 0xBF, '?', '?'},
      {Qt::Key_5, Qt::KeypadModifier, "5", 0x65, '5', '5'},
      {Qt::Key_Plus, Qt::KeypadModifier, "+", 0x6B, '+', '+'},
      // Ctrl chords still say which character the key gives.
      {Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, "\x03", 0x43, 'C', 'C'},
      {Qt::Key_1, Qt::ControlModifier, "", 0x31, '1', '1'},
      // Letters without a key code of their own come with their character.
      {Qt::Key_Adiaeresis, Qt::NoModifier, "\xc3\xa4", 0, '\xe4', 0xE4},
      {0x0416, Qt::NoModifier, "\xd0\xb6", 0, 0, 0x0436},
  };
  for (const StKeyCase& c : cases) {
    const ZafKeyInfo key =
        CQtKeyMapper::Map(c.qtKey, c.modifiers, QString::fromUtf8(c.text), true, false);
    EXPECT_EQ(key.virtualKey, c.virtualKey) << "Qt key 0x" << std::hex << c.qtKey;
    EXPECT_EQ(key.character, c.character) << "Qt key 0x" << std::hex << c.qtKey;
    EXPECT_EQ(key.unicode, c.unicode) << "Qt key 0x" << std::hex << c.qtKey;
  }
}

// The word's layout itself is the toolkit's (ZafMakeKeyData); here what the key gives it.
TEST(CQtKeyMapper, TheKeyDataWordHasRepeatExtendedAltPreviousAndTransitionBits) {
  struct StCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    bool down;
    bool wasDown;
    std::uint32_t keyData;
  };
  const StCase cases[] = {
      {Qt::Key_A, Qt::NoModifier, true, true, 0x40000001},
      {Qt::Key_Left, Qt::NoModifier, true, false, 0x01000001},
      {Qt::Key_Home, Qt::NoModifier, false, true, 0xC1000001},
      {Qt::Key_Enter, Qt::KeypadModifier, true, false, 0x01000001},
      // The keypad's navigation keys (Num Lock off) are not the dedicated ones.
      {Qt::Key_Home, Qt::KeypadModifier, true, false, 0x00000001},
      {Qt::Key_Return, Qt::NoModifier, true, false, 0x00000001},
      {Qt::Key_F4, Qt::AltModifier, true, false, 0x20000001},
  };
  for (const StCase& c : cases) {
    EXPECT_EQ(CQtKeyMapper::Map(c.qtKey, c.modifiers, {}, c.down, c.wasDown).keyData, c.keyData)
        << "Qt key 0x" << std::hex << c.qtKey;
  }
}

}  // namespace
