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
  // Blocking from here on, every call bounded: a reply costs one send and one receive.
  const timeval limit{m_timeoutMs / 1000, (m_timeoutMs % 1000) * 1000};
  if (::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
      ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit)) != 0 ||
      ::setsockopt(m_fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof(limit)) != 0) {
    Disconnect();
    return false;
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

std::uint32_t CDaemonClient::PendingRefusal() {
  std::uint8_t frame[CFrameCodec::kHeaderSize + CFrameCodec::kRefusalSize];
  const ssize_t n = ::recv(m_fd, frame, sizeof(frame), MSG_DONTWAIT | MSG_PEEK);
  if (n != static_cast<ssize_t>(sizeof(frame)) || CFrameCodec::ReadLength(frame) != CFrameCodec::kRefusalSize) return 0;
  return CFrameCodec::ReadStatus(std::span<const std::uint8_t>(frame + CFrameCodec::kHeaderSize, 4));
}

CDaemonClient::Outcome CDaemonClient::WriteAll(const std::uint8_t* bytes, std::size_t size, Clock::time_point deadline) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::send(m_fd, bytes + done, size - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return Outcome::kTimedOut;
    } else {
      return done == 0 ? Outcome::kNothingDone : Outcome::kBroken;
    }
    if (done < size && Clock::now() >= deadline) return Outcome::kTimedOut;
  }
  return Outcome::kDone;
}

CDaemonClient::Outcome CDaemonClient::ReadSome(std::uint8_t* bytes, std::size_t room, std::size_t& got,
                                               Clock::time_point deadline) {
  // Each receive waits at most the connection's timeout; a reply that trickles
  // in is cut off at the deadline.
  for (;;) {
    const ssize_t n = ::recv(m_fd, bytes, room, 0);
    if (n > 0) {
      got = static_cast<std::size_t>(n);
      return Outcome::kDone;
    }
    if (n == 0) return Outcome::kBroken;
    if (errno == EINTR && Clock::now() < deadline) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? Outcome::kTimedOut : Outcome::kBroken;
  }
}

CDaemonClient::Outcome CDaemonClient::ReadAll(std::uint8_t* bytes, std::size_t size, Clock::time_point deadline) {
  std::size_t done = 0;
  while (done < size) {
    if (Clock::now() >= deadline) return Outcome::kTimedOut;
    std::size_t got = 0;
    const Outcome outcome = ReadSome(bytes + done, size - done, got, deadline);
    if (outcome != Outcome::kDone) return outcome;
    done += got;
  }
  return Outcome::kDone;
}

CDaemonClient::Outcome CDaemonClient::ReadReply(std::size_t largest, Clock::time_point deadline) {
  // Usually the whole reply comes in the first receive.
  m_in.resize(CFrameCodec::kHeaderSize + largest);
  std::size_t have = 0;
  while (have < CFrameCodec::kHeaderSize) {
    if (have > 0 && Clock::now() >= deadline) return Outcome::kTimedOut;
    std::size_t got = 0;
    const Outcome outcome = ReadSome(m_in.data() + have, m_in.size() - have, got, deadline);
    if (outcome != Outcome::kDone) return outcome;
    have += got;
  }
  const std::uint32_t length = CFrameCodec::ReadLength(m_in.data());
  if (length > largest) return Outcome::kMalformed;
  const std::size_t whole = CFrameCodec::kHeaderSize + length;
  if (have > whole) return Outcome::kMalformed;
  const Outcome rest = ReadAll(m_in.data() + have, whole - have, deadline);
  m_in.resize(whole);
  return rest;
}

std::uint32_t CDaemonClient::Exchange(StDriverPacket& packet) {
  const bool change = packet.command != kCommandGet && packet.command != kCommandGetDefault;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(m_timeoutMs);
  const std::uint32_t unanswered = change ? kStatusNoReply : kStatusNoDriverInterface;
  const std::size_t largest = 4 + StDriverPacket::kWireSize + packet.capacity;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!Connect()) return kStatusNoDriverInterface;
    m_out.clear();
    CFrameCodec::EncodeRequest(packet, m_out);
    const Outcome sent = WriteAll(m_out.data(), m_out.size(), deadline);
    if (sent != Outcome::kDone) {
      const std::uint32_t refused = PendingRefusal();
      Disconnect();
      if (refused != 0) return refused;
      // Not one byte reached the daemon (it closed an idle connection, or
      // restarted): safe to try a fresh connection.
      if (sent == Outcome::kNothingDone) continue;
      return unanswered;
    }
    const Outcome heard = ReadReply(largest, deadline);
    if (heard == Outcome::kMalformed) {
      Disconnect();
      return kStatusMalformedPacket;
    }
    if (heard != Outcome::kDone) {
      Disconnect();
      // A get may be asked again of a daemon that restarted; a change may
      // already be made, so it is reported and never repeated.
      if (heard == Outcome::kBroken && !change) continue;
      return unanswered;
    }
    const std::span<const std::uint8_t> payload(m_in.data() + CFrameCodec::kHeaderSize,
                                                m_in.size() - CFrameCodec::kHeaderSize);
    if (payload.size() == CFrameCodec::kRefusalSize) {
      Disconnect();
      return CFrameCodec::ReadStatus(payload);
    }
    std::uint32_t status = 0;
    if (CFrameCodec::DecodeReply(payload, packet, status) != kStatusOk) {
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
