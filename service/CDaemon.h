#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "service/CStateWriter.h"
#include "service/IDescriptorHandler.h"
#include "service/CTabletService.h"

// What the daemon allows one client before it lets go of it.
struct StDaemonLimits {
  std::size_t maxClients = 256;
  std::chrono::milliseconds idle{30000};      // a client that asks nothing this long is closed
  std::chrono::milliseconds frameTime{5000};  // a frame begun must arrive whole within this
  std::size_t maxBacklog = 256 * 1024;        // replies a reader may leave unread
};

// tabletd's loop: one thread, epoll over a listening Unix socket and its
// clients. Each request frame gets one reply frame, in order; a frame that
// cannot be a request closes that client only. An empty frame subscribes the
// client to a copy of every reply the daemon sends (the traffic that
// `tabletctl watch` shows). The changes that arrive in one turn of the loop
// are stored together and answered once they are on disk; meanwhile a
// writer thread flushes them and the loop answers gets.
class CDaemon {
 public:
  CDaemon(CTabletService& service, std::filesystem::path socket, StDaemonLimits limits = {});
  ~CDaemon();
  CDaemon(const CDaemon&) = delete;
  CDaemon& operator=(const CDaemon&) = delete;

  // Binds the socket (mode 0600) in a folder only this user may change; a
  // file in the way is replaced only when it is a stale socket of this
  // user's. False with `error` set when it cannot.
  [[nodiscard]] bool Listen(std::string& error);
  // Serves until `stop` becomes non-zero; then stores what is left and removes the socket.
  void Run(const volatile std::sig_atomic_t& stop);
  // One pass of the loop, waiting at most `timeoutMs`; for tests that drive it.
  void Poll(int timeoutMs);
  [[nodiscard]] std::size_t ClientCount() const { return m_clients.size(); }

  // Other descriptors served by the same loop, so that devices need no
  // thread of their own: `handler` is told each time `fd` is readable,
  // until UnwatchDescriptor. False when epoll refuses it.
  [[nodiscard]] bool WatchDescriptor(int fd, IDescriptorHandler& handler);
  void UnwatchDescriptor(int fd);
  // Watchers get tablet `tablet`'s tool record, as after a client's report.
  void ShareReport(std::uint32_t tablet);

 private:
  using Clock = std::chrono::steady_clock;
  struct StClient {
    std::uint64_t serial = 0;
    std::vector<std::uint8_t> in;
    std::vector<std::uint8_t> out;
    std::size_t sent = 0;
    bool watcher = false;
    bool waiting = false;  // a change of it is being stored; later frames wait
    bool doomed = false;
    std::uint32_t watched = 0;  // the events asked of epoll for it
    Clock::time_point lastHeard;
    Clock::time_point frameStarted;
  };
  struct StQueued {
    int fd = -1;
    std::uint64_t serial = 0;
    StDriverPacket packet;
    std::vector<std::uint8_t> buffer;
    std::uint32_t status = 0;
    // The packet with its data pointer on this entry's own buffer: moving the
    // entry (a vector that grows) leaves the copied pointer on a freed one.
    StDriverPacket& Packet() {
      packet.data = buffer.empty() ? nullptr : buffer.data();
      return packet;
    }
  };

  void OpenEpoll();
  void Accept();
  // Asks epoll for what the client can take now: requests unless its
  // replies pile up, and room to send while replies wait.
  void Watch(int fd, StClient& client);
  void ReadFrom(int fd, StClient& client);
  void Serve(int fd, StClient& client);
  void Reply(StClient& client, std::uint32_t status, const StDriverPacket& packet);
  void CopyToWatchers(const StClient* except, std::span<const std::uint8_t> frame);
  // After a report of the tablet in use (a set of a live record): watchers
  // get the tablet's tool record as a reply frame of a get of 2:t/190.
  void ShareReport(const StDriverPacket& request);
  void Flush(int fd, StClient& client);
  void StartCommit();
  void FinishCommit();
  void Answer(std::vector<StQueued>& batch, Status stored);
  void Expire(Clock::time_point now);
  [[nodiscard]] int NextWaitMs(int timeoutMs, Clock::time_point now) const;
  [[nodiscard]] std::size_t Pending(const StClient& client) const { return client.out.size() - client.sent; }

  CTabletService& m_service;
  std::filesystem::path m_socket;
  StDaemonLimits m_limits;
  int m_listener = -1;
  int m_epoll = -1;
  std::map<int, StClient> m_clients;
  std::map<int, IDescriptorHandler*> m_handlers;
  std::uint64_t m_nextSerial = 1;
  StQueued m_decoded;
  std::vector<StQueued> m_queued;    // changes waiting for the next commit
  std::vector<StQueued> m_flushing;  // changes the writer is storing
  bool m_retryLock = false;
  std::unique_ptr<CStateWriter> m_writer;
  static constexpr std::uint32_t kReportSize = 44;
  std::vector<std::uint8_t> m_report;  // reused: a report costs no allocation once warm
};
