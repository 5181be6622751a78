#include "toolkit/qt/CQtWidgetSync.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/controls/CProgressBar.h"
#include "toolkit/controls/CScrollWindow.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafImage.h"
#include "toolkit/controls/ZafInteger.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafPopUpMenu.h"
#include "toolkit/controls/ZafPrompt.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafString.h"
#include "toolkit/qt/CQtBindings.h"
#include "toolkit/qt/CQtPicture.h"

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

bool IsPage(const ZafWindowObject& object) {
  return object.Parent() != nullptr && object.Parent()->WidgetKind() == ZafWidgetKind::kNotebook;
}

// Whether the object's own region and visibility place its widget: not so for
// top-level windows (the window manager), pages (their tabs) and menus (they pop up).
bool Placed(const ZafWindowObject& object, const QWidget& widget) {
  return object.Parent() != nullptr && !IsPage(object) &&
         qobject_cast<const QMenu*>(&widget) == nullptr;
}

QString TipOf(const ZafWindowObject& object) {
  if (ZafApplication* application = ZafApplication::Get())
    return Q(application->WrapHelpTip(object.QuickTip()));
  return Q(object.QuickTip());
}

Qt::Alignment AlignmentOf(ZafAlignment alignment) {
  switch (alignment) {
    case ZafAlignment::kCenter: return Qt::AlignHCenter | Qt::AlignTop;
    case ZafAlignment::kRight: return Qt::AlignRight | Qt::AlignTop;
    case ZafAlignment::kLeft: break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

void ApplyColours(const ZafWindowObject& object, QWidget& widget) {
  const QColor foreground = CQtPicture::Colour(object.Foreground());
  const QColor background = CQtPicture::Colour(object.Background());
  if (!foreground.isValid() && !background.isValid()) return;
  QPalette palette = widget.palette();
  if (foreground.isValid()) {
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      palette.setColor(role, foreground);
  }
  if (background.isValid()) {
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
      palette.setColor(role, background);
    widget.setAutoFillBackground(true);
  }
  widget.setPalette(palette);
}

void ApplyList(const ZafList& list, QWidget& widget) {
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    bool same = combo->count() == static_cast<int>(list.Count());
    for (int i = 0; same && i < combo->count(); ++i)
      same = combo->itemText(i) == Q(list.Entries()[static_cast<std::size_t>(i)].text);
    if (!same) {
      combo->clear();
      for (const ZafListEntry& entry : list.Entries()) combo->addItem(Q(entry.text));
    }
    combo->setCurrentIndex(list.Selection());
  } else if (auto* view = qobject_cast<QListWidget*>(&widget)) {
    bool same = view->count() == static_cast<int>(list.Count());
    for (int i = 0; same && i < view->count(); ++i)
      same = view->item(i)->text() == Q(list.Entries()[static_cast<std::size_t>(i)].text);
    if (!same) {
      view->clear();
      for (const ZafListEntry& entry : list.Entries()) view->addItem(Q(entry.text));
    }
    view->setCurrentRow(list.Selection());
  }
}

void ApplyNotebook(const ZafNotebook& notebook, QTabWidget& tabs) {
  const int count = std::min(tabs.count(), static_cast<int>(notebook.PageCount()));
  for (int i = 0; i < count; ++i) {
    const ZafWindow* page = notebook.Page(static_cast<std::size_t>(i));
    tabs.setTabText(i, Q(page->PageText()));
    tabs.setTabEnabled(i, !notebook.TabDisabled(*page));
    tabs.setTabToolTip(i, TipOf(*page));
  }
  if (notebook.CurrentIndex() >= 0 && notebook.CurrentIndex() < tabs.count())
    tabs.setCurrentIndex(notebook.CurrentIndex());
}

}  // namespace

int CQtWidgetSync::ToQtPosition(const std::string& text, int bytes) {
  bytes = std::clamp(bytes, 0, static_cast<int>(text.size()));
  return static_cast<int>(QString::fromUtf8(text.data(), bytes).size());
}

