#include "service/input/CRecordCommand.h"

#include <linux/input-event-codes.h>
#include <poll.h>

#include <charconv>
#include <chrono>
#include <csignal>

#include "service/input/CEvdevDevice.h"
#include "service/input/CEventRecording.h"

namespace {

volatile std::sig_atomic_t g_interrupted = 0;
void OnInterrupt(int) { g_interrupted = 1; }

bool ParseCount(const std::string& text, long& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && value > 0;
}

}  // namespace

int CRecordCommand::Run(const std::vector<std::string>& args) {
  std::string path;
  long reports = 0;
  long seconds = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "--reports" || args[i] == "--seconds") && i + 1 < args.size()) {
      if (!ParseCount(args[i + 1], args[i] == "--reports" ? reports : seconds)) {
        std::fprintf(m_err, "tabletctl: record: %s wants a positive number\n", args[i].c_str());
        return 2;
      }
      ++i;
    } else if (path.empty() && !args[i].starts_with("--")) {
      path = args[i];
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) {
    std::fprintf(m_err, "usage: tabletctl record /dev/input/eventN [--reports N] [--seconds S]\n");
    return 2;
  }
  CEvdevDevice device;
  std::string error;
  if (device.Open(path, error) != kStatusOk) {
    std::fprintf(m_err, "tabletctl: record: %s\n", error.c_str());
    return 1;
  }
  CEventRecording header;
  header.m_device = device.Describe();
  std::fputs(header.Write().c_str(), m_out);
  std::fflush(m_out);

  g_interrupted = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  struct sigaction previous {};
  sigaction(SIGINT, &action, &previous);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  long written = 0;
  int status = 0;
  std::vector<StInputEvent> events;
  while (g_interrupted == 0 && (reports == 0 || written < reports)) {
    int wait = 1000;
    if (seconds > 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      wait = static_cast<int>(std::min<long>(left.count(), 1000));
    }
    pollfd entry{device.Fd(), POLLIN, 0};
    if (poll(&entry, 1, wait) <= 0) continue;
    events.clear();
    if (device.ReadAvailable(events) != kStatusOk) {
      std::fprintf(m_err, "tabletctl: record: %s is gone\n", path.c_str());
      status = 1;
      break;
    }
    for (const StInputEvent& event : events) {
      std::fprintf(m_out, "%s\n", CEventRecording::EventLine(event).c_str());
      if (event.type == EV_SYN && event.code == SYN_REPORT && ++written == reports) break;
    }
    std::fflush(m_out);
  }
  sigaction(SIGINT, &previous, nullptr);
  return status;
}
