#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "service/CTabletService.h"
#include "services/CDriverInterface.h"

// A driver interface that sends each request exactly as the Wintab one does
// (packet made on the stack, filled, data length set to the capacity) but
// hands it to a tablet service in this process. Tests of settings and model
// install it: InstallDriverInterface(std::make_unique<CServiceDriverInterface>(service)).
class CServiceDriverInterface : public CDriverInterface {
 public:
  // Owns a service built from the default profile, with no state file.
  CServiceDriverInterface();
  explicit CServiceDriverInterface(std::unique_ptr<CTabletService> owned);
  // Borrows `service`, which must outlive this interface.
  explicit CServiceDriverInterface(CTabletService& borrowed);
  // Hands each packet to `exchange` instead (the daemon's client), the
  // service only being looked at by the test.
  using Exchange = std::function<std::uint32_t(StDriverPacket& packet)>;
  CServiceDriverInterface(CTabletService& borrowed, Exchange exchange);

  [[nodiscard]] Status SendRequest(std::uint32_t command, const StObjectKey* keys, std::uint32_t capacity,
                                   void* buffer) override;
  [[nodiscard]] Status GetAppletVersion(VersionRecord& out) override;
  [[nodiscard]] Status Open() override { return kStatusOk; }

  [[nodiscard]] CTabletService& Service() { return *m_service; }
  // Requests sent so far, for tests where the number of requests matters.
  [[nodiscard]] std::uint32_t RequestCount() const { return m_requests; }

  // The command and path of each request sent while logging is on.
  struct StLogged {
    std::uint32_t command = 0;
    std::vector<StObjectKey> path;
  };
  void StartLog() {
    m_log.clear();
    m_logging = true;
  }
  [[nodiscard]] std::vector<StLogged> StopLog() {
    m_logging = false;
    return std::move(m_log);
  }

 private:
  std::unique_ptr<CTabletService> m_owned;
  CTabletService* m_service;
  Exchange m_exchange;
  std::uint32_t m_requests = 0;
  bool m_logging = false;
  std::vector<StLogged> m_log;
};
