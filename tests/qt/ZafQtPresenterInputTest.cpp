// User input on real widgets reaches the toolkit (user functions with 1002,
// key messages, caret moves, taps); state set from code reaches the widgets
// and never the user functions.

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "qt/QtFixture.h"
#include "toolkit/controls/CIntegerEditControl.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafString.h"

namespace {

using QtInput = QtFixture;

void FillEntries(ZafComboBox& combo) {
  for (const char* name : {"Click", "DoubleClick", "RightClick"})
    combo.AddEntry({name, name, 0, 0});
}

TEST_F(QtInput, StateSetFromCodeReachesTheWidgetsWithoutUserFunctions) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  StUserCalls calls;
  auto& eraser = Find<ZafButton>(main, "EnableEraserCheckBox");
  auto& slider = Find<ZafScrollBar>(main, "TipFeelSlider");
  auto& combo = Find<ZafComboBox>(main, "UpperSideSwitchComboBox");
  auto& spin = Find<ZafSpinControl>(main, "WFLinesSpin");
  auto& notebook = Find<ZafNotebook>(main, "TabsWindow");
  for (ZafWindowObject* o :
       std::initializer_list<ZafWindowObject*>{&eraser, &slider, &combo, &spin, &notebook}) {
    o->SetUserFunction(calls.Function());
  }

  eraser.SetChecked(!eraser.Checked());
  EXPECT_EQ(WidgetOf<QCheckBox>(eraser)->isChecked(), eraser.Checked());

  slider.SetPosition(slider.Maximum() - 1);
  EXPECT_EQ(WidgetOf<QSlider>(slider)->value(), slider.Maximum() - 1);

  FillEntries(combo);
  combo.SetSelection(2);
  ASSERT_EQ(WidgetOf<QComboBox>(combo)->count(), 3);
  EXPECT_EQ(WidgetOf<QComboBox>(combo)->currentIndex(), 2);
  EXPECT_EQ(WidgetOf<QComboBox>(combo)->currentText(), "RightClick");
  combo.RemoveEntry(0);
  EXPECT_EQ(WidgetOf<QComboBox>(combo)->count(), 2);

  ASSERT_NE(spin.Field(), nullptr);
  spin.Field()->SetIntegerValue(7);
  EXPECT_EQ(WidgetOf<QSpinBox>(spin)->value(), 7);

  notebook.SetCurrentPage(2);
  EXPECT_EQ(WidgetOf<QTabWidget>(notebook)->currentIndex(), 2);

  main.SetText("Tablet Properties (2)");
  EXPECT_EQ(m_presenter->WidgetFor(main)->windowTitle(), "Tablet Properties (2)");
  EXPECT_TRUE(calls.events.empty()) << calls.events.size() << " user function calls from code";
}

// Clicks on check boxes and choices of combo boxes and tabs reach the user
// functions in the acceptance cases run with Qt; sliders and spins do not.
TEST_F(QtInput, SlidersAndSpinsReportUserChanges) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  StUserCalls slid, spun;

  auto& slider = Find<ZafScrollBar>(main, "TipFeelSlider");
  slider.SetUserFunction(slid.Function());
  slider.SetPosition(slider.Minimum());
  QTest::keyClick(WidgetOf<QSlider>(slider), Qt::Key_Right);
  EXPECT_EQ(slid.events, std::vector<ZafEventType>{kZafEventChanged});
  EXPECT_EQ(slider.Position(), slider.Minimum() + slider.Step());

  auto& spin = Find<ZafSpinControl>(main, "WFLinesSpin");
  spin.SetUserFunction(spun.Function());
  spin.Field()->SetIntegerValue(spin.Minimum());
  WidgetOf<QSpinBox>(spin)->stepUp();
  EXPECT_EQ(spin.Field()->IntegerValue(), spin.Minimum() + spin.Delta());
  EXPECT_EQ(spun.events, std::vector<ZafEventType>{kZafEventChanged});
  // A step past the end changes nothing and reports nothing.
  spin.Field()->SetIntegerValue(spin.Maximum());
  WidgetOf<QSpinBox>(spin)->stepUp();
  EXPECT_EQ(spin.Field()->IntegerValue(), spin.Maximum());
  EXPECT_EQ(WidgetOf<QSpinBox>(spin)->value(), spin.Maximum());
  EXPECT_EQ(spun.events.size(), 1U);
}

