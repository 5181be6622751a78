#include "service/CDaemon.h"

#include <fcntl.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "service/CFrameCodec.h"
#include "service/CServicePaths.h"
#include "service/PacketPath.h"
#include "service/ServiceCodes.h"

namespace {

// A client whose unread replies pass this is not read from until it catches up.
constexpr std::size_t kReadPause = 64 * 1024;
// While another process holds the state lock, the loop tries again this soon.
constexpr int kLockRetryMs = 1;
// Marks the epoll entries of watched descriptors: clients and the listener
// carry just their descriptor, so their upper half is zero.
constexpr std::uint64_t kHandlerTag = std::uint64_t{1} << 32;

}  // namespace

CDaemon::CDaemon(CTabletService& service, std::filesystem::path socket, StDaemonLimits limits)
    : m_service(service),
      m_socket(std::move(socket)),
      m_limits(limits),
      m_writer(std::make_unique<CStateWriter>(service.State())) {}

CDaemon::~CDaemon() {
  m_writer.reset();
  for (const auto& [fd, handler] : m_handlers) ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);  // ends a write in flight before the socket goes
  if (m_epoll >= 0) ::close(m_epoll);
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
  if (!CServicePaths::CheckSocket(m_socket, error)) return false;
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
  struct stat existing {};
  if (alive) error = path + ": another tabletd is serving this socket";
  if (!alive && ::lstat(path.c_str(), &existing) == 0 && !S_ISSOCK(existing.st_mode))
    error = path + ": exists and is not a socket; it is left as it is";
  if (!error.empty()) {
    ::close(m_listener);
    m_listener = -1;
    return false;
  }
  // Bound under a name of its own and renamed into place once it listens: a
  // client that finds the socket file is never refused.
  sockaddr_un bindAddress = address;
  const std::string bindPath = path + ".new";
  if (bindPath.size() < sizeof(bindAddress.sun_path))
    std::memcpy(bindAddress.sun_path, bindPath.c_str(), bindPath.size() + 1);
  const char* bindName = bindAddress.sun_path;
  ::unlink(bindName);
  const mode_t previous = ::umask(0177);
  const bool bound = ::bind(m_listener, reinterpret_cast<const sockaddr*>(&bindAddress), sizeof(bindAddress)) == 0;
  ::umask(previous);
  if (!bound || ::chmod(bindName, 0600) != 0 || ::listen(m_listener, 64) != 0 ||
      ::rename(bindName, path.c_str()) != 0) {
    error = path + ": " + std::strerror(errno);
    if (bound) ::unlink(bindName);
    ::close(m_listener);
    m_listener = -1;
    return false;
  }
  return true;
}

void CDaemon::Run(const volatile std::sig_atomic_t& stop) {
  while (stop == 0) Poll(200);
  // Changes already taken in are stored and answered before the end.
  while (m_writer->Busy() || !m_queued.empty()) Poll(50);
  DropStatus(m_service.SaveState(), "a failed write has said why on stderr");
}

int CDaemon::NextWaitMs(int timeoutMs, Clock::time_point now) const {
  Clock::time_point next = now + std::chrono::milliseconds(timeoutMs);
  next = std::min(next, now + CStateStore::kLookInterval);
  for (const auto& [fd, client] : m_clients) {
    if (!client.in.empty()) next = std::min(next, client.frameStarted + m_limits.frameTime);
    if (!client.watcher) next = std::min(next, client.lastHeard + m_limits.idle);
  }
  if (m_retryLock) next = std::min(next, now + std::chrono::milliseconds(kLockRetryMs));
  if (!m_queued.empty() && !m_retryLock && !m_writer->Busy()) next = now;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - now).count();
  return static_cast<int>(std::max<std::int64_t>(wait, 0));
}

void CDaemon::Watch(int fd, StClient& client) {
  const bool read = Pending(client) < kReadPause && client.in.size() <= 2 * CFrameCodec::kMaxPayload;
  const std::uint32_t wanted = (read ? EPOLLIN : 0u) | (Pending(client) > 0 ? EPOLLOUT : 0u);
  if (wanted == client.watched) return;
  epoll_event event{};
  event.events = wanted;
  event.data.fd = fd;
  if (::epoll_ctl(m_epoll, EPOLL_CTL_MOD, fd, &event) == 0) client.watched = wanted;
}

void CDaemon::OpenEpoll() {
  if (m_epoll >= 0) return;
  // The wake-up descriptor and the listener stay watched for the daemon's life.
  m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
  for (const int fd : {m_listener, m_writer->WakeFd()}) {
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    if (fd >= 0) ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event);
  }
}

bool CDaemon::WatchDescriptor(int fd, IDescriptorHandler& handler) {
  OpenEpoll();
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.u64 = kHandlerTag | static_cast<std::uint32_t>(fd);
  if (::epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event) != 0) return false;
  m_handlers[fd] = &handler;
  return true;
}

void CDaemon::UnwatchDescriptor(int fd) {
  if (m_handlers.erase(fd) == 0) return;
  ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
}

