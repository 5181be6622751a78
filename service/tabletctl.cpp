// tabletctl: inspect and change the tablet service from the command line.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "service/CControlCommand.h"
#include "service/CDaemonClient.h"
#include "service/CServicePaths.h"
#include "service/input/CRecordCommand.h"

int main(int argc, char** argv) {
  std::filesystem::path socket = CServicePaths::Socket();
  StControlFiles files;
  if (const char* profile = std::getenv("KELVO_PROFILE"); profile != nullptr) files.profile = profile;
  files.state = CServicePaths::State();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    // Options come before the command; after it everything is the command's.
    const bool option = args.empty() && i + 1 < argc;
    if (option && arg == "--socket") {
      socket = argv[++i];
    } else if (option && arg == "--profile") {
      files.profile = argv[++i];
    } else if (option && arg == "--state") {
      files.state = argv[++i];
    } else if (args.empty() && (arg == "--socket" || arg == "--profile" || arg == "--state")) {
      std::fprintf(stderr, "tabletctl: %s takes a value (tabletctl --help shows how to use it)\n", arg.c_str());
      return CControlCommand::kExitUsage;
    } else {
      args.push_back(arg);
    }
  }
  // Recording reads a device, not the service.
  if (!args.empty() && args[0] == "record")
    return CRecordCommand(stdout, stderr).Run({args.begin() + 1, args.end()});
  CDaemonClient client(socket);
  CControlCommand command(client, stdout, stderr, std::move(files));
  return command.Run(args);
}
