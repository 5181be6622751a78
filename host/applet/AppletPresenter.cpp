#include "host/applet/AppletPresenter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "host/applet/AutomationPenVerb.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/controls/ZafNotebook.h"

namespace {
const char* Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}
}  // namespace

std::unique_ptr<ZafPresenter> CAppletPresenter::Make() {
  if (const char* script = Environment("KELVO_AUTOMATION_SCRIPT")) {
    // Headless, or Qt's widgets when KELVO_PRESENTER=qt asks for them.
    std::unique_ptr<ZafPresenter> scripted;
    if (ZafApplication::MakeScriptedPresenter(script, scripted) != kStatusOk) {
      m_failure = std::string("cannot read the script ") + script;
      return nullptr;
    }
    m_automation = scripted->Automation();
    InstallPenVerb();
    return scripted;
  }
  const char* presenter = Environment("KELVO_PRESENTER");
  if (presenter != nullptr && std::string(presenter) == "headless") return std::make_unique<ZafHeadlessPresenter>();
  return nullptr;
}

namespace {
// What a user would see first, as text, for runs without a display.
void Describe(ZafWindow& window) {
  std::fprintf(stderr, "%s\n", window.Text().c_str());
  std::fprintf(stderr, "  position: %d,%d\n", window.Region().left, window.Region().top);
  if (auto* tabs = window.FindAs<ZafNotebook>("TabsWindow")) {
    std::string pages;
    for (std::size_t i = 0; i < tabs->PageCount(); ++i) {
      if (!pages.empty()) pages += ", ";
      pages += tabs->Page(i)->PageText();
      if (static_cast<int>(i) == tabs->CurrentIndex()) pages += " (shown)";
    }
    std::fprintf(stderr, "  tabs: %s\n", pages.c_str());
  }
  if (ZafWindowObject* version = window.Find("VersionPrompt"))
    std::fprintf(stderr, "  driver version: %s\n", version->Text().c_str());
}
}  // namespace

void CAppletPresenter::WindowShown(ZafApplication& application, ZafWindow& window) {
  if (const char* clock = Environment("KELVO_STARTUP_CLOCK")) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const long long start = std::atoll(clock);
    const double ms =
        static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() - start) / 1e6;
    std::fprintf(stderr, "startup: %.2f ms\n", ms);
  }
  if (Environment("KELVO_DESCRIBE") != nullptr) Describe(window);
  if (const char* path = Environment("KELVO_SCREENSHOT")) {
    const Status status = application.Presenter().Screenshot(window, path);
    if (status == kStatusNotSupported)
      std::fprintf(stderr, "screenshot: this presenter draws nothing; %s was not written\n", path);
    else if (status != kStatusOk)
      std::fprintf(stderr, "screenshot: %s could not be written\n", path);
  }
}

void CAppletPresenter::WriteResult() const {
  const char* resultPath = Environment("KELVO_AUTOMATION_RESULT");
  if (resultPath == nullptr) return;
  std::string line;
  if (!m_failure.empty()) {
    line = "failed: " + m_failure;
  } else {
    const ZafAutomation* automation = m_automation;
    if (automation == nullptr || automation->LinesRun() == 0) return;
    if (automation->Failed()) line = "failed: " + automation->FailureText();
    else if (!automation->Done()) line = "failed: the applet closed before the script ended";
    else line = "passed";
  }
  std::ofstream out(resultPath, std::ios::trunc);
  out << line << '\n';
}
