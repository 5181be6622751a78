#include "service/CStateWriter.h"

#include <sys/eventfd.h>
#include <unistd.h>

CStateWriter::CStateWriter(CStateStore& store) : m_store(store) {
  m_wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  m_thread = std::thread([this] { Loop(); });
}

CStateWriter::~CStateWriter() {
  {
    const std::lock_guard<std::mutex> hold(m_mutex);
    m_quit = true;
  }
  m_ready.notify_one();
  m_thread.join();
  if (m_wake >= 0) ::close(m_wake);
}

void CStateWriter::Submit(StStateWrite write) {
  {
    const std::lock_guard<std::mutex> hold(m_mutex);
    m_todo = std::move(write);
  }
  m_busy = true;
  m_ready.notify_one();
}

bool CStateWriter::TakeDone(StStateWrite& out) {
  std::uint64_t count = 0;
  while (::read(m_wake, &count, sizeof(count)) > 0) {
  }
  const std::lock_guard<std::mutex> hold(m_mutex);
  if (!m_done) return false;
  out = std::move(*m_done);
  m_done.reset();
  m_busy = false;
  return true;
}

void CStateWriter::Loop() {
  std::unique_lock<std::mutex> hold(m_mutex);
  for (;;) {
    m_ready.wait(hold, [this] { return m_quit || m_todo.has_value(); });
    if (!m_todo) return;
    StStateWrite write = std::move(*m_todo);
    m_todo.reset();
    hold.unlock();
    DropStatus(m_store.Write(write), "the outcome travels in the write itself");
    hold.lock();
    m_done = std::move(write);
    const std::uint64_t one = 1;
    if (::write(m_wake, &one, sizeof(one)) < 0) {
      // The counter cannot overflow with one write in flight.
    }
  }
}
