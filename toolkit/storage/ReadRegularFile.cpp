#include "toolkit/storage/ReadRegularFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {
std::string Why(int error) {
  if (error == ENOENT) return "no such file";
  return std::string("cannot be read (") + std::strerror(error) + ")";
}
}  // namespace

bool ReadRegularFile(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes,
                     std::string& problem) {
  bytes.clear();
  problem.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    problem = Why(errno);
    return false;
  }
  struct stat about {};
  if (fstat(fd, &about) != 0) {
    problem = Why(errno);
  } else if (S_ISDIR(about.st_mode)) {
    problem = "is a folder";
  } else if (!S_ISREG(about.st_mode)) {
    problem = "is not a regular file";
  } else if (static_cast<std::uint64_t>(about.st_size) > limit) {
    problem = "is larger than " + std::to_string(limit >> 20) + " MiB";
  } else {
    bytes.resize(static_cast<std::size_t>(about.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) problem = Why(errno);
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
  }
  close(fd);
  if (!problem.empty()) bytes.clear();
  return problem.empty();
}
