// Every window of the real resource file, in every language it has strings
// for, shown through Qt as the applet shows it: no text may be cut. Pictures
// of each window (the main window on each tab) go to the screenshot folder.

#include <QApplication>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/applet/CUserPersist.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "qt/TextFit.h"
#include "support/BuildPaths.h"
#include "support/CScopedEnv.h"
#include "support/CRecordingDriverInterface.h"
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

// A window named by a number is a string table, never shown.
bool IsStringTable(const std::string& name) {
  return !name.empty() &&
         std::all_of(name.begin(), name.end(), [](char c) { return std::isdigit(c) != 0; });
}

// Where the pictures go: the build's screenshot folder, as for the acceptance cases.
std::string PictureFolder(const std::string& language) {
  const char* configured = std::getenv("KELVO_SCREENSHOT_DIR");
  const std::string base =
      configured != nullptr && *configured != '\0' ? configured : BuildBinDir() + "/../screenshots";
  const std::string folder = base + "/languages/" + language;
  std::filesystem::create_directories(folder);
  return folder;
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

class LanguageFit : public testing::Test {
 protected:
  // Opens the applet's main window in one language and checks every window.
  void CheckLanguage(const std::string& language) {
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

    const std::string folder = PictureFolder(language);
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
      if (auto* tabs = window->FindAs<ZafNotebook>("TabsWindow")) {
        for (std::size_t page = 0; page < tabs->PageCount(); ++page) {
          tabs->SetCurrentPage(static_cast<int>(page));
          Check(presenter, *window, language,
                folder + "/" + name + "-" + tabs->Page(page)->StringID() + ".png");
        }
      } else {
        Check(presenter, *window, language, folder + "/" + name + ".png");
      }
      if (!shown) application.WindowManager().Subtract(*window);
    }
    main.reset();
    ZafObjectPersistence::SetDefault(nullptr);
  }

  void Check(ZafQtPresenter& presenter, ZafWindow& window, const std::string& language,
             const std::string& picture) {
    QCoreApplication::processEvents();
    QWidget* top = presenter.WidgetFor(window);
    ASSERT_NE(top, nullptr) << window.StringID();
    for (const StCutText& cut : FindCutTexts(*top)) {
      std::ostringstream line;
      line << language << " " << cut.widget << ": \"" << cut.text << "\" needs " << cut.needed
           << " px, has " << cut.available;
      m_cut.push_back(line.str());
    }
    EXPECT_EQ(presenter.Screenshot(window, picture), kStatusOk) << picture;
  }

  std::vector<std::string> m_cut;
};

TEST_F(LanguageFit, NoTextIsCutInAnyWindowInAnyLanguage) {
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
  for (const std::string& language : languages) CheckLanguage(language);
  std::string report;
  for (const std::string& line : m_cut) report += line + "\n";
  EXPECT_TRUE(m_cut.empty()) << m_cut.size() << " texts are cut:\n" << report;
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
