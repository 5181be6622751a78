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

namespace {

using QtKeys = QtFixture;

// The key messages that went down, without the modifier keys' own.
std::vector<ZafKeyInfo> Strokes(const std::vector<ZafKeyInfo>& keys) {
  std::vector<ZafKeyInfo> strokes;
  for (const ZafKeyInfo& key : keys) {
    if (key.down && key.virtualKey != kZafKeyShift && key.virtualKey != kZafKeyControl && key.virtualKey != kZafKeyAlt)
      strokes.push_back(key);
  }
  return strokes;
}

TEST_F(QtKeys, TheKeystrokeFieldHearsCtrlCAltTabAnUmlautKeypadHomeAndF1) {
  // A dialog that keeps the key messages it hears, as the keystroke dialog does.
  m_persistence->SetWindowMaker("KeystrokeDialog", [] { return std::make_unique<CEventLog<ZafDialogWindow>>(); });
  auto& dialog = static_cast<CEventLog<ZafDialogWindow>&>(Show("KeystrokeDialog"));
  auto& keys = Find<ZafString>(dialog, "KeysText");
  auto* edit = WidgetOf<QLineEdit>(keys);
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  Deliver();

  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Tab, Qt::AltModifier);
  QTest::keyClick(edit, Qt::Key_Tab);
  QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Adiaeresis, QString::fromUtf8("\xC3\xA4"), Qt::NoModifier);
  QTest::keyClick(edit, Qt::Key_Home, Qt::KeypadModifier);
  QTest::keyClick(edit, Qt::Key_F1);
  Deliver();

  // Each key as it maps (the mapper's own test) reaches the dialog, Tab too.
  const std::vector<ZafKeyInfo> strokes = Strokes(dialog.Keys());
  std::vector<int> codes;
  for (const ZafKeyInfo& key : strokes) codes.push_back(key.virtualKey);
  EXPECT_EQ(codes, (std::vector<int>{0x43, kZafKeyTab, kZafKeyTab, 0, 0x24, 0x70}));
  ASSERT_EQ(strokes.size(), 6U);
  EXPECT_EQ(strokes[0].modifiers, kZafModifierCtrl);
  EXPECT_EQ(strokes[1].modifiers, kZafModifierAlt);
  EXPECT_EQ(strokes[3].unicode, 0xE4U);
  // The modifier keys came as their own messages, down before and up after.
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
    if (integerField) {
      EXPECT_EQ(static_cast<ZafInteger*>(field)->IntegerValue(), 12) << "Enter took the typed value";
    }
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
  EXPECT_TRUE(m_application->WindowManager().Contains(dialog));
  m_application->WindowManager().Subtract(dialog);
}

}  // namespace