void CDaemon::Poll(int timeoutMs) {
  OpenEpoll();
  for (auto& [fd, client] : m_clients) Watch(fd, client);
  epoll_event events[64];
  const int ready = ::epoll_wait(m_epoll, events, 64, NextWaitMs(timeoutMs, Clock::now()));
  for (int i = 0; i < ready; ++i) {
    const int fd = events[i].data.fd;
    if ((events[i].data.u64 & kHandlerTag) != 0) {
      // A handler earlier in this batch may have let go of it.
      if (const auto found = m_handlers.find(fd); found != m_handlers.end()) found->second->OnReadable(fd);
    } else if (fd == m_writer->WakeFd()) {
      FinishCommit();
    } else if (fd == m_listener) {
      Accept();
    } else if (auto found = m_clients.find(fd); found != m_clients.end() &&
                                                (events[i].events & (EPOLLIN | EPOLLHUP | EPOLLERR)) != 0) {
      ReadFrom(fd, found->second);
    }
  }
  StartCommit();
  for (auto& [fd, client] : m_clients)
    if (Pending(client) > 0 && !client.doomed) Flush(fd, client);
  if (!m_writer->Busy()) m_service.State().Refresh(m_service.Model(), CStateStore::Look::kIfDue);
  Expire(Clock::now());
}

void CDaemon::Accept() {
  for (;;) {
    const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    if (m_clients.size() >= m_limits.maxClients) {
      // Told, not left waiting: a reply of just a status.
      std::vector<std::uint8_t> busy;
      CFrameCodec::EncodeRefusal(kStatusServiceBusy, busy);
      // A client that cannot take the refusal sees the connection close.
      [[maybe_unused]] const ssize_t told = ::send(fd, busy.data(), busy.size(), MSG_NOSIGNAL);
      ::close(fd);
      continue;
    }
    StClient& client = m_clients[fd];
    client.serial = m_nextSerial++;
    client.lastHeard = Clock::now();
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    client.watched = EPOLLIN;
    if (::epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event) != 0) client.doomed = true;
  }
}

void CDaemon::ReadFrom(int fd, StClient& client) {
  std::uint8_t chunk[16384];
  for (;;) {
    const ssize_t n = ::recv(fd, chunk, sizeof(chunk), 0);
    if (n > 0) {
      if (client.in.empty()) client.frameStarted = Clock::now();
      client.in.insert(client.in.end(), chunk, chunk + n);
      client.lastHeard = Clock::now();
      Serve(fd, client);
      // Answers go out at once; a short read means the socket is drained.
      if (Pending(client) > 0) Flush(fd, client);
      if (client.doomed || client.in.size() > 2 * CFrameCodec::kMaxPayload || n < static_cast<ssize_t>(sizeof(chunk)))
        return;
      continue;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) client.doomed = true;
    if (n == 0 || errno != EINTR) return;
  }
}

void CDaemon::Serve(int fd, StClient& client) {
  std::size_t used = 0;
  while (!client.waiting && !client.doomed && client.in.size() - used >= CFrameCodec::kHeaderSize) {
    const std::uint32_t length = CFrameCodec::ReadLength(client.in.data() + used);
    if (length > CFrameCodec::kMaxPayload) {
      client.doomed = true;
      break;
    }
    if (client.in.size() - used < CFrameCodec::kHeaderSize + length) break;
    const std::span<const std::uint8_t> payload(client.in.data() + used + CFrameCodec::kHeaderSize, length);
    used += CFrameCodec::kHeaderSize + length;
    if (length == 0) {
      client.watcher = true;
      continue;
    }
    StQueued& request = m_decoded;  // reused: a get costs no allocation
    if (CFrameCodec::DecodeRequest(payload, request.packet, request.buffer) != kStatusOk) {
      client.doomed = true;
      break;
    }
    if (CTabletService::ChangesState(request.packet) && StDriverPacket::Validate(&request.packet) == kStatusOk) {
      // Answered once stored; the client's later frames wait for that answer.
      request.fd = fd;
      request.serial = client.serial;
      m_queued.push_back(std::move(request));
      client.waiting = true;
      break;
    }
    const std::uint32_t status = m_service.Answer(request.Packet());
    Reply(client, status, request.packet);
    if (status == kStatusOk) ShareReport(request.packet);
  }
  client.in.erase(client.in.begin(), client.in.begin() + static_cast<std::ptrdiff_t>(used));
  if (!client.in.empty() && used > 0) client.frameStarted = Clock::now();
}

void CDaemon::Reply(StClient& client, std::uint32_t status, const StDriverPacket& packet) {
  const std::size_t start = client.out.size();
  CFrameCodec::EncodeReply(status, packet, client.out);
  CopyToWatchers(&client, {client.out.data() + start, client.out.size() - start});
  if (Pending(client) > m_limits.maxBacklog + CFrameCodec::kHeaderSize + CFrameCodec::kMaxPayload) client.doomed = true;
}

