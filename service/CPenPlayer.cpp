#include "service/CPenPlayer.h"

#include <thread>

CPenPlayer::StOutcome CPenPlayer::Play(const StPenStroke& stroke, const Sender& send, std::uint32_t times,
                                       const volatile std::sig_atomic_t& stop) {
  StOutcome outcome;
  const auto interval = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1)) / stroke.rate;
  const Clock::time_point began = Clock::now();
  Clock::time_point due = began;
  for (std::uint32_t round = 0; times == 0 || round < times; ++round) {
    for (const StPenReport& report : stroke.reports) {
      if (stop != 0) {
        outcome.elapsed = Clock::now() - began;
        return outcome;
      }
      std::this_thread::sleep_until(due);
      const Clock::time_point now = Clock::now();
      if (now - due > interval) {
        ++outcome.late;
        due = now;
      }
      outcome.status = send(report);
      if (outcome.status != kStatusOk) {
        outcome.elapsed = Clock::now() - began;
        return outcome;
      }
      ++outcome.sent;
      due += interval;
    }
  }
  outcome.elapsed = Clock::now() - began;
  return outcome;
}
