#include "wintab/CServiceBackend.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "service/CServicePaths.h"

CServiceBackend& CServiceBackend::Instance() {
  // Lives until the library is unloaded, so the state is saved then.
  static CServiceBackend backend;
  return backend;
}

void CServiceBackend::Start() {
  m_started = true;
  const char* mode = std::getenv("KELVO_SERVICE");
  const char* socket = std::getenv("KELVO_SERVICE_SOCKET");
  if ((mode != nullptr && std::strcmp(mode, "daemon") == 0) || (socket != nullptr && *socket != '\0')) {
    m_daemon = std::make_unique<CDaemonClient>(CServicePaths::Socket());
    return;
  }
  const char* profile = std::getenv("KELVO_PROFILE");
  std::string error;
  // The state file is shared with tabletd and other processes: each change
  // is made on top of theirs, so none overwrites another's values.
  m_embedded = CTabletService::FromFiles(profile != nullptr ? profile : "", CServicePaths::State(), error);
  // A profile that cannot be read leaves the applet without a driver; the
  // applet asks why and tells its user.
  if (!m_embedded) m_failure = "the tablet service cannot start: " + error;
}

std::uint32_t CServiceBackend::Handle(StDriverPacket& packet) {
  if (!m_started) Start();
  if (m_daemon) {
    const std::uint32_t status = m_daemon->Exchange(packet);
    // The applet asks why there is no driver and tells its user; a socket
    // another user could have made is never used.
    if (status != kStatusNoDriverInterface)
      m_failure.clear();
    else if (!m_daemon->Refusal().empty())
      m_failure = "refusing the tablet service: " + m_daemon->Refusal();
    else
      m_failure = "no tablet service answers at " + CServicePaths::Socket().string();
    return status;
  }
  if (m_embedded) return m_embedded->HandlePacket(packet);
  return kStatusNoDriverInterface;
}
