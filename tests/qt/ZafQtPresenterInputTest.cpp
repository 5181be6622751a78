// User input on real widgets reaches the toolkit (user functions with 1002,
// key messages, presses, closing from the frame); state set from code reaches
// the widgets and never the user functions.

#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include "qt/QtFixture.h"
#include "toolkit/controls/CIntegerEditControl.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafString.h"

namespace {

using QtInput = QtFixture;
using QtGeometry = QtFixture;

// Entries, choices and tabs set from code are the acceptance cases run with Qt.
TEST_F(QtInput, StateSetFromCodeReachesTheWidgetsWithoutUserFunctions) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  StUserCalls calls;
  auto& slider = Find<ZafScrollBar>(main, "TipFeelSlider");
  auto& spin = Find<ZafSpinControl>(main, "WFLinesSpin");
  slider.SetUserFunction(calls.Function());
  spin.SetUserFunction(calls.Function());
  slider.SetPosition(slider.Maximum() - 1);
  spin.Field()->SetIntegerValue(7);
  main.SetText("Tablet Properties (2)");

  EXPECT_EQ(WidgetOf<QSlider>(slider)->value(), slider.Maximum() - 1);
  EXPECT_EQ(WidgetOf<QSpinBox>(spin)->value(), 7);
  EXPECT_EQ(m_presenter->WidgetFor(main)->windowTitle(), "Tablet Properties (2)");
  EXPECT_TRUE(calls.events.empty()) << calls.events.size() << " user function calls from code";
}

// Clicks on check boxes and choices of combo boxes and tabs reach the user
// functions in the acceptance cases run with Qt; sliders and spins do not.
TEST_F(QtInput, SlidersAndSpinsReportUserChanges) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  StUserCalls slid, spun, typed;
  auto& slider = Find<ZafScrollBar>(main, "TipFeelSlider");
  slider.SetUserFunction(slid.Function());
  slider.SetPosition(slider.Minimum());
  QTest::keyClick(WidgetOf<QSlider>(slider), Qt::Key_Right);
  EXPECT_EQ(slid.events, std::vector<ZafEventType>{kZafEventChanged});
  EXPECT_EQ(slider.Position(), slider.Minimum() + slider.Step());

  auto& spin = Find<ZafSpinControl>(main, "WFLinesSpin");
  auto* box = WidgetOf<QSpinBox>(spin);
  spin.SetUserFunction(spun.Function());
  spin.Field()->SetUserFunction(typed.Function());
  spin.Field()->SetIntegerValue(spin.Minimum());
  box->stepUp();
  EXPECT_EQ(spin.Field()->IntegerValue(), spin.Minimum() + spin.Delta());
  // A step past the end changes nothing and reports nothing.
  spin.Field()->SetIntegerValue(spin.Maximum());
  box->stepUp();
  EXPECT_EQ(box->value(), spin.Maximum());
  // A typed value is taken once editing ends, and only once.
  box->setValue(spin.Minimum());
  emit box->editingFinished();
  emit box->editingFinished();
  EXPECT_EQ(spin.Field()->IntegerValue(), spin.Minimum());
  EXPECT_EQ(spun.events, std::vector<ZafEventType>{kZafEventChanged});
  EXPECT_EQ(typed.events, std::vector<ZafEventType>{kZafEventChanged});
}

// Typing reaches the focused field as key messages, which it edits itself.
TEST_F(QtInput, KeyMessagesCarryTheKeyDataWordAndTheFieldEditsFromThem) {
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
  EXPECT_EQ(keys[0].keyData, 1U);
  EXPECT_EQ(keys[1].keyData, 1U | kZafKeyWasDown | kZafKeyReleased);
  EXPECT_EQ(keys[4].keyData & kZafKeyWasDown, kZafKeyWasDown) << "a repeat not marked as down";
  // The field edited itself from those messages: "a", caret left, "b" before it.
  EXPECT_EQ(edit->text(), "ba");
  EXPECT_EQ(edit->cursorPosition(), 1);

  QTest::keyPress(edit, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_NE(m_application->Keyboard().GetKeyState(kZafKeyControl) & 0x8000, 0);
  QTest::keyRelease(edit, Qt::Key_Control);
  Deliver();
  EXPECT_EQ(m_application->Keyboard().GetKeyState(kZafKeyControl) & 0x8000, 0);
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

TEST_F(QtInput, ClosingFromTheFrameIsTheToolkitsCloseEvent) {
  ZafWindow window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 200, 100));
  m_application->WindowManager().Add(window);
  EXPECT_FALSE(m_presenter->WidgetFor(window)->close()) << "Qt closed it behind the toolkit";
  Deliver();
  EXPECT_FALSE(m_application->WindowManager().Contains(window));
  EXPECT_EQ(window.ClosingEvent(), kZafEventClose);
}

// A window's size both ways: the user resizing it on the screen reaches its
// region (so that what it saves is what the user left), and a region set
// from code resizes it; a window that is not sizeable keeps its size. (Its
// place, both ways, is the window-moving acceptance case run with Qt.)
TEST_F(QtGeometry, ASizeableWindowIsResizedBothWaysAndAFixedOneKeepsItsSize) {
  ZafWindow window;
  window.SetSizeable(true);
  window.SetRegion(ZafRegion::FromSize(10, 10, 200, 100));
  m_application->WindowManager().Add(window);
  QWidget* top = m_presenter->WidgetFor(window);
  top->resize(320, 240);
  Deliver();
  EXPECT_EQ(window.Region(), ZafRegion::FromSize(10, 10, 320, 240));
  window.SetRegion(ZafRegion::FromSize(10, 10, 150, 90));
  Deliver();
  EXPECT_EQ(top->size(), QSize(150, 90));

  window.SetSizeable(false);
  window.SetRegion(ZafRegion::FromSize(10, 10, 160, 80));
  Deliver();
  top->resize(400, 400);
  Deliver();
  EXPECT_EQ(top->size(), QSize(160, 80)) << "a window that is not sizeable took another size";
  EXPECT_EQ(window.Region().Width(), 160);
  m_application->WindowManager().Subtract(window);
}

}  // namespace