// Typing reaches the focused field as key messages, which it edits itself.
TEST_F(QtInput, KeyMessagesCarryCodeCharacterAndKeyDataWordAndTheFieldEditsFromThem) {
  CEventLog<> window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 200, 80));
  auto* field = static_cast<ZafString*>(window.Add(std::make_unique<ZafString>()));
  field->SetRegion(ZafRegion::FromSize(4, 4, 150, 22));
  m_application->WindowManager().Add(window);
  auto* edit = WidgetOf<QLineEdit>(*field);
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  QCoreApplication::processEvents();
  EXPECT_TRUE(field->HasFocus());

  QTest::keyClick(edit, Qt::Key_A);
  QTest::keyClick(edit, Qt::Key_Left);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b", true);
  QCoreApplication::sendEvent(edit, &repeat);
  Deliver();
  const std::vector<ZafKeyInfo> keys = window.Keys();
  ASSERT_EQ(keys.size(), 5U);
  EXPECT_EQ(keys[0].virtualKey, 0x41);
  EXPECT_EQ(keys[0].character, 'a');
  EXPECT_EQ(keys[0].keyData, 1U);
  EXPECT_EQ(keys[1].keyData, 1U | kZafKeyWasDown | kZafKeyReleased);
  EXPECT_EQ(keys[2].virtualKey, 0x25);
  EXPECT_EQ(keys[4].virtualKey, 0x42);
  EXPECT_EQ(keys[4].keyData & kZafKeyWasDown, kZafKeyWasDown) << "an auto-repeat was not marked as already down";
  // The field edited itself from those messages: "a", caret left, "b" before it.
  EXPECT_EQ(field->Text(), "ba");
  EXPECT_EQ(edit->text(), "ba");
  EXPECT_EQ(edit->cursorPosition(), 1);

  QTest::keyPress(edit, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_NE(m_application->Keyboard().GetKeyState(kZafKeyControl) & 0x8000, 0);
  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  QTest::keyRelease(edit, Qt::Key_Control);
  Deliver();
  EXPECT_EQ(m_application->Keyboard().GetKeyState(kZafKeyControl) & 0x8000, 0);
  EXPECT_EQ(field->Text(), "ba") << "Ctrl+C typed a character";
  m_application->WindowManager().Subtract(window);
}

TEST_F(QtInput, AnIntegerEditControlTakesItsValueOnEnterOnly) {
  ZafWindow window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 200, 80));
  auto* field =
      static_cast<CIntegerEditControl*>(window.Add(std::make_unique<CIntegerEditControl>()));
  field->SetRegion(ZafRegion::FromSize(4, 4, 80, 22));
  StUserCalls calls;
  field->SetUserFunction(calls.Function());
  m_application->WindowManager().Add(window);
  auto* edit = WidgetOf<QLineEdit>(*field);
  ASSERT_NE(edit, nullptr);
  edit->selectAll();
  QTest::keyClicks(edit, "42");
  Deliver();
  EXPECT_EQ(field->IntegerValue(), 42);
  EXPECT_TRUE(calls.events.empty()) << "typing alone confirmed the value";
  QTest::keyClick(edit, Qt::Key_Return);
  Deliver();
  EXPECT_EQ(calls.events, std::vector<ZafEventType>{kZafEventChanged});
  EXPECT_EQ(field->IntegerValue(), 42);
  m_application->WindowManager().Subtract(window);
}

