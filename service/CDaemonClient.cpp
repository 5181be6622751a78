#include "service/CDaemonClient.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "service/CFrameCodec.h"
#include "service/CServicePaths.h"

namespace {

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
  return static_cast<int>(std::max<std::int64_t>(left, 0));
}

}  // namespace

CDaemonClient::CDaemonClient(std::filesystem::path socket, int timeoutMs)
    : m_socket(std::move(socket)), m_timeoutMs(timeoutMs) {}

CDaemonClient::~CDaemonClient() { Disconnect(); }

void CDaemonClient::Disconnect() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

bool CDaemonClient::Connect() {
  if (m_fd >= 0) return true;
  m_refusal.clear();
  if (!CServicePaths::CheckSocket(m_socket, m_refusal)) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = m_socket.string();
  if (path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (m_fd < 0) return false;
  if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
    // A listener whose backlog is full answers EAGAIN; one that is gone, ENOENT or ECONNREFUSED.
    bool connected = false;
    if (errno == EINPROGRESS || errno == EAGAIN) {
      pollfd wait{m_fd, POLLOUT, 0};
      int error = 0;
      socklen_t size = sizeof(error);
      connected = ::poll(&wait, 1, m_timeoutMs) == 1 &&
                  ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    if (!connected) {
      Disconnect();
      return false;
    }
  }
  // Whoever listens there must be this user, as the folder check assumes.
  ucred peer{};
  socklen_t size = sizeof(peer);
  if (::getsockopt(m_fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != ::geteuid()) {
    m_refusal = path + ": served by user " + std::to_string(peer.uid) + ", not by this user";
    Disconnect();
    return false;
  }
  return true;
}

bool CDaemonClient::IsStale() const {
  pollfd look{m_fd, POLLIN, 0};
  if (::poll(&look, 1, 0) != 1) return false;
  std::uint8_t byte = 0;
  // Anything readable before a request is sent is a goodbye: end of file or a refusal.
  return ::recv(m_fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) >= 0 || errno != EAGAIN;
}

std::uint32_t CDaemonClient::PendingRefusal() {
  std::uint8_t frame[CFrameCodec::kHeaderSize + CFrameCodec::kRefusalSize];
  const ssize_t n = ::recv(m_fd, frame, sizeof(frame), MSG_DONTWAIT);
  if (n != static_cast<ssize_t>(sizeof(frame)) || CFrameCodec::ReadLength(frame) != CFrameCodec::kRefusalSize) return 0;
  return CFrameCodec::ReadStatus(std::span<const std::uint8_t>(frame + CFrameCodec::kHeaderSize, 4));
}

CDaemonClient::Outcome CDaemonClient::WriteAll(const std::uint8_t* bytes, std::size_t size, Clock::time_point deadline) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::send(m_fd, bytes + done, size - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    pollfd wait{m_fd, POLLOUT, 0};
    if (n < 0 && errno == EAGAIN) {
      if (::poll(&wait, 1, RemainingMs(deadline)) == 1) continue;
      return Outcome::kTimedOut;
    }
    return done == 0 ? Outcome::kNothingDone : Outcome::kBroken;
  }
  return Outcome::kDone;
}

CDaemonClient::Outcome CDaemonClient::ReadAll(std::uint8_t* bytes, std::size_t size, Clock::time_point deadline) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::recv(m_fd, bytes + done, size - done, 0);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n == 0) return Outcome::kBroken;
    if (errno == EINTR) continue;
    pollfd wait{m_fd, POLLIN, 0};
    if (errno != EAGAIN) return Outcome::kBroken;
    if (::poll(&wait, 1, RemainingMs(deadline)) != 1) return Outcome::kTimedOut;
  }
  return Outcome::kDone;
}

std::uint32_t CDaemonClient::Exchange(StDriverPacket& packet) {
  const bool change = packet.command != kCommandGet && packet.command != kCommandGetDefault;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(m_timeoutMs);
  const std::uint32_t unanswered = change ? kStatusNoReply : kStatusNoDriverInterface;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (m_fd >= 0 && IsStale()) Disconnect();
    if (!Connect()) return kStatusNoDriverInterface;
    m_out.clear();
    CFrameCodec::EncodeRequest(packet, m_out);
    const Outcome sent = WriteAll(m_out.data(), m_out.size(), deadline);
    if (sent != Outcome::kDone) {
      const std::uint32_t refused = PendingRefusal();
      Disconnect();
      if (refused != 0) return refused;
      // Not one byte reached the daemon: safe to try a fresh connection.
      if (sent == Outcome::kNothingDone) continue;
      return unanswered;
    }
    std::uint8_t header[CFrameCodec::kHeaderSize];
    const Outcome heard = ReadAll(header, sizeof(header), deadline);
    if (heard != Outcome::kDone) {
      Disconnect();
      // A get may be asked again of a daemon that restarted; a change may
      // already be made, so it is reported and never repeated.
      if (heard == Outcome::kBroken && !change) continue;
      return unanswered;
    }
    const std::uint32_t length = CFrameCodec::ReadLength(header);
    if (length > CFrameCodec::kMaxPayload) {
      Disconnect();
      return kStatusMalformedPacket;
    }
    m_in.resize(length);
    if (ReadAll(m_in.data(), length, deadline) != Outcome::kDone) {
      Disconnect();
      return unanswered;
    }
    std::uint32_t status = 0;
    if (length == CFrameCodec::kRefusalSize) {
      Disconnect();
      return CFrameCodec::ReadStatus(m_in);
    }
    if (CFrameCodec::DecodeReply(m_in, packet, status) != kStatusOk) {
      Disconnect();
      return kStatusMalformedPacket;
    }
    return status;
  }
  return unanswered;
}

bool CDaemonClient::Subscribe() {
  const std::uint8_t empty[CFrameCodec::kHeaderSize] = {0, 0, 0, 0};
  const auto deadline = Clock::now() + std::chrono::milliseconds(m_timeoutMs);
  return Connect() && WriteAll(empty, sizeof(empty), deadline) == Outcome::kDone;
}

bool CDaemonClient::ReadFrame(std::vector<std::uint8_t>& payload, int timeoutMs) {
  if (m_fd < 0) return false;
  pollfd wait{m_fd, POLLIN, 0};
  if (::poll(&wait, 1, timeoutMs) != 1) return false;
  const auto deadline = Clock::now() + std::chrono::milliseconds(m_timeoutMs);
  std::uint8_t header[CFrameCodec::kHeaderSize];
  if (ReadAll(header, sizeof(header), deadline) != Outcome::kDone) return false;
  const std::uint32_t length = CFrameCodec::ReadLength(header);
  if (length > CFrameCodec::kMaxPayload) return false;
  payload.resize(length);
  return ReadAll(payload.data(), length, deadline) == Outcome::kDone;
}
