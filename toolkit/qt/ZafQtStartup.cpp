#include "toolkit/qt/ZafQtStartup.h"

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "toolkit/ZafApplication.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/qt/ZafQtPresenter.h"

namespace {

bool Set(const ZafQtStartup::Environment& environment, const char* name) {
  const char* value = environment(name);
  return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

std::string_view Value(const ZafQtStartup::Environment& environment, const char* name) {
  const char* value = environment(name);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

// Qt keeps referring to the argument count and vector it was started with.
int g_argc = 1;
char g_name[] = "tablet-properties";
char* g_argv[] = {g_name, nullptr};

std::unique_ptr<QApplication>& OwnApplication() {
  static std::unique_ptr<QApplication> application;
  return application;
}

}  // namespace

ZafPresenterKind ZafQtStartup::Choose(const Environment& environment) {
  const std::string_view asked = Value(environment, "KELVO_PRESENTER");
  // Scripts act through the headless presenter, or on Qt's widgets when Qt
  // is asked for by name (on the offscreen platform when there is no display).
  if (Set(environment, "KELVO_SCRIPT")) {
    return asked == "qt" ? ZafPresenterKind::kQt : ZafPresenterKind::kHeadless;
  }
  const bool headless = asked == "headless" || Set(environment, "KELVO_HEADLESS");
  // A picture of a run without a display is drawn offscreen, where nothing shows.
  if (Set(environment, "KELVO_SCREENSHOT") && headless) return ZafPresenterKind::kQtOffscreen;
  if (headless) return ZafPresenterKind::kHeadless;
  const std::string_view platform = Value(environment, "QT_QPA_PLATFORM");
  if (platform.starts_with("offscreen") || platform.starts_with("minimal")) {
    // Asked for by name, Qt runs as on a display: whatever drives the widgets
    // (a test clicking them) is the user, so the run does not end by itself.
    return asked == "qt" ? ZafPresenterKind::kQt : ZafPresenterKind::kQtOffscreen;
  }
  if (Set(environment, "DISPLAY") || Set(environment, "WAYLAND_DISPLAY") || !platform.empty()) {
    return ZafPresenterKind::kQt;
  }
  if (asked == "qt" || Set(environment, "KELVO_SCREENSHOT")) return ZafPresenterKind::kQtOffscreen;
  return ZafPresenterKind::kHeadless;
}

ZafPresenterKind ZafQtStartup::Choose() {
  return Choose([](const char* name) { return std::getenv(name); });
}

bool ZafQtStartup::EnsureApplication(bool offscreen) {
  if (QCoreApplication::instance() != nullptr) {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
  }
  if (offscreen) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  OwnApplication() = std::make_unique<QApplication>(g_argc, g_argv);
  // Qt's own statics, made while the application started, would be gone
  // before a static holder is destroyed: end the application first (at exit,
  // or when the module that made it is unloaded).
  std::atexit(&ReleaseApplication);
  return true;
}

void ZafQtStartup::ReleaseApplication() { OwnApplication().reset(); }

void ZafQtStartup::Install() {
  ZafApplication::InstallPresenterFactory([]() -> std::unique_ptr<ZafPresenter> {
    const ZafPresenterKind kind = Choose();
    if (kind == ZafPresenterKind::kHeadless) return nullptr;
    const bool offscreen = kind == ZafPresenterKind::kQtOffscreen;
    // A script asks for Qt where no display may be: then the offscreen platform shows it.
    const bool noDisplay = std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
                           std::getenv("QT_QPA_PLATFORM") == nullptr;
    if (!EnsureApplication(offscreen || noDisplay)) return nullptr;
    auto presenter =
        std::make_unique<ZafQtPresenter>(offscreen ? ZafQtShow::kOffscreen : ZafQtShow::kOnScreen);
    if (const char* path = std::getenv("KELVO_SCREENSHOT"); path != nullptr && *path != '\0') {
      // Nobody can use a window drawn offscreen: the picture is the whole run.
      presenter->SetScreenshotOnShow(path, offscreen);
    }
    return presenter;
  });
  ZafHeadlessPresenter::InstallScreenshotRenderer(&SaveScreenshot);
}

Status ZafQtStartup::SaveScreenshot(ZafWindow& window, const std::string& path) {
  if (ZafApplication* application = ZafApplication::Get()) {
    auto* shown = dynamic_cast<ZafQtPresenter*>(&application->Presenter());
    if (shown != nullptr && shown->Realized(window)) return shown->Screenshot(window, path);
  }
  if (!EnsureApplication(true)) return kStatusNotSupported;
  ZafQtPresenter painter(ZafQtShow::kOffscreen);
  painter.Realize(window);
  // Widgets lay themselves out from posted events; without them a text field
  // is drawn with the scroll bars of its first, unwrapped layout.
  QCoreApplication::sendPostedEvents();
  const Status status = painter.Screenshot(window, path);
  painter.Unrealize(window);
  return status;
}
