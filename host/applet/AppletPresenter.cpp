#include "host/applet/AppletPresenter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "host/applet/AutomationPenVerb.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/controls/ZafNotebook.h"

namespace {
const char* Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}
}  // namespace

std::unique_ptr<ZafPresenter> CAppletPresenter::Make() {
  // A script is the toolkit's to run (headless, or on Qt's widgets with
  // KELVO_PRESENTER=qt); the applet adds its pen verb.
  if (Environment("KELVO_SCRIPT") != nullptr) {
    InstallPenVerb();
    return nullptr;
  }
  const char* presenter = Environment("KELVO_PRESENTER");
  if (presenter != nullptr && std::string(presenter) == "headless")
    return std::make_unique<ZafHeadlessPresenter>();
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