void CDaemon::CopyToWatchers(const StClient* except, std::span<const std::uint8_t> frame) {
  for (auto& [otherFd, other] : m_clients) {
    if (!other.watcher || &other == except || other.doomed) continue;
    // A watcher that does not keep up is cut off rather than buffered for.
    if (Pending(other) + frame.size() > m_limits.maxBacklog) {
      other.doomed = true;
      continue;
    }
    other.out.insert(other.out.end(), frame.begin(), frame.end());
  }
}

void CDaemon::ShareReport(const StDriverPacket& request) {
  const std::span<const StObjectKey> path = PacketPath(request);
  if (request.command != kCommandSet || path.size() != 2 || path[0].code != service_codes::kTablet ||
      !service_codes::IsLiveRecord(path[1].code))
    return;
  ShareReport(path[0].index);
}

void CDaemon::ShareReport(std::uint32_t tablet) {
  if (std::none_of(m_clients.begin(), m_clients.end(), [](const auto& entry) { return entry.second.watcher; }))
    return;
  // Watchers see each report as the tablet's whole tool record after it.
  const StObjectKey keys[] = {{0, service_codes::kTablet, tablet}, {0, service_codes::kToolRecord, 0}, {}};
  std::uint8_t record[kReportSize] = {};
  StDriverPacket report;
  if (report.Make(sizeof record, record) != kStatusOk ||
      report.FillRequest(kCommandGet, keys, 0, nullptr, kRequestModeApplet) != kStatusOk)
    return;
  const std::uint32_t status = m_service.Answer(report);
  if (status != kStatusOk) return;
  m_report.clear();
  CFrameCodec::EncodeReply(status, report, m_report);
  CopyToWatchers(nullptr, m_report);
}

void CDaemon::Flush(int fd, StClient& client) {
  while (Pending(client) > 0) {
    const ssize_t n = ::send(fd, client.out.data() + client.sent, Pending(client), MSG_NOSIGNAL);
    if (n > 0) {
      client.sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || errno != EAGAIN) client.doomed = true;
    break;
  }
  if (Pending(client) == 0) {
    client.out.clear();
    client.sent = 0;
    if (client.out.capacity() > kReadPause) client.out.shrink_to_fit();
  } else if (client.sent > kReadPause) {
    client.out.erase(client.out.begin(), client.out.begin() + static_cast<std::ptrdiff_t>(client.sent));
    client.sent = 0;
  }
}

void CDaemon::StartCommit() {
  m_retryLock = false;
  if (m_queued.empty() || m_writer->Busy()) return;
  CDriverModel& model = m_service.Model();
  // Never wait here: another process's write would stall every get.
  if (m_service.State().Begin(model, 0) != kStatusOk) {
    m_retryLock = true;
    return;
  }
  for (StQueued& request : m_queued) request.status = m_service.Answer(request.Packet());
  StStateWrite write = m_service.State().Stage(model);
  if (write.text.empty() && !write.refused) {
    // Nothing to flush (an attached tool, a removed popup entry that held
    // defaults): answered at once.
    DropStatus(m_service.State().Write(write), "an empty write only lets go of the lock");
    m_service.State().Finish(write);
    std::vector<StQueued> batch = std::move(m_queued);
    m_queued.clear();
    Answer(batch, kStatusOk);
    return;
  }
  m_flushing = std::move(m_queued);
  m_queued.clear();
  m_writer->Submit(std::move(write));
}

void CDaemon::FinishCommit() {
  StStateWrite write;
  if (!m_writer->TakeDone(write)) return;
  m_service.State().Finish(write);
  std::vector<StQueued> batch = std::move(m_flushing);
  m_flushing.clear();
  Answer(batch, write.status);
}

void CDaemon::Answer(std::vector<StQueued>& batch, Status stored) {
  for (StQueued& request : batch) {
    auto found = m_clients.find(request.fd);
    if (found == m_clients.end() || found->second.serial != request.serial) continue;
    StClient& client = found->second;
    const bool took = request.status == kStatusOk;
    const std::uint32_t status = took && stored != kStatusOk ? std::uint32_t{stored} : request.status;
    StDriverPacket& packet = request.Packet();
    packet.status = static_cast<std::uint16_t>(status);
    client.waiting = false;
    client.frameStarted = Clock::now();  // time spent waiting is not the client's
    Reply(client, status, packet);
    Serve(request.fd, client);
  }
}

void CDaemon::Expire(Clock::time_point now) {
  for (auto it = m_clients.begin(); it != m_clients.end();) {
    StClient& client = it->second;
    const bool halfSent = !client.in.empty() && !client.waiting && now - client.frameStarted >= m_limits.frameTime;
    std::uint8_t byte = 0;
    // A request that has just arrived keeps the connection: closing it
    // would leave the client unsure whether its change was made.
    const bool idle = !client.watcher && !client.waiting && client.in.empty() && Pending(client) == 0 &&
                      now - client.lastHeard >= m_limits.idle &&
                      ::recv(it->first, &byte, 1, MSG_PEEK | MSG_DONTWAIT) < 0;
    if (client.doomed || halfSent || idle) {
      ::close(it->first);
      it = m_clients.erase(it);
    } else {
      ++it;
    }
  }
}
