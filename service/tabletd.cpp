// tabletd: the tablet service as a daemon for several clients at once.

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "service/CDaemon.h"
#include "service/CServicePaths.h"
#include "service/CTabletService.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

int Usage() {
  std::fprintf(stderr, "usage: tabletd [--socket PATH] [--profile FILE] [--state FILE]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path socket = CServicePaths::Socket();
  std::filesystem::path profile;
  const char* profileVariable = std::getenv("KELVO_PROFILE");
  if (profileVariable != nullptr) profile = profileVariable;
  std::filesystem::path state = CServicePaths::State();
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
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
  CDaemon daemon(*service, socket);
  if (!daemon.Listen(error)) {
    std::fprintf(stderr, "tabletd: %s\n", error.c_str());
    return 1;
  }
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  daemon.Run(g_stop);
  return 0;
}