int CQtWidgetSync::ToBytes(const QString& text, int position) {
  return static_cast<int>(text.left(position).toUtf8().size());
}

void CQtWidgetSync::Apply(ZafWindowObject& object, ZafChange change) {
  StQtBinding* binding = m_bindings.Find(&object);
  if (binding == nullptr) return;
  if (change == ZafChange::kMenu) {
    ApplyMenu(object, *binding);
    return;
  }
  if (binding->action == nullptr && binding->widget != nullptr && !binding->shared) {
    ApplyCommon(object, *binding->widget, change);
  }
  if (change != ZafChange::kRegion && change != ZafChange::kFocus &&
      change != ZafChange::kVisibility) {
    ApplyOwn(object, *binding);
  }
}

void CQtWidgetSync::ApplyAll(ZafWindowObject& object) {
  StQtBinding* binding = m_bindings.Find(&object);
  if (binding == nullptr) return;
  if (binding->action == nullptr && binding->widget != nullptr && !binding->shared) {
    for (ZafChange change :
         {ZafChange::kText, ZafChange::kQuickTip, ZafChange::kDisabled, ZafChange::kDrawing}) {
      ApplyCommon(object, *binding->widget, change);
    }
    ApplyCommon(object, *binding->widget, ZafChange::kRegion);
    ApplyCommon(object, *binding->widget, ZafChange::kVisibility);
  }
  ApplyOwn(object, *binding);
}

void CQtWidgetSync::ApplyCommon(ZafWindowObject& object, QWidget& widget, ZafChange change) {
  const QSignalBlocker blocker(&widget);
  const bool topLevel = object.Parent() == nullptr;
  switch (change) {
    case ZafChange::kText:
      if (topLevel) widget.setWindowTitle(Q(object.Text()));
      break;
    case ZafChange::kQuickTip: widget.setToolTip(TipOf(object)); break;
    case ZafChange::kVisibility:
      if (Placed(object, widget)) widget.setVisible(object.Visible());
      break;
    case ZafChange::kDisabled: widget.setEnabled(!object.Disabled()); break;
    case ZafChange::kRegion:
      if (topLevel && object.WidgetKind() == ZafWidgetKind::kWindow) {
        ApplyWindowGeometry(static_cast<ZafWindow&>(object), widget);
      } else if (Placed(object, widget) && object.Region().Width() > 0 && object.Region().Height() > 0) {
        const ZafRegion& r = object.Region();
        widget.setGeometry(r.left, r.top, r.Width(), r.Height());
      }
      break;
    case ZafChange::kFrame:
      if (topLevel && object.WidgetKind() == ZafWidgetKind::kWindow) {
        const bool shown = widget.isVisible();
        widget.setWindowFlag(Qt::FramelessWindowHint, static_cast<ZafWindow&>(object).Frameless());
        // Changing a window's flags takes it off the screen.
        if (shown) widget.show();
      }
      break;
    case ZafChange::kPointer:
      if (topLevel && object.WidgetKind() == ZafWidgetKind::kWindow)
        ApplyPointer(static_cast<ZafWindow&>(object), widget);
      break;
    case ZafChange::kDrawing:
      ApplyColours(object, widget);
      widget.update();
      break;
    case ZafChange::kFocus:
      if (object.HasFocus() && !widget.hasFocus()) widget.setFocus(Qt::OtherFocusReason);
      break;
    default: break;
  }
}

void CQtWidgetSync::ApplyWindowGeometry(const ZafWindow& window, QWidget& top) {
  const ZafRegion& r = window.Region();
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const QRect wanted(r.left, r.top, r.Width(), r.Height());
  // A window belongs to the screen its region lies on (the one that holds
  // its centre), so one that covers a screen lands on that screen.
  if (QScreen* screen = QGuiApplication::screenAt(wanted.center()); screen != nullptr && screen != top.screen())
    top.setScreen(screen);
  if (window.Sizeable()) {
    top.setMinimumSize(0, 0);
    top.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (top.size() != wanted.size()) top.resize(wanted.size());
  } else {
    top.setFixedSize(wanted.size());
  }
  // The left-top corner is the frame's (what the window system moves), the
  // size the inside's: both read back the same way they are set.
  if (top.pos() != wanted.topLeft()) top.move(wanted.topLeft());
}

