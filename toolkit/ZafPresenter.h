#pragma once

// What shows the toolkit's windows. The core keeps all state and runs the
// event loop; a presenter realises windows, follows their change notices,
// waits for input (turning it into User* calls and posted events) and offers
// the platform's dialogs. The headless presenter and the Qt presenter are two.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "protocol/Status.h"
#include "toolkit/ZafChange.h"
#include "toolkit/ZafRaiseChannel.h"
#include "toolkit/ZafRegion.h"
#include "toolkit/ZafScreens.h"

class ZafAutomation;
class ZafClock;
class ZafWindow;

enum class ZafMessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel, kRetryCancel };
enum class ZafMessageAnswer { kOk, kCancel, kYes, kNo, kRetry };

// How waiting for input ended.
enum class ZafWaitResult {
  kInput,  // something may have happened: look at the queue and the timers again
  kEnded,  // no input will ever come (headless run without a script, or its end)
};


class ZafPresenter : public ZafObjectObserver {
 public:
  ~ZafPresenter() override = default;

  // A top-level window was added to / taken from the window manager. Unrealize
  // may come from the window's destructor: use the window only as a key then.
  virtual void Realize(ZafWindow& window) = 0;
  virtual void Unrealize(ZafWindow& window) = 0;
  // ObjectChanged (from ZafObjectObserver): redraw what changed.

  // A modal run of this window begins / ends (the presenter may block input
  // to other windows).
  virtual void BeginModal(ZafWindow& window) = 0;
  virtual void EndModal(ZafWindow& window) = 0;
  // Blocks until input arrives or the deadline (a clock time) passes.
  [[nodiscard]] virtual ZafWaitResult WaitForInput(std::optional<std::int64_t> deadlineMs) = 0;
  // The answer given to a modal run that no input will ever close.
  [[nodiscard]] virtual std::int32_t UnattendedModalAnswer() const = 0;

  [[nodiscard]] virtual ZafMessageAnswer MessageBox(const std::string& title, const std::string& text,
                                                    ZafMessageButtons buttons) = 0;
  // Lets the user choose an existing file; false when cancelled. path holds
  // the starting path and receives the choice.
  [[nodiscard]] virtual bool ChooseOpenFile(const std::string& title, const std::string& filter,
                                            std::string& path) = 0;
  // In the order the system counts them (the first is number 1).
  [[nodiscard]] virtual std::vector<ZafScreen> Screens() const = 0;
  [[nodiscard]] virtual ZafClock& Clock() = 0;
  // Saves a picture of the window; kStatusNotSupported where nothing is drawn.
  [[nodiscard]] virtual Status Screenshot(ZafWindow& window, const std::string& path) = 0;

  // An automation script drives this presenter from now on: its lines act
  // whenever the event loop waits for input. kStatusNotSupported where the
  // presenter cannot be driven, the script's own status when it cannot be read.
  [[nodiscard]] virtual Status LoadScript(const std::string& /*path*/) { return kStatusNotSupported; }
  // The script driving this presenter, nullptr when none.
  [[nodiscard]] virtual ZafAutomation* Automation() const { return nullptr; }
  // Lets a later start of the program bring `window` to the front through
  // `channel`, which the presenter keeps while the window is shown. False,
  // and the channel dropped, where there is nothing to bring forward.
  virtual bool OfferRaise(ZafWindow& /*window*/, std::unique_ptr<ZafRaiseChannel> /*channel*/) {
    return false;
  }
};
