#include "service/CDaemon.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "service/CFrameCodec.h"

namespace {

constexpr std::size_t kMaxClients = 256;
// A client that reads nothing while its replies pile up is cut off.
constexpr std::size_t kMaxPendingOut = 4 * 1024 * 1024;

}  // namespace

CDaemon::CDaemon(CTabletService& service, std::filesystem::path socket)
    : m_service(service), m_socket(std::move(socket)) {}

CDaemon::~CDaemon() {
  for (auto& [fd, client] : m_clients) ::close(fd);
  if (m_listener >= 0) {
    ::close(m_listener);
    ::unlink(m_socket.c_str());
  }
}

bool CDaemon::Listen(std::string& error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = m_socket.string();
  if (path.size() >= sizeof(address.sun_path)) {
    error = path + ": socket path too long";
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (m_listener < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return false;
  }
  // A socket file left by a daemon that died is replaced; a live one is not.
  const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool alive = ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  ::close(probe);
  if (alive) {
    error = path + ": another tabletd is serving this socket";
    ::close(m_listener);
    m_listener = -1;
    return false;
  }
  ::unlink(path.c_str());
  const mode_t previous = ::umask(0177);
  const bool bound = ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  ::umask(previous);
  if (!bound || ::chmod(path.c_str(), 0600) != 0 || ::listen(m_listener, 64) != 0) {
    error = path + ": " + std::strerror(errno);
    ::close(m_listener);
    m_listener = -1;
    return false;
  }
  return true;
}

void CDaemon::Run(const volatile std::sig_atomic_t& stop) {
  while (stop == 0) Poll(200);
  DropStatus(m_service.SaveState(), "the daemon is stopping; there is no client left to tell");
}

void CDaemon::Poll(int timeoutMs) {
  std::vector<pollfd> watched;
  watched.push_back({m_listener, POLLIN, 0});
  for (const auto& [fd, client] : m_clients)
    watched.push_back({fd, static_cast<short>(POLLIN | (client.out.empty() ? 0 : POLLOUT)), 0});
  if (::poll(watched.data(), watched.size(), timeoutMs) <= 0) return;
  if ((watched[0].revents & POLLIN) != 0) Accept();
  for (std::size_t i = 1; i < watched.size(); ++i) {
    const int fd = watched[i].fd;
    auto found = m_clients.find(fd);
    if (found == m_clients.end()) continue;
    bool keep = true;
    if ((watched[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) keep = ReadFrom(fd, found->second);
    if (keep && !found->second.out.empty()) keep = Flush(fd, found->second);
    if (!keep) Close(fd);
  }
}

void CDaemon::Accept() {
  for (;;) {
    const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    if (m_clients.size() >= kMaxClients) {
      ::close(fd);
      continue;
    }
    m_clients[fd] = StClient{};
  }
}

bool CDaemon::ReadFrom(int fd, StClient& client) {
  std::uint8_t chunk[16384];
  for (;;) {
    const ssize_t n = ::recv(fd, chunk, sizeof(chunk), 0);
    if (n > 0) {
      client.in.insert(client.in.end(), chunk, chunk + n);
      if (!Serve(client)) return false;
      continue;
    }
    if (n == 0) return false;
    return errno == EAGAIN || errno == EINTR;
  }
}

bool CDaemon::Serve(StClient& client) {
  std::size_t used = 0;
  bool keep = true;
  while (keep && client.in.size() - used >= CFrameCodec::kHeaderSize) {
    const std::uint32_t length = CFrameCodec::ReadLength(client.in.data() + used);
    if (length > CFrameCodec::kMaxPayload) {
      keep = false;
      break;
    }
    if (client.in.size() - used < CFrameCodec::kHeaderSize + length) break;
    const std::span<const std::uint8_t> payload(client.in.data() + used + CFrameCodec::kHeaderSize, length);
    used += CFrameCodec::kHeaderSize + length;
    if (length == 0) {
      client.watcher = true;
      continue;
    }
    StDriverPacket packet;
    if (CFrameCodec::DecodeRequest(payload, packet, m_scratch) != kStatusOk) {
      keep = false;
      break;
    }
    const std::uint32_t status = m_service.HandlePacket(packet);
    const std::size_t start = client.out.size();
    CFrameCodec::EncodeReply(status, packet, client.out);
    for (auto& [otherFd, other] : m_clients) {
      if (!other.watcher || &other == &client || other.out.size() > kMaxPendingOut) continue;
      other.out.insert(other.out.end(), client.out.begin() + static_cast<std::ptrdiff_t>(start), client.out.end());
    }
    keep = client.out.size() <= kMaxPendingOut;
  }
  client.in.erase(client.in.begin(), client.in.begin() + static_cast<std::ptrdiff_t>(used));
  return keep;
}

bool CDaemon::Flush(int fd, StClient& client) {
  while (!client.out.empty()) {
    const ssize_t n = ::send(fd, client.out.data(), client.out.size(), MSG_NOSIGNAL);
    if (n > 0) {
      client.out.erase(client.out.begin(), client.out.begin() + n);
      continue;
    }
    return n < 0 && (errno == EAGAIN || errno == EINTR);
  }
  return true;
}

void CDaemon::Close(int fd) {
  ::close(fd);
  m_clients.erase(fd);
}
