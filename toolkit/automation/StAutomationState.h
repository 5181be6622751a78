#pragma once

// What a presenter keeps for the script (or test) that stands in for its
// user: the clock that only moves when told, the message boxes shown, and the
// answers armed for the next modal window, message box or file chooser.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/ZafManualClock.h"

class ZafApplication;
class ZafWindow;

struct StMessageRecord {
  std::string title;
  std::string text;
};

struct StAutomationState {
  ZafManualClock clock;
  std::vector<StMessageRecord> messages;
  std::optional<std::int32_t> armedAnswer;  // kZafEventOk or kZafEventCancel
  std::optional<std::string> armedFile;
  // The armed answer of a modal window that has begun its run: given once
  // the window is set up and the run waits for the user.
  ZafWindow* answering = nullptr;
  std::int32_t answer = 0;

  // Called by a presenter as a modal run begins: the armed answer is now this window's.
  void BeginModal(ZafWindow& window) {
    if (!armedAnswer) return;
    answering = &window;
    answer = *armedAnswer;
    armedAnswer.reset();
  }
  // Called by a presenter waiting for input: posts a waiting answer; true when it did.
  bool GiveAnswer(ZafApplication* application);
};