TEST_F(QtInput, ATypedSpinValueIsTakenWhenEditingEnds) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  auto& spin = Find<ZafSpinControl>(main, "WFLinesSpin");
  ASSERT_NE(spin.Field(), nullptr);
  StUserCalls calls;
  spin.Field()->SetUserFunction(calls.Function());
  auto* box = WidgetOf<QSpinBox>(spin);
  const int wanted =
      spin.Field()->IntegerValue() == spin.Minimum() ? spin.Minimum() + 1 : spin.Minimum();
  box->setValue(wanted);
  emit box->editingFinished();
  EXPECT_EQ(spin.Field()->IntegerValue(), wanted);
  EXPECT_EQ(calls.events, std::vector<ZafEventType>{kZafEventChanged});
  emit box->editingFinished();
  EXPECT_EQ(calls.events.size(), 1U) << "an unchanged value was reported again";
}

TEST_F(QtInput, MouseClicksMoveTheCaretThroughTheToolkit) {
  ZafWindow& dialog = Show("KeystrokeDialog");
  auto& keys = Find<ZafString>(dialog, "KeysText");
  keys.SetText("Alt+Tab");
  int moves = 0;
  keys.SetCaretListener([&](ZafString&) { ++moves; });
  auto* edit = WidgetOf<QLineEdit>(keys);
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 3, edit->height() / 2));
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(keys.CaretPosition(), 7);
  keys.SetCaretPosition(2);
  EXPECT_EQ(edit->cursorPosition(), 2);
  EXPECT_EQ(moves, 1) << "a caret set from code reached the listener";
}

TEST_F(QtInput, AMenuButtonOpensItsMenuAndAnItemActsAsAPress) {
  ZafWindow& dialog = Show("KeystrokeDialog");
  auto& button = Find<ZafButton>(dialog, "DK_AddSpecial");
  auto& item = Find<ZafPopUpItem>(dialog, "DK_AltTab");
  ZafPopUpMenu* menu = button.Menu();
  ASSERT_NE(menu, nullptr);
  StUserCalls chosen;
  item.SetUserFunction(chosen.Function());
  auto* popup = WidgetOf<QMenu>(*menu);
  ASSERT_NE(popup, nullptr);

  QTest::mouseClick(WidgetOf<QPushButton>(button), Qt::LeftButton);
  EXPECT_TRUE(menu->Open());
  EXPECT_TRUE(popup->isVisible());
  m_presenter->ActionFor(item)->trigger();
  EXPECT_EQ(chosen.events, std::vector<ZafEventType>{kZafEventChanged});
  EXPECT_FALSE(menu->Open());
  EXPECT_FALSE(popup->isVisible());
}

TEST_F(QtInput, PenTapsOnACaptureWindowReachTheTopLevelWindow) {
  CEventLog<> window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 300, 200));
  auto* capture =
      static_cast<CMouseCaptureWindow*>(window.Add(std::make_unique<CMouseCaptureWindow>()));
  capture->SetRegion(ZafRegion::FromSize(10, 10, 200, 100));
  m_application->WindowManager().Add(window);
  QWidget* surface = m_presenter->WidgetFor(*capture);
  ASSERT_NE(surface, nullptr);
  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(40, 25));
  ASSERT_EQ(window.Of(kZafEventPenTap).size(), 1U);
  EXPECT_EQ(window.Of(kZafEventPenTap)[0].data[0], 40);
  EXPECT_EQ(window.Of(kZafEventPenTap)[0].data[1], 25);
  m_application->WindowManager().Subtract(window);
}

TEST_F(QtInput, ClosingFromTheFrameIsTheToolkitsCloseEvent) {
  ZafWindow window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 200, 100));
  m_application->WindowManager().Add(window);
  QWidget* top = m_presenter->WidgetFor(window);
  ASSERT_NE(top, nullptr);
  EXPECT_FALSE(top->close()) << "Qt closed the window behind the toolkit's back";
  EXPECT_TRUE(m_application->WindowManager().Contains(window));
  Deliver();
  EXPECT_FALSE(m_application->WindowManager().Contains(window));
  EXPECT_EQ(window.ClosingEvent(), kZafEventClose);
  EXPECT_EQ(m_presenter->WidgetFor(window), nullptr);
}

}  // namespace
