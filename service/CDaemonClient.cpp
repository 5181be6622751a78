#include "service/CDaemonClient.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "service/CFrameCodec.h"

CDaemonClient::CDaemonClient(std::filesystem::path socket, int timeoutMs)
    : m_socket(std::move(socket)), m_timeoutMs(timeoutMs) {}

CDaemonClient::~CDaemonClient() { Disconnect(); }

void CDaemonClient::Disconnect() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

bool CDaemonClient::Connect() {
  if (m_fd >= 0) return true;
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
  return true;
}

bool CDaemonClient::WriteAll(const std::uint8_t* bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::send(m_fd, bytes + done, size - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    pollfd wait{m_fd, POLLOUT, 0};
    if (n < 0 && errno == EAGAIN && ::poll(&wait, 1, m_timeoutMs) == 1) continue;
    return false;
  }
  return true;
}

bool CDaemonClient::ReadAll(std::uint8_t* bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::recv(m_fd, bytes + done, size - done, 0);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n == 0) return false;
    if (errno == EINTR) continue;
    pollfd wait{m_fd, POLLIN, 0};
    if (errno == EAGAIN && ::poll(&wait, 1, m_timeoutMs) == 1) continue;
    return false;
  }
  return true;
}

std::uint32_t CDaemonClient::Exchange(StDriverPacket& packet) {
  // One retry on a fresh connection covers a daemon that restarted.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!Connect()) return kStatusNoDriverInterface;
    m_out.clear();
    CFrameCodec::EncodeRequest(packet, m_out);
    std::uint8_t header[CFrameCodec::kHeaderSize];
    if (!WriteAll(m_out.data(), m_out.size()) || !ReadAll(header, sizeof(header))) {
      Disconnect();
      continue;
    }
    const std::uint32_t length = CFrameCodec::ReadLength(header);
    if (length > CFrameCodec::kMaxPayload) {
      Disconnect();
      return kStatusMalformedPacket;
    }
    m_in.resize(length);
    if (!ReadAll(m_in.data(), length)) {
      Disconnect();
      return kStatusNoDriverInterface;
    }
    std::uint32_t status = 0;
    if (CFrameCodec::DecodeReply(m_in, packet, status) != kStatusOk) {
      Disconnect();
      return kStatusMalformedPacket;
    }
    return status;
  }
  return kStatusNoDriverInterface;
}

bool CDaemonClient::Subscribe() {
  const std::uint8_t empty[CFrameCodec::kHeaderSize] = {0, 0, 0, 0};
  return Connect() && WriteAll(empty, sizeof(empty));
}

bool CDaemonClient::ReadFrame(std::vector<std::uint8_t>& payload, int timeoutMs) {
  if (m_fd < 0) return false;
  pollfd wait{m_fd, POLLIN, 0};
  if (::poll(&wait, 1, timeoutMs) != 1) return false;
  std::uint8_t header[CFrameCodec::kHeaderSize];
  if (!ReadAll(header, sizeof(header))) return false;
  const std::uint32_t length = CFrameCodec::ReadLength(header);
  if (length > CFrameCodec::kMaxPayload) return false;
  payload.resize(length);
  return ReadAll(payload.data(), length);
}
