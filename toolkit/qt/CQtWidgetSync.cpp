#include "toolkit/qt/CQtWidgetSync.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAction>
#include <QComboBox>
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
  return dynamic_cast<const ZafNotebook*>(object.Parent()) != nullptr;
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
      if (Placed(object, widget) && object.Region().Width() > 0 && object.Region().Height() > 0) {
        const ZafRegion& r = object.Region();
        widget.setGeometry(r.left, r.top, r.Width(), r.Height());
      }
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

void CQtWidgetSync::ApplyOwn(ZafWindowObject& object, StQtBinding& binding) {
  if (binding.action != nullptr) {
    const QSignalBlocker blocker(binding.action);
    binding.action->setText(Q(object.Text()));
    binding.action->setEnabled(!object.Disabled());
    binding.action->setVisible(object.Visible());
    binding.action->setToolTip(TipOf(object));
    if (auto* item = dynamic_cast<ZafPopUpItem*>(&object);
        item != nullptr && item->ButtonType() != ZafButtonType::kPush) {
      binding.action->setCheckable(true);
      binding.action->setChecked(item->Checked());
    }
    return;
  }
  QWidget* widget = binding.widget;
  if (widget == nullptr) return;
  const QSignalBlocker blocker(widget);

  if (auto* spin = dynamic_cast<ZafSpinControl*>(&object)) {
    if (auto* box = qobject_cast<QSpinBox*>(widget)) {
      box->setRange(spin->Minimum(), spin->Maximum());
      box->setSingleStep(spin->Delta());
      if (const ZafInteger* field = spin->Field()) box->setValue(field->IntegerValue());
    }
  } else if (auto* integer = dynamic_cast<ZafInteger*>(&object)) {
    if (auto* box = qobject_cast<QSpinBox*>(widget)) {
      box->setValue(integer->IntegerValue());
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget);
               edit != nullptr && edit->text() != Q(integer->Text())) {
      edit->setText(Q(integer->Text()));
    }
  } else if (auto* field = dynamic_cast<ZafString*>(&object)) {
    const QString text = Q(field->Text());
    const int caret = ToQtPosition(field->Text(), field->CaretPosition());
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      edit->setReadOnly(field->ReadOnly());
      if (edit->text() != text) edit->setText(text);
      edit->setCursorPosition(caret);
    } else if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) {
      area->setReadOnly(field->ReadOnly());
      if (area->toPlainText() != text) area->setPlainText(text);
      QTextCursor cursor = area->textCursor();
      cursor.setPosition(std::min(caret, static_cast<int>(area->toPlainText().size())));
      area->setTextCursor(cursor);
    }
  } else if (auto* button = dynamic_cast<ZafButton*>(&object)) {
    if (auto* abstract = qobject_cast<QAbstractButton*>(widget)) {
      abstract->setText(Q(button->Text()));
      if (abstract->isCheckable()) abstract->setChecked(button->Checked());
    }
  } else if (auto* list = dynamic_cast<ZafList*>(&object)) {
    ApplyList(*list, *widget);
  } else if (auto* slider = dynamic_cast<ZafScrollBar*>(&object)) {
    if (auto* bar = qobject_cast<QAbstractSlider*>(widget)) {
      bar->setOrientation(slider->Vertical() ? Qt::Vertical : Qt::Horizontal);
      bar->setRange(slider->Minimum(), slider->Maximum());
      bar->setSingleStep(slider->Step());
      bar->setPageStep(slider->Step());
      bar->setValue(slider->Position());
    }
  } else if (auto* progress = dynamic_cast<ZafProgressBar*>(&object)) {
    if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
      bar->setRange(progress->Minimum(), progress->Maximum());
      bar->setValue(progress->Current());
      const auto* own = dynamic_cast<CProgressBar*>(progress);
      bar->setTextVisible(own != nullptr && own->ShowPercent());
    }
  } else if (auto* notebook = dynamic_cast<ZafNotebook*>(&object)) {
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) ApplyNotebook(*notebook, *tabs);
  } else if (auto* image = dynamic_cast<ZafImage*>(&object)) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setPixmap(QPixmap::fromImage(
          CQtPicture::Image(image->BitmapWidth(), image->BitmapHeight(), image->Pixels())));
    }
  } else if (auto* prompt = dynamic_cast<ZafPrompt*>(&object)) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(Q(prompt->Text()));
      label->setAlignment(AlignmentOf(prompt->Alignment()));
    }
  } else if (qobject_cast<QGroupBox*>(widget) != nullptr) {
    qobject_cast<QGroupBox*>(widget)->setTitle(Q(object.Text()));
  }
  if (auto* scroll = dynamic_cast<CScrollWindow*>(&object)) {
    if (auto* area = qobject_cast<QScrollArea*>(widget)) {
      const QSignalBlocker horizontal(area->horizontalScrollBar());
      const QSignalBlocker vertical(area->verticalScrollBar());
      area->horizontalScrollBar()->setValue(scroll->ScrollX());
      area->verticalScrollBar()->setValue(scroll->ScrollY());
    }
  }
  // A page's label lives on its notebook's tab.
  if (IsPage(object)) {
    if (StQtBinding* notebook = m_bindings.Find(object.Parent()))
      ApplyOwn(*object.Parent(), *notebook);
  }
}

void CQtWidgetSync::ApplyMenu(ZafWindowObject& object, StQtBinding& binding) {
  if (auto* menu = dynamic_cast<ZafPopUpMenu*>(&object)) {
    auto* popup = qobject_cast<QMenu*>(binding.widget);
    if (popup == nullptr) return;
    const QSignalBlocker blocker(popup);
    if (menu->Open() && !popup->isVisible()) {
      // Drop down from the control that owns the menu, as a menu button does.
      QWidget* anchor = m_bindings.WidgetFor(object.Parent());
      const QPoint at =
          anchor != nullptr ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QCursor::pos();
      popup->popup(at);
    } else if (!menu->Open() && popup->isVisible()) {
      popup->hide();
    }
  } else if (auto* combo = dynamic_cast<ZafComboBox*>(&object)) {
    auto* box = qobject_cast<QComboBox*>(binding.widget);
    if (box == nullptr) return;
    const bool shown = box->view() != nullptr && box->view()->isVisible();
    if (combo->ListOpen() && !shown)
      box->showPopup();
    else if (!combo->ListOpen() && shown)
      box->hidePopup();
  }
}
