// Every window of the real resource file, shown through Qt: each object has
// the widget of its kind, showing the object's state.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "qt/QtFixture.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafGroup.h"
#include "toolkit/controls/ZafImage.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafProgressBar.h"
#include "toolkit/controls/ZafPrompt.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafText.h"
#include "toolkit/controls/ZafVtList.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

class WidgetKinds : public QtFixture {
 protected:
  // What is wrong with the widget of this object; empty when nothing.
  std::string Check(ZafWindowObject& o) {
    QWidget* w = m_presenter->WidgetFor(o);
    if (o.WidgetKind() == ZafWidgetKind::kNone) return w == nullptr ? "" : "a decoration got a widget";
    if (auto* item = dynamic_cast<ZafPopUpItem*>(&o)) {
      QAction* action = m_presenter->ActionFor(o);
      auto* menu = qobject_cast<QMenu*>(m_presenter->WidgetFor(*o.Parent()));
      if (action == nullptr || menu == nullptr || !menu->actions().contains(action))
        return "no action in its menu";
      return action->text() == Q(item->Text()) ? "" : "action text differs";
    }
    if (w == nullptr) return "no widget";
    if (o.Parent() == nullptr) {
      const bool dialog = o.ClassName() == "ZafDialogWindow";
      if (!w->isWindow() || dialog != (qobject_cast<QDialog*>(w) != nullptr))
        return "wrong top-level kind";
      if (w->windowTitle() != Q(o.Text())) return "title differs";
      return w->isVisible() ? "" : "not shown";
    }
    if (auto* notebook = dynamic_cast<ZafNotebook*>(&o)) {
      auto* tabs = qobject_cast<QTabWidget*>(w);
      if (tabs == nullptr || tabs->count() != static_cast<int>(notebook->PageCount()))
        return "tabs do not match pages";
      for (std::size_t i = 0; i < notebook->PageCount(); ++i) {
        if (tabs->widget(static_cast<int>(i)) != m_presenter->WidgetFor(*notebook->Page(i)))
          return "page out of place";
        if (tabs->tabText(static_cast<int>(i)) != Q(notebook->Page(i)->PageText()))
          return "tab label differs";
      }
      return tabs->currentIndex() == notebook->CurrentIndex() ? "" : "current tab differs";
    }
    if (auto* button = dynamic_cast<ZafButton*>(&o)) {
      QAbstractButton* b = nullptr;
      switch (button->ButtonType()) {
        case ZafButtonType::kCheckBox: b = qobject_cast<QCheckBox*>(w); break;
        case ZafButtonType::kRadio: b = qobject_cast<QRadioButton*>(w); break;
        case ZafButtonType::kPush: b = qobject_cast<QPushButton*>(w); break;
      }
      if (b == nullptr) return "wrong button kind";
      if (b->text() != Q(button->Text())) return "label differs";
      return !b->isCheckable() || b->isChecked() == button->Checked() ? "" : "check state differs";
    }
    if (auto* spin = dynamic_cast<ZafSpinControl*>(&o)) {
      auto* box = qobject_cast<QSpinBox*>(w);
      return box != nullptr && spin->Field() != nullptr &&
                     box->value() == spin->Field()->IntegerValue()
                 ? ""
                 : "no spin box";
    }
    if (auto* integer = dynamic_cast<ZafInteger*>(&o)) {
      if (auto* box = qobject_cast<QSpinBox*>(w))
        return box->value() == integer->IntegerValue() ? "" : "value differs";
      auto* edit = qobject_cast<QLineEdit*>(w);
      return edit != nullptr && edit->text() == Q(integer->Text()) ? "" : "no integer field";
    }
    if (auto* text = dynamic_cast<ZafText*>(&o); text != nullptr && text->MultiLine()) {
      auto* area = qobject_cast<QPlainTextEdit*>(w);
      return area != nullptr && area->toPlainText() == Q(text->Text()) ? "" : "no multi-line field";
    }
    if (auto* field = dynamic_cast<ZafString*>(&o)) {
      auto* edit = qobject_cast<QLineEdit*>(w);
      if (edit == nullptr) return "no line edit";
      return edit->text() == Q(field->Text()) && edit->isReadOnly() == field->ReadOnly()
                 ? ""
                 : "text differs";
    }
    if (auto* combo = dynamic_cast<ZafComboBox*>(&o)) {
      auto* box = qobject_cast<QComboBox*>(w);
      return box != nullptr && box->count() == static_cast<int>(combo->Count()) ? ""
                                                                                : "no combo box";
    }
    if (auto* list = dynamic_cast<ZafList*>(&o)) {
      auto* view = qobject_cast<QListWidget*>(w);
      return view != nullptr && view->count() == static_cast<int>(list->Count()) ? "" : "no list";
    }
    if (auto* scroll = dynamic_cast<ZafScrollBar*>(&o)) {
      auto* bar = qobject_cast<QAbstractSlider*>(w);
      const bool kind = scroll->IsSlider() ? qobject_cast<QSlider*>(w) != nullptr
                                           : qobject_cast<QScrollBar*>(w) != nullptr;
      if (!kind || bar == nullptr) return "wrong slider kind";
      return bar->minimum() == scroll->Minimum() && bar->maximum() == scroll->Maximum() &&
                     bar->value() == scroll->Position()
                 ? ""
                 : "range or position differs";
    }
    if (dynamic_cast<ZafProgressBar*>(&o) != nullptr)
      return qobject_cast<QProgressBar*>(w) != nullptr ? "" : "no bar";
    if (auto* image = dynamic_cast<ZafImage*>(&o)) {
      auto* label = qobject_cast<QLabel*>(w);
      if (label == nullptr) return "no picture label";
      const bool drawn = !label->pixmap().isNull();
      return drawn == (image->BitmapWidth() > 0) ? "" : "picture missing";
    }
    if (dynamic_cast<ZafPrompt*>(&o) != nullptr) {
      auto* label = qobject_cast<QLabel*>(w);
      return label != nullptr && label->text() == Q(o.Text()) ? "" : "no label";
    }
    if (dynamic_cast<ZafGroup*>(&o) != nullptr) {
      auto* group = qobject_cast<QGroupBox*>(w);
      return group != nullptr && group->title() == Q(o.Text()) ? "" : "no group box";
    }
    if (dynamic_cast<ZafPopUpMenu*>(&o) != nullptr)
      return qobject_cast<QMenu*>(w) != nullptr ? "" : "no menu";
    if (dynamic_cast<ZafWindow*>(&o) != nullptr) return "";
    return "no widget kind for " + o.ClassName();
  }

