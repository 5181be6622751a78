#include "toolkit/ZafRaiseChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace {

constexpr char kRequest[] = "raise\n";
constexpr char kRaised[] = "raised\n";
constexpr char kNoWindow[] = "no window\n";
// How long the running side waits for a request line once a caller is in.
constexpr int kRequestWaitMs = 200;

bool MakeAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

bool PeerIsThisUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

// Reads what arrives within `waitMs`, up to `size` bytes or a newline.
std::string ReadLine(int fd, int waitMs, std::size_t size) {
  std::string line;
  while (line.size() < size && (line.empty() || line.back() != '\n')) {
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, waitMs) != 1) break;
    char buffer[32];
    const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    line.append(buffer, static_cast<std::size_t>(got));
  }
  return line;
}

// A caller that hung up meanwhile misses the line; there is nothing to do about it.
void Send(int fd, const char* text) {
  if (send(fd, text, std::strlen(text), MSG_NOSIGNAL) < 0) return;
}

}  // namespace

ZafRaiseChannel::~ZafRaiseChannel() {
  if (m_fd < 0) return;
  close(m_fd);
  unlink(m_path.c_str());
}

bool ZafRaiseChannel::Listen(std::string& problem) {
  sockaddr_un address{};
  if (!MakeAddress(m_path, address)) {
    problem = m_path + ": not a usable socket path";
    return false;
  }
  struct stat there {};
  if (lstat(m_path.c_str(), &there) == 0) {
    if (!S_ISSOCK(there.st_mode) || there.st_uid != getuid()) {
      problem = m_path + " is there and is not this user's socket";
      return false;
    }
    unlink(m_path.c_str());
  }
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    problem = std::string("no socket: ") + std::strerror(errno);
    return false;
  }
  // Nobody else may even connect, whatever the folder allows.
  const mode_t previous = umask(0077);
  const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  const int bindError = errno;
  umask(previous);
  if (!bound || listen(fd, 4) != 0) {
    problem = m_path + ": " + std::strerror(bound ? errno : bindError);
    close(fd);
    return false;
  }
  m_fd = fd;
  return true;
}

bool ZafRaiseChannel::TakeRequest(const std::function<bool()>& raise) {
  if (m_fd < 0) return false;
  const int caller = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
  if (caller < 0) return false;
  bool taken = false;
  if (PeerIsThisUser(caller) && ReadLine(caller, kRequestWaitMs, sizeof kRequest) == kRequest) {
    Send(caller, raise() ? kRaised : kNoWindow);
    taken = true;
  }
  close(caller);
  return taken;
}

ZafRaiseChannel::Answer ZafRaiseChannel::Ask(const std::string& path,
                                             std::chrono::milliseconds wait) {
  sockaddr_un address{};
  if (!MakeAddress(path, address)) return Answer::kNoAnswer;
  struct stat there {};
  if (lstat(path.c_str(), &there) != 0) return Answer::kNoAnswer;
  if (!S_ISSOCK(there.st_mode) || there.st_uid != getuid()) return Answer::kRefused;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return Answer::kNoAnswer;
  Answer answer = Answer::kNoAnswer;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    if (!PeerIsThisUser(fd)) {
      answer = Answer::kRefused;
    } else {
      Send(fd, kRequest);
      const std::string reply = ReadLine(fd, static_cast<int>(wait.count()), sizeof kRaised);
      if (reply == kRaised)
        answer = Answer::kRaised;
      else if (reply == kNoWindow)
        answer = Answer::kNoWindow;
    }
  }
  close(fd);
  return answer;
}
