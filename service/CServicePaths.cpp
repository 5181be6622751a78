#include "service/CServicePaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "service/CPrivateFolder.h"

namespace {

const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

std::filesystem::path PrivateTmp() { return "/tmp/kelvo-" + std::to_string(::getuid()); }

std::filesystem::path Home() {
  if (const char* home = Variable("HOME")) return home;
  // Never a shared folder in its place: another user could prepare it.
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/' ? user->pw_dir : "";
}

}  // namespace

std::filesystem::path CServicePaths::Socket() {
  if (const char* socket = Variable("KELVO_SERVICE_SOCKET")) return socket;
  if (const char* runtime = Variable("XDG_RUNTIME_DIR")) return std::filesystem::path(runtime) / "kelvo-tablet.sock";
  return PrivateTmp() / "kelvo-tablet.sock";
}

std::filesystem::path CServicePaths::State() {
  if (const char* state = Variable("KELVO_STATE")) return state;
  if (const char* home = Variable("XDG_STATE_HOME")) return std::filesystem::path(home) / "kelvo" / "state.json";
  const std::filesystem::path home = Home();
  return home.empty() ? home : home / ".local/state/kelvo/state.json";
}

bool CServicePaths::PrepareSocketDirectory(const std::filesystem::path& socket) {
  const std::filesystem::path directory = socket.parent_path();
  if (directory != PrivateTmp()) return true;
  if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) return false;
  std::string ignored;
  return CPrivateFolder::IsPrivate(directory, CPrivateFolder::Others::kNone, ignored);
}

bool CServicePaths::CheckSocket(const std::filesystem::path& socket, std::string& error) {
  std::filesystem::path folder = socket.parent_path();
  if (folder.empty()) folder = ".";
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 && errno == ENOENT) return true;  // no service there
  const auto others = folder == PrivateTmp() ? CPrivateFolder::Others::kNone : CPrivateFolder::Others::kMayRead;
  if (!CPrivateFolder::IsPrivate(folder, others, error)) {
    error = "socket folder refused: " + error;
    return false;
  }
  if (::lstat(socket.c_str(), &info) != 0) return true;  // nothing there yet
  if (!S_ISSOCK(info.st_mode) || info.st_uid != ::geteuid()) {
    error = socket.string() + ": not a socket of this user's";
    return false;
  }
  return true;
}
