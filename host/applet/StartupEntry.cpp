#include "host/applet/StartupEntry.h"

#include <memory>

#include "host/applet/AppletPresenter.h"
#include "platform/Kernel.h"
#include "platform/User.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafPlatform.h"
#ifdef KELVO_HAVE_QT
#include "toolkit/qt/ZafQtStartup.h"
#endif

namespace {
constexpr UINT kErrorBeep = 16;
constexpr DWORD kModuleNameSize = 256;
}  // namespace

std::vector<std::string> BuildArgumentVector(const std::string& moduleFile, const char* commandLine) {
  std::vector<std::string> arguments{moduleFile};
  if (commandLine == nullptr) return arguments;
  const std::string line(commandLine);
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    if (at >= line.size()) break;
    if (line[at] == '"') {
      const std::size_t close = line.find('"', at + 1);
      if (close == std::string::npos) break;
      arguments.push_back(line.substr(at + 1, close - at - 1));
      at = close + 1;
      continue;
    }
    const std::size_t end = line.find_first_of(" \t", at);
    arguments.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
    at = end == std::string::npos ? line.size() : end;
  }
  return arguments;
}

std::int32_t StartupEntry(void* instance, void* previousInstance, const char* commandLine,
                          std::int32_t /*showState*/) {
  if (previousInstance != nullptr) return 1;
  ZafPlatform platform(instance);
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExA(&version) != FALSE) platform.SetVersion(version.dwMajorVersion, version.dwMinorVersion);

  char moduleFile[kModuleNameSize] = {};
  const HMODULE module = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&StartupEntry));
  (void)GetModuleFileNameA(module, moduleFile, kModuleNameSize);
  std::vector<std::string> arguments = BuildArgumentVector(moduleFile, commandLine);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

#ifdef KELVO_HAVE_QT
  // Qt shows the applet when there is a display, and draws screenshots offscreen.
  ZafQtStartup::Install();
#endif
  CAppletPresenter presenter;
  std::int32_t exitValue = kExitOk;
  {
    ZafApplication application(static_cast<int>(arguments.size()), argv.data(), presenter.Make());
    if (application.StartupState() == ZafApplication::kStartupFailed) {
      (void)MessageBeep(kErrorBeep);
      exitValue = kExitToolkitFailed;
    } else {
      exitValue = UserMain(application);
    }
  }
  return exitValue;
}