void CQtWidgetSync::ApplyPointer(const ZafWindow& window, QWidget& top) {
  static constexpr char kHidden[] = "kelvoPointerHidden";
  static constexpr char kOwnCursor[] = "kelvoOwnCursor";
  QList<QWidget*> widgets = top.findChildren<QWidget*>();
  widgets.prepend(&top);
  for (QWidget* widget : widgets) {
    const bool hiddenHere = widget->property(kHidden).toBool();
    if (window.PointerHidden() && !hiddenHere) {
      // Widgets with a pointer of their own (fields, capture areas) hide it too.
      const bool own = widget->testAttribute(Qt::WA_SetCursor);
      if (widget != &top && !own) continue;
      if (own) widget->setProperty(kOwnCursor, QVariant::fromValue(widget->cursor()));
      widget->setProperty(kHidden, true);
      widget->setCursor(Qt::BlankCursor);
    } else if (!window.PointerHidden() && hiddenHere) {
      const QVariant own = widget->property(kOwnCursor);
      if (own.isValid()) widget->setCursor(own.value<QCursor>());
      else widget->unsetCursor();
      widget->setProperty(kHidden, QVariant());
      widget->setProperty(kOwnCursor, QVariant());
    }
  }
}

void CQtWidgetSync::ApplyOwn(ZafWindowObject& object, StQtBinding& binding) {
  if (binding.action != nullptr) {
    const QSignalBlocker blocker(binding.action);
    binding.action->setText(Q(object.Text()));
    binding.action->setEnabled(!object.Disabled());
    binding.action->setVisible(object.Visible());
    binding.action->setToolTip(TipOf(object));
    if (auto& item = static_cast<ZafPopUpItem&>(object); item.ButtonType() != ZafButtonType::kPush) {
      binding.action->setCheckable(true);
      binding.action->setChecked(item.Checked());
    }
    return;
  }
  QWidget* widget = binding.widget;
  if (widget == nullptr) return;
  const QSignalBlocker blocker(widget);
  // Each kind's objects derive from the class its kind names (ZafWidgetKind.h).
  switch (object.WidgetKind()) {
    case ZafWidgetKind::kSpin: ShowSpin(static_cast<ZafSpinControl&>(object), *widget); break;
    case ZafWidgetKind::kIntegerField: {
      const auto& integer = static_cast<ZafInteger&>(object);
      // A spin control's field is shown by the spin box.
      if (auto* box = qobject_cast<QSpinBox*>(widget)) box->setValue(integer.IntegerValue());
      else if (auto* edit = qobject_cast<QLineEdit*>(widget); edit != nullptr && edit->text() != Q(integer.Text()))
        edit->setText(Q(integer.Text()));
      break;
    }
    case ZafWidgetKind::kTextField: ShowField(static_cast<ZafString&>(object), *widget); break;
    case ZafWidgetKind::kButton:
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(Q(object.Text()));
        if (button->isCheckable()) button->setChecked(static_cast<ZafButton&>(object).Checked());
      }
      break;
    case ZafWidgetKind::kComboBox:
    case ZafWidgetKind::kList: ApplyList(static_cast<ZafList&>(object), *widget); break;
    case ZafWidgetKind::kScrollBar:
      if (auto* bar = qobject_cast<QAbstractSlider*>(widget)) {
        const auto& slider = static_cast<ZafScrollBar&>(object);
        bar->setOrientation(slider.Vertical() ? Qt::Vertical : Qt::Horizontal);
        bar->setRange(slider.Minimum(), slider.Maximum());
        bar->setSingleStep(slider.Step());
        bar->setPageStep(slider.Step());
        bar->setValue(slider.Position());
      }
      break;
    case ZafWidgetKind::kProgress:
      if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
        const auto& progress = static_cast<ZafProgressBar&>(object);
        bar->setRange(progress.Minimum(), progress.Maximum());
        bar->setValue(progress.Current());
        bar->setTextVisible(progress.ShowPercent());
      }
      break;
    case ZafWidgetKind::kNotebook:
      if (auto* tabs = qobject_cast<QTabWidget*>(widget)) ApplyNotebook(static_cast<ZafNotebook&>(object), *tabs);
      break;
    case ZafWidgetKind::kImage:
      if (auto* label = qobject_cast<QLabel*>(widget)) {
        const auto& image = static_cast<ZafImage&>(object);
        label->setPixmap(
            QPixmap::fromImage(CQtPicture::Image(image.BitmapWidth(), image.BitmapHeight(), image.Pixels())));
      }
      break;
    case ZafWidgetKind::kPrompt:
      if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(Q(object.Text()));
        label->setAlignment(AlignmentOf(static_cast<ZafPrompt&>(object).Alignment()));
      }
      break;
    case ZafWidgetKind::kGroup:
      if (auto* group = qobject_cast<QGroupBox*>(widget)) group->setTitle(Q(object.Text()));
      break;
    case ZafWidgetKind::kScrollWindow:
      if (auto* area = qobject_cast<QScrollArea*>(widget)) {
        const auto& scroll = static_cast<CScrollWindow&>(object);
        const QSignalBlocker horizontal(area->horizontalScrollBar());
        const QSignalBlocker vertical(area->verticalScrollBar());
        area->horizontalScrollBar()->setValue(scroll.ScrollX());
        area->verticalScrollBar()->setValue(scroll.ScrollY());
      }
      break;
    default: break;
  }
  // A page's label lives on its notebook's tab.
  if (IsPage(object)) {
    if (StQtBinding* notebook = m_bindings.Find(object.Parent())) ApplyOwn(*object.Parent(), *notebook);
  }
}

