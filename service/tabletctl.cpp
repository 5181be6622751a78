// tabletctl: inspect and change the tablet service from the command line.

#include <cstdio>
#include <string>
#include <vector>

#include "service/CControlCommand.h"
#include "service/CDaemonClient.h"
#include "service/CServicePaths.h"
#include "service/input/CRecordCommand.h"

int main(int argc, char** argv) {
  std::filesystem::path socket = CServicePaths::Socket();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--socket" && args.empty() && i + 1 < argc) {
      socket = argv[++i];
      continue;
    }
    args.push_back(arg);
  }
  // Recording reads a device, not the service.
  if (!args.empty() && args[0] == "record")
    return CRecordCommand(stdout, stderr).Run({args.begin() + 1, args.end()});
  CDaemonClient client(socket);
  CControlCommand command(client, stdout, stderr);
  return command.Run(args);
}
