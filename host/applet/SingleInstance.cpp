#include "host/applet/SingleInstance.h"

#include <chrono>
#include <cstdio>

#include "platform/Kernel.h"
#include "platform/RuntimeFolder.h"
#include "services/CRegistryManager.h"
#include "toolkit/ZafRaiseChannel.h"

namespace {
// How long a second start waits for the running one to answer.
constexpr std::chrono::milliseconds kRaiseWait{2000};
}  // namespace

std::string SingleInstanceMutexName(std::uint32_t windowsVersion) {
  const bool global = windowsVersion == kWindows2000 || windowsVersion == kWindowsXp ||
                      windowsVersion == kWindowsServer2003;
  return global ? std::string("Global\\") + kSingleInstanceMutex : std::string(kSingleInstanceMutex);
}

std::string SingleInstanceChannelPath() {
  std::string problem;
  const std::string folder = UserRuntimeFolder(problem);
  return folder.empty() ? folder : folder + "/kelvo-" + kSingleInstanceMutex + ".raise";
}

Status AcquireSingleInstance(std::uint32_t windowsVersion, std::string& cause) {
  const std::string name = SingleInstanceMutexName(windowsVersion);
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) {
    std::string problem;
    const std::string folder = UserRuntimeFolder(problem);
    const std::string where =
        folder.empty() ? problem : folder + "/" + MutexFileName(name.c_str()) + " cannot be opened";
    std::fprintf(stderr, "Tablet Properties: no single-instance lock (%s); starting all the same\n",
                 where.c_str());
    return kStatusOk;
  }
  if (GetLastError() != ERROR_ALREADY_EXISTS) {
    // Left open on purpose: a second opening in this or another process finds it.
    return kStatusOk;
  }
  CloseHandle(mutex);
  switch (ZafRaiseChannel::Ask(SingleInstanceChannelPath(), kRaiseWait)) {
    case ZafRaiseChannel::Answer::kRaised:
      cause = "Tablet Properties is already open; its window was brought to the front";
      break;
    case ZafRaiseChannel::Answer::kNoWindow:
    case ZafRaiseChannel::Answer::kNoAnswer:
      cause =
          "Tablet Properties is already open (still starting, or without a window to bring "
          "forward)";
      break;
    case ZafRaiseChannel::Answer::kRefused:
      cause =
          "Tablet Properties is already open; its channel belongs to another user and was not used";
      break;
  }
  return kStatusUnknown;
}
