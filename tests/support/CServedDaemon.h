#pragma once

#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

#include "service/CDaemon.h"

// tabletd's daemon for `service` on `socket`, served from a thread of this
// process until it goes. Error() says why it does not listen.
class CServedDaemon {
 public:
  CServedDaemon(CTabletService& service, const std::filesystem::path& socket,
                StDaemonLimits limits = {})
      : m_daemon(service, socket, limits) {
    if (m_daemon.Listen(m_error)) m_loop = std::thread([this] { m_daemon.Run(m_stop); });
  }
  ~CServedDaemon() {
    m_stop = 1;
    if (m_loop.joinable()) m_loop.join();
  }
  CServedDaemon(const CServedDaemon&) = delete;
  CServedDaemon& operator=(const CServedDaemon&) = delete;

  [[nodiscard]] const std::string& Error() const { return m_error; }

 private:
  CDaemon m_daemon;
  std::string m_error;
  volatile std::sig_atomic_t m_stop = 0;
  std::thread m_loop;
};