  void CheckTree(ZafWindowObject& o, const std::string& window, int& checked) {
    const std::string problem = Check(o);
    EXPECT_EQ(problem, "") << window << "/" << o.StringID() << " (" << o.ClassName() << ")";
    ++checked;
    for (const auto& child : o.Children()) CheckTree(*child, window, checked);
  }
};

// A dial of the application's own (registering and reading such a class is
// the toolkit's test): shown with the widget of its kind, the user drives it.
class CStepDial : public ZafScrollBar {
 public:
  CStepDial() : ZafScrollBar("CStepDial") {}
  // It keeps Tab: the user steps it with Tab and Shift+Tab.
  [[nodiscard]] bool KeepsKey(std::uint8_t virtualKey) const override { return virtualKey == kZafKeyTab; }
  ZafEventType Event(const ZafEventStruct& event) override {
    if (event.type != kZafEventKey || !event.key.down || event.key.virtualKey != kZafKeyTab) return ZafScrollBar::Event(event);
    return UserSetPosition(Position() + ((event.key.modifiers & kZafModifierShift) != 0 ? -1 : 1));
  }
};

TEST_F(WidgetKinds, AnApplicationsOwnClassGetsTheWidgetOfItsKindAndKeepsItsKeys) {
  ZafWindow window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 200, 200));
  auto* step = static_cast<CStepDial*>(window.Add(std::make_unique<CStepDial>()));
  step->SetRegion(ZafRegion::FromSize(10, 10, 30, 120));
  step->SetSlider(true);
  step->SetVertical(true);
  step->SetRange(0, 10);
  step->SetPosition(4);
  window.Add(std::make_unique<ZafButton>())->SetRegion(ZafRegion::FromSize(60, 10, 80, 24));
  m_application->WindowManager().Add(window);

  auto* slider = WidgetOf<QSlider>(*step);
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->orientation(), Qt::Vertical);
  EXPECT_EQ(slider->value(), 4);
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Tab);
  QTest::keyClick(slider, Qt::Key_Tab);
  QTest::keyClick(slider, Qt::Key_Backtab, Qt::ShiftModifier);
  Deliver();
  EXPECT_EQ(step->Position(), 5) << "the dial's Tab went to Qt's focus chain";
  EXPECT_EQ(slider->value(), 5);
  EXPECT_TRUE(slider->hasFocus());
  m_application->WindowManager().Subtract(window);
}

