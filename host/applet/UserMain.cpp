#include <cstdio>
#include <filesystem>
#include <memory>

#include "host/applet/AppletPresenter.h"
#include "host/applet/CUserPersist.h"
#include "host/applet/SingleInstance.h"
#include "host/applet/StartupEntry.h"
#include "host/applet/StartupFailure.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafRaiseChannel.h"
#include "toolkit/data/ZafLanguageData.h"
#include "toolkit/storage/ZafStorage.h"

namespace {
constexpr char kResourceFile[] = "Tablet.znc";
constexpr char kMainWindow[] = "ConsumerCPLMainWindow";
constexpr char kLanguageStrings[] = "LanguageStrings";

std::string ResourcePath(const ZafApplication& application) {
  const auto& arguments = application.Arguments();
  const std::filesystem::path module = arguments.empty() ? std::filesystem::path() : std::filesystem::path(arguments[0]);
  return (module.parent_path() / kResourceFile).string();
}

// Later starts by the same user bring this window to the front, where the
// presenter can (the headless one drops the channel).
void OfferRaise(ZafApplication& application, ZafWindow& window) {
  const std::string path = SingleInstanceChannelPath();
  if (path.empty()) return;
  auto channel = std::make_unique<ZafRaiseChannel>(path);
  std::string problem;
  if (!channel->Listen(problem)) {
    std::fprintf(stderr,
                 "Tablet Properties: a second start cannot bring this window forward (%s)\n",
                 problem.c_str());
    return;
  }
  application.Presenter().OfferRaise(window, std::move(channel));
}

std::int32_t ExitValueOf(Status result) {
  switch (result) {
    case kStatusOk:
    case kStatusNoDriverInterface:
    case kStatusNoTablet: return kExitOk;
    default: return kExitFailed;
  }
}
}  // namespace

std::int32_t UserMain(ZafApplication& application) {
  application.SetHelpTipDelays(750, 750);
  application.SetHelpTipWrap(5);

  auto storage = std::make_unique<ZafStorage>();
  const std::string resourcePath = ResourcePath(application);
  if (storage->Open(resourcePath) != kStatusOk || storage->Error() != kStatusOk) {
    application.ErrorBox("Error", "Resource file could not be found or loaded.");
    ReportStartupFailure("the resource file " + resourcePath + " " + storage->Problem());
    return kExitFailed;
  }
  auto persistence = std::make_unique<CUserPersist>(*storage, &application.DataManager());
  ZafObjectPersistence::SetDefault(persistence.get());

  if (application.DataManager().Get(kLanguageStrings) == nullptr) {
    std::unique_ptr<ZafLanguageData> strings;
    if (persistence->ReadLanguageData(kLanguageStrings, "en", strings) == kStatusOk)
      application.DataManager().Add(std::move(strings));
  }
  application.Display().SetApplicationColours();

  std::int32_t exitValue = kExitFailed;
  auto window = std::make_unique<CCPLMainWindow>(application);
  if (window->Load(*persistence, kMainWindow) == kStatusOk) {
    const Status result = window->Run();
    exitValue = ExitValueOf(result);
    if (result == kStatusOk) {
      CAppletPresenter::WindowShown(application, *window);
      OfferRaise(application, *window);
      (void)application.Control();
    } else {
      ReportStartupFailure(window->FailureCause());
    }
  } else {
    ReportStartupFailure("the resource file " + resourcePath + " has no main window " +
                         kMainWindow);
  }

  if (ZafObjectPersistence::Default() == persistence.get()) ZafObjectPersistence::SetDefault(nullptr);
  persistence.reset();
  storage.reset();
  window.reset();
  return exitValue;
}
