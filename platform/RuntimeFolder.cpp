#include "platform/RuntimeFolder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>

namespace {

const char* Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

// Empty when `folder` is a folder of this user's that nobody else may enter.
std::string CheckOwnFolder(const std::string& folder, bool othersMayEnter) {
  struct stat about {};
  if (lstat(folder.c_str(), &about) != 0) return folder + ": " + std::strerror(errno);
  if (!S_ISDIR(about.st_mode)) return folder + " is not a folder";
  if (about.st_uid != getuid()) return folder + " belongs to another user";
  if (!othersMayEnter && (about.st_mode & 077) != 0) return folder + " is open to other users";
  return {};
}

}  // namespace

std::string UserRuntimeFolder(std::string& problem) {
  problem.clear();
  if (const char* folder = Environment("KELVO_RUNTIME_DIR")) return folder;
  if (const char* folder = Environment("XDG_RUNTIME_DIR")) {
    problem = CheckOwnFolder(folder, true);
    return problem.empty() ? folder : std::string();
  }
  const char* base = Environment("TMPDIR");
  const std::string folder =
      std::string(base != nullptr ? base : "/tmp") + "/kelvo-" + std::to_string(getuid());
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    problem = folder + ": " + std::strerror(errno);
    return {};
  }
  problem = CheckOwnFolder(folder, false);
  return problem.empty() ? folder : std::string();
}
