#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "protocol/StDriverPacket.h"
#include "service/CDaemonClient.h"
#include "service/CTabletService.h"

// What answers packets in libwintab32 when no handler is installed: the
// embedded tablet service (the default, made on first packet from
// KELVO_PROFILE and KELVO_STATE), or tabletd when KELVO_SERVICE=daemon or
// KELVO_SERVICE_SOCKET says so.
class CServiceBackend {
 public:
  [[nodiscard]] static CServiceBackend& Instance();
  [[nodiscard]] std::uint32_t Handle(StDriverPacket& packet);
  // Why the last request found no service; null when it found one.
  [[nodiscard]] const char* Failure() const {
    return m_failure.empty() ? nullptr : m_failure.c_str();
  }

 private:
  CServiceBackend() = default;
  void Start();

  bool m_started = false;
  std::unique_ptr<CTabletService> m_embedded;
  std::unique_ptr<CDaemonClient> m_daemon;
  std::string m_failure;
};
