// Every window of the real resource file, in every language it has strings
// for, shown through Qt as the applet shows it: no text may be cut, be it a
// label that wraps past its height, a button, box or tab whose text is wider
// than the room the style leaves for it, or a combo box entry wider than its
// field.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <cctype>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/applet/CUserPersist.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "support/BuildPaths.h"
#include "support/CRecordingDriverInterface.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/data/ZafLanguageData.h"
#include "toolkit/qt/ZafQtPresenter.h"
#include "toolkit/qt/ZafQtStartup.h"
#include "toolkit/storage/ZafStorage.h"
#include "views/ControlIds.h"

namespace {

// The text a button shows: its mnemonic marks are not drawn.
QString Shown(QString text) {
  return text.remove(QRegularExpression("&(?!&)"));
}

// `needed` and `available` are pixels: a width, or a height when the text wraps.
void Note(std::vector<std::string>& cut, const QWidget& widget, const QWidget& top,
          const QString& text, int needed, int available) {
  if (needed <= available) return;
  const QWidget* named = &widget;  // a part of a control names the control
  while (named->objectName().isEmpty() && named != &top) named = named->parentWidget();
  cut.push_back((top.objectName() + "/" + named->objectName()).toStdString() + ": \"" +
                text.toStdString() + "\" needs " + std::to_string(needed) + " px, has " +
                std::to_string(available));
}

void CheckLabel(const QLabel& label, const QWidget& top, std::vector<std::string>& cut) {
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

void CheckButton(const QAbstractButton& button, const QWidget& top, std::vector<std::string>& cut) {
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

void CheckGroup(const QGroupBox& group, const QWidget& top, std::vector<std::string>& cut) {
  if (group.title().isEmpty()) return;
  QStyleOptionGroupBox option;
  option.initFrom(&group);
  option.text = group.title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  const QRect label =
      group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group);
  Note(cut, group, top, group.title(), label.right() + 1, group.width());
}

void CheckCombo(const QComboBox& combo, const QWidget& top, std::vector<std::string>& cut) {
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

void CheckField(const QLineEdit& field, const QWidget& top, std::vector<std::string>& cut) {
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

void CheckText(const QPlainTextEdit& text, const QWidget& top, std::vector<std::string>& cut) {
  const QScrollBar* bar = text.verticalScrollBar();
  if (bar == nullptr || text.toPlainText().isEmpty()) return;
  Note(cut, text, top, text.toPlainText(), bar->maximum(), 0);
}

void CheckTabs(const QTabWidget& tabs, const QWidget& top, std::vector<std::string>& cut) {
  Note(cut, tabs, top, "its tabs", tabs.tabBar()->sizeHint().width(), tabs.width());
}

// Every shown widget of `top` (the window itself included) whose text is cut.
std::vector<std::string> FindCutTexts(QWidget& top) {
  std::vector<std::string> cut;
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

// A window named by a number is a string table, never shown.
bool IsStringTable(const std::string& name) {
  return !name.empty() &&
         std::all_of(name.begin(), name.end(), [](char c) { return std::isdigit(c) != 0; });
}

// A window the main window does not load gets its language strings as the
// main window gives them to its own.
void ApplyLanguage(ZafWindow& window, const ZafLanguageData& strings) {
  for (const auto& [identifier, text] : strings.Entries()) {
    const std::size_t tilde = identifier.find('~');
    if (tilde == std::string::npos || identifier.substr(0, tilde) != window.StringID()) continue;
    std::string control = identifier.substr(tilde + 1);
    if (control.ends_with("_QTIP")) continue;
    ZafWindowObject* found = control == window.StringID() ? &window : window.Find(control);
    if (auto* combo = dynamic_cast<ZafComboBox*>(found))
      combo->AddEntry({text, {}, 0, 0});
    else if (found != nullptr)
      found->SetText(text);
  }
}

// Opens the applet's main window in one language and notes every cut text of
// every window.
void CheckLanguage(const std::string& language, std::vector<std::string>& cut) {
  CTempDir temp;
  CScopedEnv runtime("KELVO_RUNTIME_DIR", temp.Path());
  CScopedEnv registry("KELVO_REGISTRY",
                      temp.Write("registry.reg",
                                 "Windows Registry Editor Version 5.00\n\n"
                                 "[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n"
                                 "\"TestLanguages\"=\"" +
                                     language + "\"\n"));
  std::string module = BuildBinDir() + "/Tablet.cpl";
  char* argv[] = {module.data(), nullptr};
  auto owned = std::make_unique<ZafQtPresenter>(ZafQtShow::kOffscreen);
  ZafQtPresenter& presenter = *owned;
  ZafApplication application(1, argv, std::move(owned));
  ZafStorage storage;
  ASSERT_EQ(storage.Open(BuildBinDir() + "/Tablet.znc"), kStatusOk);
  CUserPersist persistence(storage, &application.DataManager());
  ZafObjectPersistence::SetDefault(&persistence);
  std::unique_ptr<ZafLanguageData> strings;
  ASSERT_EQ(persistence.ReadLanguageData("LanguageStrings", "en", strings), kStatusOk);
  strings->SetLanguage(language);
  const ZafLanguageData& texts = *strings;
  application.DataManager().Add(std::move(strings));

  InstallDriverInterface(
      std::make_unique<CRecordingDriverInterface>(std::make_unique<CTabletService>()));
  auto main = std::make_unique<CCPLMainWindow>(application);
  ASSERT_EQ(main->Load(persistence, "ConsumerCPLMainWindow"), kStatusOk);
  ASSERT_EQ(main->Run(), kStatusOk) << main->FailureCause();
  ASSERT_EQ(ZafLanguageData::CodeForIndex(static_cast<int>(main->GetLanguage())), language)
      << "the registry did not choose the language";
  // Every tab, whatever the tablet: the tablet and calibrate tabs come back.
  for (const std::uint32_t tab : {ControlId::kTabletTab, ControlId::kCalibrateTab})
    ASSERT_EQ(main->SetControlState(tab, 1), kStatusOk);

  for (const std::string& name : storage.WindowNames()) {
    if (IsStringTable(name)) continue;
    ZafWindow* window = nullptr;
    for (int number = 0; number < CCPLMainWindow::kWindowCount && window == nullptr; ++number) {
      ZafWindow* candidate = main->GetTableWindow(number);
      if (candidate != nullptr && candidate->StringID() == name) window = candidate;
    }
    std::unique_ptr<ZafWindow> loose;
    if (window == nullptr) {
      ASSERT_EQ(persistence.ReadWindow(name, loose), kStatusOk) << name;
      ApplyLanguage(*loose, texts);
      window = loose.get();
    }
    const bool shown = application.WindowManager().Contains(*window);
    if (!shown) application.WindowManager().Add(*window);
    // The main window on each tab.
    auto* tabs = window->FindAs<ZafNotebook>("TabsWindow");
    for (std::size_t page = 0; page < (tabs != nullptr ? tabs->PageCount() : 1); ++page) {
      if (tabs != nullptr) tabs->SetCurrentPage(static_cast<int>(page));
      QCoreApplication::processEvents();
      for (const std::string& text : FindCutTexts(*presenter.WidgetFor(*window)))
        cut.push_back(language + " " + text);
    }
    if (!shown) application.WindowManager().Subtract(*window);
  }
  main.reset();
  ZafObjectPersistence::SetDefault(nullptr);
}

TEST(LanguageFit, NoTextIsCutInAnyWindowInAnyLanguage) {
  std::vector<std::string> cut;
  ZafStorage storage;
  ASSERT_EQ(storage.Open(BuildBinDir() + "/Tablet.znc"), kStatusOk);
  std::vector<std::string> languages;
  {
    ZafApplication probe(0, nullptr, std::make_unique<ZafQtPresenter>(ZafQtShow::kOffscreen));
    ZafObjectPersistence persistence(storage, &probe.DataManager());
    std::unique_ptr<ZafLanguageData> strings;
    ASSERT_EQ(persistence.ReadLanguageData("LanguageStrings", "en", strings), kStatusOk);
    languages = strings->Languages();
  }
  ASSERT_GE(languages.size(), 6U);
  for (const std::string& language : languages) CheckLanguage(language, cut);
  std::string report;
  for (const std::string& line : cut) report += line + "\n";
  EXPECT_TRUE(cut.empty()) << cut.size() << " texts are cut:\n" << report;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  if (!ZafQtStartup::EnsureApplication(true)) return 2;
  const int result = RUN_ALL_TESTS();
  ZafQtStartup::ReleaseApplication();
  return result;
}
