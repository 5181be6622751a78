#include "toolkit/qt/CQtScreenCheck.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>

#include "toolkit/ZafWindow.h"
#include "toolkit/automation/ZafAutomationDriver.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafList.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafString.h"
#include "toolkit/qt/CQtWidgetSync.h"
#include "toolkit/qt/ZafQtPresenter.h"

namespace {

std::string Quote(const QString& text) { return "\"" + text.toStdString() + "\""; }
std::string YesNo(bool yes) { return yes ? "yes" : "no"; }

// The text a user reads on the widget; nullopt-like empty flag when it shows none.
bool ShownText(const ZafWindowObject& object, QWidget& widget, QString& out) {
  if (object.Parent() == nullptr) out = widget.windowTitle();
  else if (auto* label = qobject_cast<QLabel*>(&widget); label != nullptr && object.WidgetKind() == ZafWidgetKind::kPrompt)
    out = label->text();
  else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) out = button->text();
  else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) out = edit->text();
  else if (auto* area = qobject_cast<QPlainTextEdit*>(&widget)) out = area->toPlainText();
  else if (auto* combo = qobject_cast<QComboBox*>(&widget)) out = combo->currentText();
  else if (auto* group = qobject_cast<QGroupBox*>(&widget)) out = group->title();
  else if (auto* tabs = qobject_cast<QTabWidget*>(&widget)) out = tabs->tabText(tabs->currentIndex());
  else return false;
  return true;
}

// The number a user reads off the widget, for the kinds whose toolkit value
// is that number.
bool ShownValue(const ZafWindowObject& object, QWidget& widget, int& out) {
  switch (object.WidgetKind()) {
    case ZafWidgetKind::kScrollBar:
      if (auto* bar = qobject_cast<QAbstractSlider*>(&widget)) return out = bar->value(), true;
      return false;
    case ZafWidgetKind::kProgress:
      if (auto* bar = qobject_cast<QProgressBar*>(&widget)) return out = bar->value(), true;
      return false;
    case ZafWidgetKind::kSpin:
      if (auto* box = qobject_cast<QSpinBox*>(&widget)) return out = box->value(), true;
      return false;
    case ZafWidgetKind::kNotebook:
      if (auto* tabs = qobject_cast<QTabWidget*>(&widget)) return out = tabs->currentIndex(), true;
      return false;
    case ZafWidgetKind::kButton:
      if (auto* button = qobject_cast<QAbstractButton*>(&widget); button != nullptr && button->isCheckable())
        return out = button->isChecked() ? 1 : 0, true;
      return false;
    default: return false;
  }
}

int ShownIndex(QWidget& widget) {
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) return combo->currentIndex();
  if (auto* view = qobject_cast<QListWidget*>(&widget)) return view->currentRow();
  return -2;
}

QStringList ShownEntries(QWidget& widget) {
  QStringList entries;
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
  } else if (auto* view = qobject_cast<QListWidget*>(&widget)) {
    for (int i = 0; i < view->count(); ++i) entries << view->item(i)->text();
  }
  return entries;
}

}  // namespace