TEST_F(WidgetKinds, EveryWindowOfTheResourceFileHasAWidgetForEachObject) {
  const std::vector<std::string> names = m_storage.WindowNames();
  ASSERT_GE(names.size(), 10U);
  int checked = 0;
  for (const std::string& name : names) {
    ZafWindow& window = Show(name);
    ASSERT_TRUE(m_presenter->Realized(window)) << name;
    CheckTree(window, name, checked);
    m_application->WindowManager().Subtract(window);
    EXPECT_EQ(m_presenter->WidgetFor(window), nullptr) << name << " kept its widget after leaving";
  }
  EXPECT_GT(checked, 300);
}

TEST_F(WidgetKinds, HiddenAndDisabledObjectsAndQuickTipsCarryOver) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  ZafWindowObject& image = Find<ZafWindowObject>(main, "StylusImage");
  QWidget* widget = m_presenter->WidgetFor(image);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->toolTip(), Q(image.QuickTip()));
  EXPECT_FALSE(widget->toolTip().isEmpty());

  ZafButton& box = Find<ZafButton>(main, "EnableEraserCheckBox");
  box.SetDisabled(true);
  EXPECT_FALSE(m_presenter->WidgetFor(box)->isEnabled());
  box.SetVisible(false);
  EXPECT_TRUE(m_presenter->WidgetFor(box)->isHidden());
  box.SetQuickTip("Rubs out");
  EXPECT_EQ(m_presenter->WidgetFor(box)->toolTip(), "Rubs out");
}

TEST_F(WidgetKinds, ImagesUseTheColourTableAndKeepTransparency) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  auto& image = Find<ZafImage>(main, "StylusImage");
  ASSERT_GT(image.BitmapWidth(), 0);
  auto* label = WidgetOf<QLabel>(image);
  ASSERT_NE(label, nullptr);
  const QImage drawn = label->pixmap().toImage();
  ASSERT_EQ(drawn.width(), image.BitmapWidth());
  const ZafDisplay& display = m_application->Display();
  int compared = 0;
  for (int y = 0; y < image.BitmapHeight(); ++y) {
    for (int x = 0; x < image.BitmapWidth(); ++x) {
      const std::uint8_t index = image.Pixels()[static_cast<std::size_t>(y) * image.BitmapWidth() +
                                                static_cast<std::size_t>(x)];
      const QRgb got = drawn.pixel(x, y);
      if (index == 0xFF) {
        EXPECT_EQ(qAlpha(got), 0) << x << "," << y;
        continue;
      }
      const auto want = static_cast<int>(display.Colour(index));  // red in the low byte
      EXPECT_EQ(got, qRgb(want & 0xFF, (want >> 8) & 0xFF, (want >> 16) & 0xFF)) << x << "," << y;
      ++compared;
    }
  }
  EXPECT_GT(compared, 0);
}

TEST_F(WidgetKinds, NotebookPagesTakenOutAndPutBackFollowInTheTabs) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  auto& notebook = Find<ZafNotebook>(main, "TabsWindow");
  auto* tabs = WidgetOf<QTabWidget>(notebook);
  ASSERT_NE(tabs, nullptr);
  ASSERT_GE(notebook.PageCount(), 3U);
  const int before = tabs->count();
  ZafWindow* second = notebook.Page(1);
  const std::string label = second->PageText();
  StUserCalls calls;
  notebook.SetUserFunction(calls.Function());

  std::unique_ptr<ZafWindow> taken = notebook.RemovePage(*second);
  EXPECT_EQ(tabs->count(), before - 1);
  EXPECT_EQ(m_presenter->WidgetFor(*taken), nullptr);
  for (int i = 0; i < tabs->count(); ++i) EXPECT_NE(tabs->tabText(i), Q(label));

  notebook.RestorePage(std::move(taken));
  ASSERT_EQ(tabs->count(), before);
  EXPECT_EQ(tabs->tabText(1), Q(label));
  EXPECT_EQ(tabs->widget(1), m_presenter->WidgetFor(*notebook.Page(1)));

  notebook.SetTabDisabled(*notebook.Page(2), true);
  EXPECT_FALSE(tabs->isTabEnabled(2));
  notebook.Page(0)->SetPageText("Stylus");
  EXPECT_EQ(tabs->tabText(0), "Stylus");
  EXPECT_TRUE(calls.events.empty()) << "changes from code reached the user function";
}

}  // namespace
