#include "host/applet/ShellOpen.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

extern char** environ;

namespace {
constexpr std::intptr_t kOpened = 33;
constexpr std::intptr_t kFileNotFound = 2;
constexpr std::intptr_t kPathNotFound = 3;
constexpr std::intptr_t kNoAssociation = 31;

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

std::intptr_t ShellOpen(const std::string& path, const std::string& directory) {
  if (!directory.empty() && !IsDirectory(directory)) return kPathNotFound;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return kFileNotFound;
  // KELVO_OPEN_COMMAND lets tests see the call without a desktop.
  const char* opener = std::getenv("KELVO_OPEN_COMMAND");
  std::string program = opener != nullptr && *opener != '\0' ? opener : "xdg-open";
  std::string argument = path;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) return kNoAssociation;
  // The opener hands the file on and returns; its status says whether
  // anything could open it.
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return kNoAssociation;
  return kOpened;
}
