#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "protocol/StDriverPacket.h"
#include "protocol/Status.h"

// Carries request packets to tabletd over its Unix socket. Every wait is
// bounded: a daemon that is gone or silent gives a status, never a hang. A
// socket that another user could have put there is refused.
class CDaemonClient {
 public:
  explicit CDaemonClient(std::filesystem::path socket, int timeoutMs = 2000);
  ~CDaemonClient();
  CDaemonClient(const CDaemonClient&) = delete;
  CDaemonClient& operator=(const CDaemonClient&) = delete;

  // Sends the packet and copies the reply into it and its buffer. 0x1000
  // when the daemon cannot be reached, does not answer a get in time, or is
  // refused (Refusal() says why); 0x206 when it turned the client away. A
  // get is asked again once when the connection broke; a change is never
  // sent twice: 0x207 when it went out and no answer came.
  [[nodiscard]] std::uint32_t Exchange(StDriverPacket& packet);
  [[nodiscard]] bool Connect();
  void Disconnect();
  // Asks for a copy of every reply the daemon sends, then reads them one by
  // one; ReadFrame waits without limit for a frame to begin when
  // `timeoutMs` is negative.
  [[nodiscard]] bool Subscribe();
  [[nodiscard]] bool ReadFrame(std::vector<std::uint8_t>& payload, int timeoutMs);
  // Why the last connection was refused: a socket or folder another user
  // may have made, or a server running as another user. Empty otherwise.
  [[nodiscard]] const std::string& Refusal() const { return m_refusal; }

 private:
  using Clock = std::chrono::steady_clock;
  enum class Outcome : std::uint8_t { kDone, kNothingDone, kBroken, kTimedOut, kMalformed };
  [[nodiscard]] Outcome WriteAll(const std::uint8_t* bytes, std::size_t size, Clock::time_point deadline);
  [[nodiscard]] Outcome ReadSome(std::uint8_t* bytes, std::size_t room, std::size_t& got, Clock::time_point deadline);
  [[nodiscard]] Outcome ReadAll(std::uint8_t* bytes, std::size_t size, Clock::time_point deadline);
  // One reply frame into m_in, its payload at most `largest` bytes.
  [[nodiscard]] Outcome ReadReply(std::size_t largest, Clock::time_point deadline);
  // A refusal the daemon sent before it closed the connection, or 0.
  [[nodiscard]] std::uint32_t PendingRefusal();

  std::filesystem::path m_socket;
  int m_timeoutMs;
  int m_fd = -1;
  std::string m_refusal;
  std::vector<std::uint8_t> m_out;
  std::vector<std::uint8_t> m_in;
};
