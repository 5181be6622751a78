// Every window of the real resource file, shown through Qt: each object has
// the widget of its kind, showing the object's state; and what the presenter
// draws itself, with colours from the colour table, checked on the pixels of
// the grabbed widgets.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QImage>
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

#include "qt/QtFixture.h"
#include "toolkit/controls/CPressureTestWnd.h"
#include "toolkit/controls/CThumbnail.h"
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
#include "toolkit/qt/CQtThumbnailWidget.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

using QtDrawing = QtFixture;

QColor TableColour(const ZafDisplay& display, int index) {
  const std::uint32_t value = display.Colour(index);
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

class WidgetKinds : public QtFixture {
 protected:
  // What is wrong with the widget of this object; empty when nothing.
  std::string Check(ZafWindowObject& o) {
    QWidget* w = m_presenter->WidgetFor(o);
    if (o.WidgetKind() == ZafWidgetKind::kNone)
      return w == nullptr ? "" : "a decoration got a widget";
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
    // Tabs taken out, put back and relabelled are the notebook test's.
    if (auto* notebook = dynamic_cast<ZafNotebook*>(&o)) {
      auto* tabs = qobject_cast<QTabWidget*>(w);
      return tabs != nullptr && tabs->count() == static_cast<int>(notebook->PageCount()) &&
                     tabs->currentIndex() == notebook->CurrentIndex()
                 ? ""
                 : "tabs do not match pages";
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
    // A spin control's value is its field's, shown by the same spin box.
    if (dynamic_cast<ZafSpinControl*>(&o) != nullptr)
      return qobject_cast<QSpinBox*>(w) != nullptr ? "" : "no spin box";
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
    if (auto* list = dynamic_cast<ZafList*>(&o)) {
      auto* box = qobject_cast<QComboBox*>(w);
      auto* view = qobject_cast<QListWidget*>(w);
      const bool combo = dynamic_cast<ZafComboBox*>(&o) != nullptr;
      const int count = combo ? (box ? box->count() : -1) : (view ? view->count() : -1);
      return count == static_cast<int>(list->Count()) ? "" : "no list of its kind";
    }
    if (auto* scroll = dynamic_cast<ZafScrollBar*>(&o)) {
      auto* bar = qobject_cast<QAbstractSlider*>(w);
      const bool kind = scroll->IsSlider() ? qobject_cast<QSlider*>(w) != nullptr
                                           : qobject_cast<QScrollBar*>(w) != nullptr;
      if (!kind || bar == nullptr) return "wrong slider kind";
      const auto orientation = scroll->Vertical() ? Qt::Vertical : Qt::Horizontal;
      return bar->minimum() == scroll->Minimum() && bar->maximum() == scroll->Maximum() &&
                     bar->value() == scroll->Position() && bar->orientation() == orientation
                 ? ""
                 : "range, position or orientation differs";
    }
    if (dynamic_cast<ZafProgressBar*>(&o) != nullptr)
      return qobject_cast<QProgressBar*>(w) != nullptr ? "" : "no bar";
    // What an image draws is the image test's.
    if (dynamic_cast<ZafImage*>(&o) != nullptr)
      return qobject_cast<QLabel*>(w) != nullptr ? "" : "no picture label";
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
    if (dynamic_cast<CThumbnail*>(&o) != nullptr)
      return dynamic_cast<CQtThumbnailWidget*>(w) != nullptr ? "" : "no picture";
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

TEST_F(WidgetKinds, DisabledHiddenAndQuickTipsSetFromCodeCarryOver) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  ZafButton& box = Find<ZafButton>(main, "EnableEraserCheckBox");
  QWidget* widget = m_presenter->WidgetFor(box);
  box.SetDisabled(true);
  box.SetVisible(false);
  box.SetQuickTip("Rubs out");
  EXPECT_FALSE(widget->isEnabled());
  EXPECT_TRUE(widget->isHidden());
  EXPECT_EQ(widget->toolTip(), "Rubs out");
}

TEST_F(WidgetKinds, NotebookPagesTakenOutAndPutBackFollowInTheTabs) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  auto& notebook = Find<ZafNotebook>(main, "TabsWindow");
  auto* tabs = WidgetOf<QTabWidget>(notebook);
  ASSERT_GE(notebook.PageCount(), 3U);
  const int before = tabs->count();
  StUserCalls calls;
  notebook.SetUserFunction(calls.Function());

  std::unique_ptr<ZafWindow> taken = notebook.RemovePage(*notebook.Page(1));
  EXPECT_EQ(tabs->count(), before - 1);
  EXPECT_EQ(m_presenter->WidgetFor(*taken), nullptr);
  notebook.RestorePage(std::move(taken));
  ASSERT_EQ(tabs->count(), before);
  EXPECT_EQ(tabs->widget(1), m_presenter->WidgetFor(*notebook.Page(1)));
  notebook.Page(1)->SetPageText("Back again");
  EXPECT_EQ(tabs->tabText(1), "Back again");

  notebook.SetTabDisabled(*notebook.Page(2), true);
  EXPECT_FALSE(tabs->isTabEnabled(2));
  EXPECT_TRUE(calls.events.empty()) << "changes from code reached the user function";
}

TEST_F(QtDrawing, ImagesUseTheColourTableAndKeepTransparency) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  auto& image = Find<ZafImage>(main, "StylusImage");
  const QImage drawn = WidgetOf<QLabel>(image)->pixmap().toImage();
  ASSERT_EQ(drawn.size(), QSize(image.BitmapWidth(), image.BitmapHeight()));
  int transparent = 0;
  int wrong = 0;
  for (int i = 0; i < drawn.width() * drawn.height(); ++i) {
    const std::uint8_t index = image.Pixels()[static_cast<std::size_t>(i)];
    const QColor want =
        index == 0xFF ? QColor(Qt::transparent) : TableColour(m_application->Display(), index);
    transparent += index == 0xFF ? 1 : 0;
    wrong += drawn.pixelColor(i % drawn.width(), i / drawn.width()) == want ? 0 : 1;
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(transparent, 0) << "the picture shows no transparency to check";
}

TEST_F(QtDrawing, AThumbnailOutlinesItsRectanglesScaledInTheirColours) {
  ZafWindow window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 240, 160));
  auto* thumbnail = static_cast<CThumbnail*>(window.Add(std::make_unique<CThumbnail>()));
  thumbnail->SetRegion(ZafRegion::FromSize(10, 10, 200, 100));
  m_application->WindowManager().Add(window);
  // The caller's units are twice the control's pixels.
  thumbnail->SetExtent(400, 200);
  thumbnail->SetRectangles({{ZafRegion{40, 20, 199, 119}, 12}, {ZafRegion{200, 100, 399, 199}, 9}});
  const QImage picture = m_presenter->WidgetFor(*thumbnail)->grab().toImage();
  const ZafDisplay& display = m_application->Display();
  EXPECT_EQ(picture.pixelColor(20, 10), TableColour(display, 12)) << "first, top left";
  EXPECT_EQ(picture.pixelColor(99, 59), TableColour(display, 12)) << "first, bottom right";
  EXPECT_EQ(picture.pixelColor(100, 50), TableColour(display, 9)) << "second, top left";
  EXPECT_NE(picture.pixelColor(60, 35), TableColour(display, 12)) << "the inside is not filled";
  m_application->WindowManager().Subtract(window);
}

