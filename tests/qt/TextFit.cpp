#include "qt/TextFit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <climits>

namespace {

std::string PathOf(const QWidget& widget, const QWidget& top) {
  std::string path;
  for (const QWidget* at = &widget; at != nullptr; at = at->parentWidget()) {
    if (!at->objectName().isEmpty())
      path = at->objectName().toStdString() + (path.empty() ? "" : "/" + path);
    if (at == &top) break;
  }
  return path;
}

// The text a button shows: its mnemonic marks are not drawn.
QString Shown(QString text) {
  return text.remove(QRegularExpression("&(?!&)"));
}

void Note(std::vector<StCutText>& cut, const QWidget& widget, const QWidget& top,
          const QString& text, int needed, int available) {
  if (needed > available)
    cut.push_back({PathOf(widget, top), text.toStdString(), needed, available});
}

void CheckLabel(const QLabel& label, const QWidget& top, std::vector<StCutText>& cut) {
  if (label.text().isEmpty() || !label.pixmap().isNull()) return;
  const QFontMetrics metrics(label.font());
  const QRect room = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(),
                                                   -label.margin());
  if (!label.wordWrap())
    return Note(cut, label, top, label.text(), metrics.horizontalAdvance(label.text()),
                room.width());
  const QRect needed =
      metrics.boundingRect(QRect(0, 0, room.width(), INT_MAX / 2),
                           static_cast<int>(label.alignment()) | Qt::TextWordWrap, label.text());
  Note(cut, label, top, label.text(), needed.width(), room.width());
  Note(cut, label, top, label.text(), needed.height(), room.height());
}

void CheckButton(const QAbstractButton& button, const QWidget& top, std::vector<StCutText>& cut) {
  const QString text = Shown(button.text());
  if (text.isEmpty()) return;
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = text;
  QStyle::SubElement contents = QStyle::SE_PushButtonContents;
  if (qobject_cast<const QCheckBox*>(&button) != nullptr) contents = QStyle::SE_CheckBoxContents;
  if (qobject_cast<const QRadioButton*>(&button) != nullptr)
    contents = QStyle::SE_RadioButtonContents;
  const QRect room = button.style()->subElementRect(contents, &option, &button);
  Note(cut, button, top, text, QFontMetrics(button.font()).horizontalAdvance(text), room.width());
}

void CheckGroup(const QGroupBox& group, const QWidget& top, std::vector<StCutText>& cut) {
  if (group.title().isEmpty()) return;
  QStyleOptionGroupBox option;
  option.initFrom(&group);
  option.text = group.title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  const QRect label =
      group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group);
  Note(cut, group, top, group.title(), label.right() + 1, group.width());
}

void CheckCombo(const QComboBox& combo, const QWidget& top, std::vector<StCutText>& cut) {
  QStyleOptionComboBox option;
  option.initFrom(&combo);
  option.editable = combo.isEditable();
  const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, &combo);
  const QFontMetrics metrics(combo.font());
  // Any entry may be the one chosen and shown in the closed box.
  for (int i = 0; i < combo.count(); ++i)
    Note(cut, combo, top, combo.itemText(i), metrics.horizontalAdvance(combo.itemText(i)),
         field.width());
}

void CheckField(const QLineEdit& field, const QWidget& top, std::vector<StCutText>& cut) {
  if (field.text().isEmpty()) return;
  const int frame = field.hasFrame() ? 2 * field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                      nullptr, &field)
                                     : 0;
  // A line edit keeps two pixels on each side of its text.
  const int room =
      field.width() - frame - 4 - field.textMargins().left() - field.textMargins().right();
  Note(cut, field, top, field.text(), QFontMetrics(field.font()).horizontalAdvance(field.text()),
       room);
}

void CheckText(const QPlainTextEdit& text, const QWidget& top, std::vector<StCutText>& cut) {
  const QScrollBar* bar = text.verticalScrollBar();
  if (bar == nullptr || text.toPlainText().isEmpty()) return;
  Note(cut, text, top, text.toPlainText(), bar->maximum(), 0);
}

void CheckTabs(const QTabWidget& tabs, const QWidget& top, std::vector<StCutText>& cut) {
  const QTabBar* bar = tabs.tabBar();
  QString all;
  for (int i = 0; i < bar->count(); ++i) all += (i > 0 ? " | " : "") + bar->tabText(i);
  Note(cut, tabs, top, all, bar->sizeHint().width(), tabs.width());
}

}  // namespace

std::vector<StCutText> FindCutTexts(QWidget& top) {
  std::vector<StCutText> cut;
  QList<QWidget*> widgets = top.findChildren<QWidget*>();
  widgets.prepend(&top);
  for (const QWidget* widget : widgets) {
    if (widget != &top && !widget->isVisibleTo(&top)) continue;
    if (const auto* label = qobject_cast<const QLabel*>(widget))
      CheckLabel(*label, top, cut);
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
      CheckButton(*button, top, cut);
    else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
      CheckGroup(*group, top, cut);
    else if (const auto* combo = qobject_cast<const QComboBox*>(widget))
      CheckCombo(*combo, top, cut);
    else if (const auto* field = qobject_cast<const QLineEdit*>(widget))
      CheckField(*field, top, cut);
    else if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget))
      CheckText(*text, top, cut);
    else if (const auto* tabs = qobject_cast<const QTabWidget*>(widget))
      CheckTabs(*tabs, top, cut);
  }
  return cut;
}
