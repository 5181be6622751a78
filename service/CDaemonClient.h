#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "protocol/StDriverPacket.h"
#include "protocol/Status.h"

// Carries request packets to tabletd over its Unix socket. Every wait is
// bounded: a daemon that is gone or silent gives a status, never a hang.
class CDaemonClient {
 public:
  explicit CDaemonClient(std::filesystem::path socket, int timeoutMs = 2000);
  ~CDaemonClient();
  CDaemonClient(const CDaemonClient&) = delete;
  CDaemonClient& operator=(const CDaemonClient&) = delete;

  // Sends the packet and copies the reply into it and its buffer. 0x1000
  // when the daemon cannot be reached or does not answer in time.
  [[nodiscard]] std::uint32_t Exchange(StDriverPacket& packet);
  [[nodiscard]] bool Connect();
  void Disconnect();
  // Asks for a copy of every reply the daemon sends, then reads them one by
  // one; ReadFrame waits without limit when `timeoutMs` is negative.
  [[nodiscard]] bool Subscribe();
  [[nodiscard]] bool ReadFrame(std::vector<std::uint8_t>& payload, int timeoutMs);

 private:
  [[nodiscard]] bool WriteAll(const std::uint8_t* bytes, std::size_t size);
  [[nodiscard]] bool ReadAll(std::uint8_t* bytes, std::size_t size);

  std::filesystem::path m_socket;
  int m_timeoutMs;
  int m_fd = -1;
  std::vector<std::uint8_t> m_out;
  std::vector<std::uint8_t> m_in;
};
