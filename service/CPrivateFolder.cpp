#include "service/CPrivateFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>

namespace {

std::string Describe(const std::filesystem::path& folder, const char* what) {
  return folder.string() + ": " + what;
}

bool MakeFolders(const std::filesystem::path& folder, std::string& error) {
  std::filesystem::path built;
  for (const auto& part : folder) {
    built /= part;
    if (::mkdir(built.c_str(), 0700) != 0 && errno != EEXIST) {
      error = Describe(built, std::strerror(errno));
      return false;
    }
  }
  return true;
}

std::string RandomSuffix() {
  static thread_local std::mt19937_64 engine{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix;
  for (int i = 0; i < 12; ++i) suffix += kLetters[engine() % (sizeof(kLetters) - 1)];
  return suffix;
}

}  // namespace

CPrivateFolder::~CPrivateFolder() {
  if (m_fd >= 0) ::close(m_fd);
}

bool CPrivateFolder::IsPrivate(const std::filesystem::path& folder, Others others, std::string& error) {
  char* resolved = ::realpath(folder.c_str(), nullptr);
  if (resolved == nullptr) {
    error = Describe(folder, std::strerror(errno));
    return false;
  }
  const std::filesystem::path real = resolved;
  std::free(resolved);
  const uid_t me = ::geteuid();
  std::filesystem::path walked;
  for (auto part = real.begin(); part != real.end(); ++part) {
    walked /= *part;
    struct stat info {};
    if (::lstat(walked.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
      error = Describe(walked, "is not a folder");
      return false;
    }
    const bool last = std::next(part) == real.end();
    if (last) {
      if (info.st_uid != me) {
        error = Describe(folder, ("belongs to user " + std::to_string(info.st_uid) + ", not to this user").c_str());
        return false;
      }
      if ((info.st_mode & static_cast<unsigned>(others)) != 0) {
        error = Describe(folder, "other users may change it (check its mode)");
        return false;
      }
      continue;
    }
    // Above it: only this user or root may rename things, unless the sticky
    // bit keeps others to their own names.
    const bool othersWrite = (info.st_mode & 022) != 0 && (info.st_mode & S_ISVTX) == 0;
    if ((info.st_uid != me && info.st_uid != 0) || othersWrite) {
      error = Describe(walked, "another user may change this folder");
      return false;
    }
  }
  return true;
}

bool CPrivateFolder::Open(const std::filesystem::path& folder, std::string& error) {
  if (!MakeFolders(folder, error) || !IsPrivate(folder, Others::kMayRead, error)) return false;
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat opened {};
  struct stat checked {};
  if (fd < 0 || ::fstat(fd, &opened) != 0 || ::stat(folder.c_str(), &checked) != 0 || opened.st_ino != checked.st_ino ||
      opened.st_dev != checked.st_dev || opened.st_uid != ::geteuid()) {
    if (fd >= 0) ::close(fd);
    error = Describe(folder, "changed while it was checked");
    return false;
  }
  if (m_fd >= 0) ::close(m_fd);
  m_fd = fd;
  m_path = folder;
  return true;
}

int CPrivateFolder::CreateTemporary(const std::string& stem, std::string& name) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    name = stem + ".tmp-" + RandomSuffix();
    const int fd = ::openat(m_fd, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool CPrivateFolder::Replace(const std::string& from, const std::string& to) {
  return ::renameat(m_fd, from.c_str(), m_fd, to.c_str()) == 0 && ::fsync(m_fd) == 0;
}

std::string CPrivateFolder::SetAside(const std::string& name) {
  for (int number = 1; number < 10000; ++number) {
    const std::string aside = name + ".damaged." + std::to_string(number);
    // A link never replaces an existing name, so no earlier copy is lost.
    if (::linkat(m_fd, name.c_str(), m_fd, aside.c_str(), 0) == 0) {
      if (::unlinkat(m_fd, name.c_str(), 0) != 0) return {};
      ::fsync(m_fd);  // the copy is in place either way
      return aside;
    }
    if (errno != EEXIST) return {};
  }
  return {};
}

void CPrivateFolder::RemoveTemporaries(const std::string& stem) {
  const int fd = ::openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
  if (dir == nullptr) {
    if (fd >= 0) ::close(fd);
    return;
  }
  const std::string prefix = stem + ".tmp-";
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) ::unlinkat(m_fd, entry->d_name, 0);
  }
  ::closedir(dir);
}

bool CPrivateFolder::Lock(int waitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  auto pause = std::chrono::microseconds(100);
  for (;;) {
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds(2000));
  }
}

void CPrivateFolder::Unlock() { ::flock(m_fd, LOCK_UN); }