TEST_F(QtDrawing, ThePressureBarFillsItsShareOfTheWidth) {
  ZafWindow window;
  window.SetRegion(ZafRegion::FromSize(0, 0, 240, 60));
  auto* bar = static_cast<CPressureTestWnd*>(window.Add(std::make_unique<CPressureTestWnd>()));
  bar->SetRegion(ZafRegion::FromSize(10, 10, 202, 20));
  bar->SetColours(10, -1);
  m_application->WindowManager().Add(window);
  const QColor fill = TableColour(m_application->Display(), 10);
  // The pressure, and the last column filled inside the frame.
  for (const auto& [pressure, filledUpTo] : {std::pair{0, 0}, {512, 100}, {1023, 200}}) {
    bar->SetPressure(pressure, 1023);
    const QImage picture = m_presenter->WidgetFor(*bar)->grab().toImage();
    EXPECT_TRUE(filledUpTo == 0 || picture.pixelColor(filledUpTo, 10) == fill) << pressure;
    EXPECT_TRUE(filledUpTo == 200 || picture.pixelColor(filledUpTo + 2, 10) != fill) << pressure;
  }
  m_application->WindowManager().Subtract(window);
}

TEST_F(QtDrawing, ObjectColoursComeFromTheColourTable) {
  ZafWindow& main = Show("ConsumerCPLMainWindow");
  auto& prompt = Find<ZafPrompt>(main, "TipFeelLowPrompt");
  prompt.SetColours(12, 14);
  QWidget* label = m_presenter->WidgetFor(prompt);
  const ZafDisplay& display = m_application->Display();
  EXPECT_EQ(label->palette().color(QPalette::WindowText), TableColour(display, 12));
  EXPECT_EQ(label->grab().toImage().pixelColor(1, 1), TableColour(display, 14)) << "background";
}

}  // namespace
