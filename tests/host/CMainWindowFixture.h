#pragma once

// The real main window over the real resource file, on the headless
// presenter, with the tablet service in this process. Each test has its own
// runtime folder, so the single-instance lock of one never holds another.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "host/applet/CUserPersist.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "service/CProfileReader.h"
#include "support/CRecordingDriverInterface.h"
#include "support/BuildPaths.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/data/ZafLanguageData.h"
#include "toolkit/storage/ZafStorage.h"

// The headless presenter, noting which windows were on screen whenever a
// dialog or message box came up.
class CWatchingPresenter : public ZafHeadlessPresenter {
 public:
  void BeginModal(ZafWindow& window) override {
    Note(window.StringID());
    ZafHeadlessPresenter::BeginModal(window);
  }
  ZafMessageAnswer MessageBox(const std::string& title, const std::string& text,
                              ZafMessageButtons buttons) override {
    Note(title);
    return ZafHeadlessPresenter::MessageBox(title, text, buttons);
  }

  // For each dialog, by its name (a message box by its title): what was shown then.
  std::vector<std::pair<std::string, std::vector<std::string>>> behindDialogs;

 private:
  void Note(const std::string& dialog) {
    std::vector<std::string> shown;
    if (ZafApplication* application = ZafApplication::Get()) {
      for (const ZafWindow* window : application->WindowManager().Windows())
        shown.push_back(window->StringID());
    }
    behindDialogs.emplace_back(dialog, std::move(shown));
  }
};

// A driver library with no driver behind it.
class CNoDriverInterface : public CDriverInterface {
 public:
  Status SendRequest(std::uint32_t, const StObjectKey*, std::uint32_t, void*) override {
    return kStatusNoDriverInterface;
  }
  Status GetAppletVersion(VersionRecord& out) override {
    return ParseVersionString(kAppletVersionString, out);
  }
  Status Open() override { return kStatusOk; }
};

class CMainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(m_temp.Path().empty());
    m_temp.Write("registry.reg",
                 "Windows Registry Editor Version 5.00\n\n"
                 "[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n");
    std::string module = BuildBinDir() + "/Tablet.cpl";
    char* argv[] = {module.data(), nullptr};
    auto presenter = std::make_unique<CWatchingPresenter>();
    m_presenter = presenter.get();
    m_application = std::make_unique<ZafApplication>(1, argv, std::move(presenter));
    ASSERT_EQ(m_storage.Open(BuildBinDir() + "/Tablet.znc"), kStatusOk);
    m_persistence = std::make_unique<CUserPersist>(m_storage, &m_application->DataManager());
    ZafObjectPersistence::SetDefault(m_persistence.get());
    std::unique_ptr<ZafLanguageData> strings;
    ASSERT_EQ(m_persistence->ReadLanguageData("LanguageStrings", "en", strings), kStatusOk);
    m_application->DataManager().Add(std::move(strings));
  }

  void TearDown() override {
    m_window.reset();
    ZafObjectPersistence::SetDefault(nullptr);
  }

  // Opens the main window on a profile of service/profiles (empty: built-in;
  // "no driver": nothing answers) and answers what its start-up answered.
  Status Open(const std::string& profile = {}) {
    if (profile == "no driver") return OpenOn(std::make_unique<CNoDriverInterface>());
    StProfile definition = MakeDefaultProfile();
    if (!profile.empty()) {
      std::string error;
      if (!CProfileReader::ReadFile(std::string(KELVO_PROFILE_DIR) + "/" + profile, definition,
                                    error)) {
        ADD_FAILURE() << error;
        return kStatusNotFound;
      }
    }
    return OpenOn(std::make_unique<CRecordingDriverInterface>(
        std::make_unique<CTabletService>(std::move(definition))));
  }

  Status OpenOn(std::unique_ptr<CDriverInterface> driver) {
    InstallDriverInterface(std::move(driver));
    m_window = std::make_unique<CCPLMainWindow>(*m_application);
    const Status loaded = m_window->Load(*m_persistence, "ConsumerCPLMainWindow");
    if (loaded != kStatusOk) return loaded;
    return m_window->Run();
  }

  CTempDir m_temp;
  CScopedEnv m_runtime{"KELVO_RUNTIME_DIR", m_temp.Path()};
  CScopedEnv m_registry{"KELVO_REGISTRY", m_temp.Path() + "/registry.reg"};
  CScopedEnv m_language{"LC_ALL", std::string("C")};
  CWatchingPresenter* m_presenter = nullptr;
  std::unique_ptr<ZafApplication> m_application;
  ZafStorage m_storage;
  std::unique_ptr<CUserPersist> m_persistence;
  std::unique_ptr<CCPLMainWindow> m_window;
};