std::string CQtScreenCheck::Disagreement(ZafWindowObject& object, ZafCheck check) const {
  if (QAction* action = m_presenter.ActionFor(object)) {
    if (check == ZafCheck::kEnabled && action->isEnabled() != !object.Disabled()) return YesNo(action->isEnabled());
    if (check == ZafCheck::kText && action->text().toStdString() != object.ShownText()) return Quote(action->text());
    return {};
  }
  QWidget* widget = m_presenter.WidgetFor(object);
  if (widget == nullptr) return {};
  switch (check) {
    case ZafCheck::kVisible:
      // The object's own flag; pages and windows are shown by their notebook and the window manager.
      if (object.Parent() != nullptr && object.Parent()->WidgetKind() != ZafWidgetKind::kNotebook &&
          widget->isHidden() == object.Visible()) {
        return widget->isHidden() ? "it hidden" : "it";
      }
      return {};
    case ZafCheck::kEnabled: {
      if (object.Parent() == nullptr) return {};
      // A page counts as disabled with its tab.
      const ZafWindowObject* parent = object.Parent();
      const bool tabOff = parent->WidgetKind() == ZafWidgetKind::kNotebook &&
                          static_cast<const ZafNotebook*>(parent)->TabDisabled(static_cast<ZafWindow&>(object));
      const bool enabled = !object.EffectivelyDisabled() && !tabOff;
      return widget->isEnabled() == enabled ? std::string{} : (widget->isEnabled() ? "it enabled" : "it disabled");
    }
    case ZafCheck::kText: {
      QString text;
      if (!ShownText(object, *widget, text) || text.toStdString() == object.ShownText()) return {};
      return Quote(text);
    }
    case ZafCheck::kValue: {
      int value = 0;
      if (ShownValue(object, *widget, value)) {
        return value == object.ShownValue() ? std::string{} : std::to_string(value);
      }
      const int index = ShownIndex(*widget);
      if (index == -2) return {};
      const int selected = static_cast<ZafList&>(object).Selection();
      return index == selected ? std::string{} : "entry " + std::to_string(index) + " chosen";
    }
    case ZafCheck::kChecked: {
      auto* button = qobject_cast<QAbstractButton*>(widget);
      if (button == nullptr || !button->isCheckable()) return {};
      return button->isChecked() == (object.ShownValue() != 0) ? std::string{} : YesNo(button->isChecked());
    }
    case ZafCheck::kEntries: {
      if (object.WidgetKind() != ZafWidgetKind::kComboBox && object.WidgetKind() != ZafWidgetKind::kList) return {};
      const QStringList shown = ShownEntries(*widget);
      QStringList held;
      for (const ZafListEntry& entry : static_cast<ZafList&>(object).Entries()) held << QString::fromStdString(entry.text);
      return shown == held ? std::string{} : Quote(shown.join("\", \""));
    }
    case ZafCheck::kOpen: {
      bool open = false;
      if (auto* menu = qobject_cast<QMenu*>(widget)) open = menu->isVisible();
      else if (auto* combo = qobject_cast<QComboBox*>(widget)) open = combo->view() != nullptr && combo->view()->isVisible();
      else return {};
      return open == object.ShownOpen() ? std::string{} : "it " + std::string(open ? "open" : "closed");
    }
    case ZafCheck::kCaret: {
      const auto& field = static_cast<ZafString&>(object);
      const int caret = CQtWidgetSync::ToQtPosition(field.Text(), field.CaretPosition());
      int shown = caret;
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) shown = edit->cursorPosition();
      else if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) shown = area->textCursor().position();
      return shown == caret ? std::string{} : "the caret at " + std::to_string(shown);
    }
    case ZafCheck::kRegion: {
      if (object.Parent() != nullptr) return {};
      const ZafRegion& r = object.Region();
      if (widget->pos() == QPoint(r.left, r.top) && widget->size() == QSize(r.Width(), r.Height())) return {};
      return std::to_string(widget->x()) + " " + std::to_string(widget->y()) + " " + std::to_string(widget->width()) +
             " " + std::to_string(widget->height());
    }
    case ZafCheck::kPointer: {
      if (object.Parent() != nullptr) return {};
      const bool hidden = widget->cursor().shape() == Qt::BlankCursor;
      if (hidden != static_cast<ZafWindow&>(object).PointerHidden()) return hidden ? "hidden" : "shown";
      // No widget in the window may show a pointer of its own while it is hidden.
      for (QWidget* child : widget->findChildren<QWidget*>()) {
        if (hidden && child->testAttribute(Qt::WA_SetCursor) && child->cursor().shape() != Qt::BlankCursor)
          return "shown over " + child->objectName().toStdString();
      }
      return {};
    }
    case ZafCheck::kFocused:
    case ZafCheck::kPicture: return {};
  }
  return {};
}
