#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "service/CStateStore.h"

// Runs the state store's Write on a thread of its own, so that the daemon
// keeps answering gets while a change is flushed to disk. One write at a time.
class CStateWriter {
 public:
  explicit CStateWriter(CStateStore& store);
  ~CStateWriter();
  CStateWriter(const CStateWriter&) = delete;
  CStateWriter& operator=(const CStateWriter&) = delete;

  // Readable once a submitted write is done.
  [[nodiscard]] int WakeFd() const { return m_wake; }
  [[nodiscard]] bool Busy() const { return m_busy; }
  void Submit(StStateWrite write);
  // The finished write; false while it is still running.
  [[nodiscard]] bool TakeDone(StStateWrite& out);

 private:
  void Loop();

  CStateStore& m_store;
  int m_wake = -1;
  bool m_busy = false;  // the submitting thread's own view
  std::mutex m_mutex;
  std::condition_variable m_ready;
  std::optional<StStateWrite> m_todo;
  std::optional<StStateWrite> m_done;
  bool m_quit = false;
  std::thread m_thread;
};
