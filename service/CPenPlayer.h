#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <functional>

#include "protocol/Status.h"
#include "service/CPenStroke.h"

// Sends the reports of a stroke at the stroke's rate, as a tablet sends them:
// one every interval on a steady clock. A report sent late does not make the
// next ones hurry: the rhythm starts again from it.
class CPenPlayer {
 public:
  using Sender = std::function<Status(const StPenReport& report)>;
  using Clock = std::chrono::steady_clock;

  struct StOutcome {
    std::size_t sent = 0;
    Status status = kStatusOk;  // the first failed send's
    Clock::duration elapsed{};
    std::size_t late = 0;  // reports sent more than an interval after their time
  };

  // Plays the stroke `times` times (0: until `stop` becomes non-zero); a
  // failed send or `stop` ends the play.
  [[nodiscard]] static StOutcome Play(const StPenStroke& stroke, const Sender& send, std::uint32_t times,
                                      const volatile std::sig_atomic_t& stop);
};
