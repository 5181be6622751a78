#pragma once

// The toolkit of one run: argument vector, start-up state, help-tip settings,
// and the managers (events, windows, data), the display, the keyboard state
// and the presenter. One at a time; Get() finds it.
//
// The presenter: the one given, else the one the installed factory makes,
// else the headless presenter. KELVO_HEADLESS=1 forces headless; KELVO_SCRIPT
// names an automation script (a script that cannot be read gives the
// start-up state kStartupFailed), which drives the headless presenter, or
// the factory's (Qt) with KELVO_PRESENTER=qt.
//
// While it runs, the platform's user-interface functions (monitors, the
// pointer, the file chooser) are answered by its presenter.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/CDesktop.h"
#include "toolkit/ZafDisplay.h"
#include "toolkit/ZafEventManager.h"
#include "toolkit/ZafKeyboard.h"
#include "toolkit/ZafPresenter.h"
#include "toolkit/ZafWindowManager.h"
#include "toolkit/data/ZafDataManager.h"

class ZafDesktop;
class ZafStorage;

class ZafApplication {
 public:
  static constexpr int kStartupOk = 0;
  static constexpr int kStartupFailed = 13;

  using PresenterFactory = std::function<std::unique_ptr<ZafPresenter>()>;
  // The Qt presenter registers itself here; nullptr removes it.
  static void InstallPresenterFactory(PresenterFactory factory);

  ZafApplication(int argc, char** argv, std::unique_ptr<ZafPresenter> presenter = nullptr);
  ~ZafApplication();
  ZafApplication(const ZafApplication&) = delete;
  ZafApplication& operator=(const ZafApplication&) = delete;

  [[nodiscard]] static ZafApplication* Get();

  // A presenter driven by the script at path: the installed factory's when
  // KELVO_PRESENTER is "qt" and the factory makes one that scripts can
  // drive, else the headless one. The script's status when it cannot be read.
  [[nodiscard]] static Status MakeScriptedPresenter(const std::string& path, std::unique_ptr<ZafPresenter>& out);

  [[nodiscard]] const std::vector<std::string>& Arguments() const { return m_arguments; }
  [[nodiscard]] int StartupState() const { return m_startupState; }
  // The internationalisation storage "i18n.znc" beside the module, nullptr
  // when it could not be opened (the toolkit goes on without it).
  [[nodiscard]] const ZafStorage* I18nStorage() const { return m_i18n.get(); }

  // Help tips: delays in milliseconds and the wrap factor.
  void SetHelpTipDelays(std::int32_t firstMs, std::int32_t secondMs) {
    m_tipFirstDelay = firstMs;
    m_tipSecondDelay = secondMs;
  }
  void SetHelpTipWrap(std::int32_t factor) { m_tipWrap = factor; }
  [[nodiscard]] std::int32_t HelpTipFirstDelay() const { return m_tipFirstDelay; }
  [[nodiscard]] std::int32_t HelpTipSecondDelay() const { return m_tipSecondDelay; }
  [[nodiscard]] std::int32_t HelpTipWrap() const { return m_tipWrap; }
  // A tip longer than 20 characters without a line break is broken at blanks
  // into lines of about its length divided by the wrap factor.
  [[nodiscard]] std::string WrapHelpTip(const std::string& tip) const;

  [[nodiscard]] ZafPresenter& Presenter() { return *m_presenter; }
  [[nodiscard]] ZafEventManager& EventManager() { return *m_events; }
  [[nodiscard]] ZafWindowManager& WindowManager() { return *m_windows; }
  [[nodiscard]] ZafDataManager& DataManager() { return m_data; }
  [[nodiscard]] ZafDisplay& Display() { return m_display; }
  [[nodiscard]] ZafKeyboard& Keyboard() { return m_keyboard; }

  // The event loop: runs until the last window has gone or Exit was called;
  // answers 0.
  int Control();
  void Exit() { m_exit = true; }
  [[nodiscard]] bool ExitRequested() const { return m_exit; }

  // The error box: a message box with one OK button.
  void ErrorBox(const std::string& title, const std::string& text);

  // Drops everything that points at a window that goes away.
  void Forget(ZafWindow& window);

 private:
  std::vector<std::string> m_arguments;
  int m_startupState = kStartupOk;
  std::unique_ptr<ZafStorage> m_i18n;
  std::int32_t m_tipFirstDelay = 500;
  std::int32_t m_tipSecondDelay = 500;
  std::int32_t m_tipWrap = 0;
  std::unique_ptr<ZafPresenter> m_presenter;
  ZafKeyboard m_keyboard;
  ZafDisplay m_display;
  ZafDataManager m_data;
  std::unique_ptr<ZafWindowManager> m_windows;
  std::unique_ptr<ZafEventManager> m_events;
  std::unique_ptr<ZafDesktop> m_desktop;
  CDesktop* m_previousDesktop = nullptr;
  bool m_exit = false;
};
