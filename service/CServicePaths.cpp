#include "service/CServicePaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

std::filesystem::path PrivateTmp() { return "/tmp/kelvo-" + std::to_string(::getuid()); }

}  // namespace

std::filesystem::path CServicePaths::Socket() {
  if (const char* socket = Variable("KELVO_SERVICE_SOCKET")) return socket;
  if (const char* runtime = Variable("XDG_RUNTIME_DIR")) return std::filesystem::path(runtime) / "kelvo-tablet.sock";
  return PrivateTmp() / "kelvo-tablet.sock";
}

std::filesystem::path CServicePaths::State() {
  if (const char* state = Variable("KELVO_STATE")) return state;
  if (const char* home = Variable("XDG_STATE_HOME")) return std::filesystem::path(home) / "kelvo" / "state.json";
  const char* user = Variable("HOME");
  return std::filesystem::path(user != nullptr ? user : "/tmp") / ".local/state/kelvo/state.json";
}

bool CServicePaths::PrepareSocketDirectory(const std::filesystem::path& socket) {
  const std::filesystem::path directory = socket.parent_path();
  if (directory != PrivateTmp()) return true;
  if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  // Someone else's directory there would let them see our socket.
  return ::lstat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
         (info.st_mode & 077) == 0;
}
