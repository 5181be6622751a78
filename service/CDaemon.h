#pragma once

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

#include "service/CTabletService.h"

// tabletd's loop: one thread, poll over a listening Unix socket and its
// clients. Each request frame gets one reply frame; a frame that cannot be a
// request closes that client only. An empty frame subscribes the client to a
// copy of every reply the daemon sends (the traffic that `tabletctl watch` shows).
class CDaemon {
 public:
  CDaemon(CTabletService& service, std::filesystem::path socket);
  ~CDaemon();
  CDaemon(const CDaemon&) = delete;
  CDaemon& operator=(const CDaemon&) = delete;

  // Binds the socket (mode 0600); false with `error` set when it cannot.
  [[nodiscard]] bool Listen(std::string& error);
  // Serves until `stop` becomes non-zero; then saves the state and removes the socket.
  void Run(const volatile std::sig_atomic_t& stop);
  // One pass of the loop, waiting at most `timeoutMs`; for tests that drive it.
  void Poll(int timeoutMs);
  [[nodiscard]] std::size_t ClientCount() const { return m_clients.size(); }

 private:
  struct StClient {
    std::vector<std::uint8_t> in;
    std::vector<std::uint8_t> out;
    bool watcher = false;
  };
  void Accept();
  // False when the client must go.
  [[nodiscard]] bool ReadFrom(int fd, StClient& client);
  [[nodiscard]] bool Serve(StClient& client);
  [[nodiscard]] bool Flush(int fd, StClient& client);
  void Close(int fd);

  CTabletService& m_service;
  std::filesystem::path m_socket;
  int m_listener = -1;
  std::map<int, StClient> m_clients;
  std::vector<std::uint8_t> m_scratch;
};