void CQtWidgetSync::ShowSpin(const ZafSpinControl& spin, QWidget& widget) {
  if (auto* box = qobject_cast<QSpinBox*>(&widget)) {
    box->setRange(spin.Minimum(), spin.Maximum());
    box->setSingleStep(spin.Delta());
    if (const ZafInteger* field = spin.Field()) box->setValue(field->IntegerValue());
  }
}

void CQtWidgetSync::ShowField(const ZafString& field, QWidget& widget) {
  const QString text = Q(field.Text());
  const int caret = ToQtPosition(field.Text(), field.CaretPosition());
  if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    edit->setReadOnly(field.ReadOnly());
    if (edit->text() != text) edit->setText(text);
    edit->setCursorPosition(caret);
  } else if (auto* area = qobject_cast<QPlainTextEdit*>(&widget)) {
    area->setReadOnly(field.ReadOnly());
    if (area->toPlainText() != text) area->setPlainText(text);
    QTextCursor cursor = area->textCursor();
    cursor.setPosition(std::min(caret, static_cast<int>(area->toPlainText().size())));
    area->setTextCursor(cursor);
  }
}

void CQtWidgetSync::ApplyMenu(ZafWindowObject& object, StQtBinding& binding) {
  if (object.WidgetKind() == ZafWidgetKind::kMenu) {
    auto* popup = qobject_cast<QMenu*>(binding.widget);
    if (popup == nullptr) return;
    const QSignalBlocker blocker(popup);
    const bool open = object.ShownOpen();
    if (open && !popup->isVisible()) {
      // Drop down from the control that owns the menu, as a menu button does.
      QWidget* anchor = m_bindings.WidgetFor(object.Parent());
      const QPoint at =
          anchor != nullptr ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QCursor::pos();
      popup->popup(at);
    } else if (!open && popup->isVisible()) {
      popup->hide();
    }
  } else if (object.WidgetKind() == ZafWidgetKind::kComboBox) {
    auto* box = qobject_cast<QComboBox*>(binding.widget);
    if (box == nullptr) return;
    const bool shown = box->view() != nullptr && box->view()->isVisible();
    if (object.ShownOpen() && !shown)
      box->showPopup();
    else if (!object.ShownOpen() && shown)
      box->hidePopup();
  }
}
