// tabletd: the tablet service as a daemon for several clients at once.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "service/CDaemon.h"
#include "service/CServicePaths.h"
#include "service/CTabletService.h"
#include "service/input/CDeviceHub.h"
#include "service/input/CSpawnLauncher.h"
#include "service/input/CUdevSource.h"
#include "service/input/CUinputSink.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

int Usage() {
  std::fprintf(stderr, "usage: tabletd [--socket PATH] [--profile FILE] [--state FILE] [--devices]\n");
  return 2;
}

std::unique_ptr<IOutputSink> MakeUinputSink(const StDeviceDescription& device, std::uint32_t levels,
                                            std::string& error) {
  auto sink = std::make_unique<CUinputSink>();
  if (sink->Create(device, levels, error) != kStatusOk) return nullptr;
  return sink;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path socket = CServicePaths::Socket();
  std::filesystem::path profile;
  const char* profileVariable = std::getenv("KELVO_PROFILE");
  if (profileVariable != nullptr) profile = profileVariable;
  std::filesystem::path state = CServicePaths::State();
  bool devices = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--devices") {
      devices = true;
      continue;
    }
    if (i + 1 >= argc) return Usage();
    if (option == "--socket") {
      socket = argv[++i];
    } else if (option == "--profile") {
      profile = argv[++i];
    } else if (option == "--state") {
      state = argv[++i];
    } else {
      return Usage();
    }
  }
  if (!CServicePaths::PrepareSocketDirectory(socket)) {
    std::fprintf(stderr, "tabletd: %s: cannot make a private directory for the socket\n",
                 socket.parent_path().c_str());
    return 1;
  }
  std::string error;
  std::unique_ptr<CTabletService> service = CTabletService::FromFiles(profile, state, error);
  if (!service) {
    std::fprintf(stderr, "tabletd: %s\n", error.c_str());
    return 1;
  }
  devices = devices || service->Model().Profile().devices;
  // A root service would make every user's tablet its own: devices are the user's.
  if (devices && ::geteuid() == 0) {
    std::fprintf(stderr, "tabletd: --devices is refused as root; run it as the user whose tablet it is\n");
    return 1;
  }
  CDaemon daemon(*service, socket);
  if (!daemon.Listen(error)) {
    std::fprintf(stderr, "tabletd: %s\n", error.c_str());
    return 1;
  }
  CUdevSource source;
  CSpawnLauncher launcher;
  std::unique_ptr<CDeviceHub> hub;
  if (devices) {
    if (source.Init(error) != kStatusOk) {
      std::fprintf(stderr, "tabletd: %s\n", error.c_str());
      return 1;
    }
    if (!error.empty()) std::fprintf(stderr, "tabletd: %s\n", error.c_str());
    std::signal(SIGCHLD, SIG_IGN);  // programs a button starts are not waited for
    hub = std::make_unique<CDeviceHub>(daemon, *service, source, MakeUinputSink, launcher, stderr);
    hub->Start();
  }
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  daemon.Run(g_stop);
  // The grabs end and the virtual devices go before the service stores its state.
  hub.reset();
  return 0;
}
