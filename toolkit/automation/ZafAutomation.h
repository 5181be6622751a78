#pragma once

// Runs an automation script against the toolkit through its presenter: each
// time the event loop has nothing to do it runs the next line, acting as a
// user would (through the presenter's driver) or checking what a user would
// see. The first failed check or bad line stops the script and fails the run.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/ZafPresenter.h"

class ZafApplication;
class ZafAutomationDriver;
class ZafScript;
class ZafWindowObject;
struct StAutomationState;
struct StScriptLine;

class ZafAutomation {
 public:
  // A verb of the application's own ("pen" moves the tablet service's pen):
  // it gets the line's words (the verb first) and answers what went wrong,
  // empty when done.
  using Verb = std::function<std::string(const std::vector<std::string>& words)>;
  static void AddVerb(const std::string& name, Verb verb);

  ZafAutomation(std::unique_ptr<ZafScript> script, std::unique_ptr<ZafAutomationDriver> driver,
                StAutomationState& state);
  ~ZafAutomation();
  ZafAutomation(const ZafAutomation&) = delete;
  ZafAutomation& operator=(const ZafAutomation&) = delete;

  void Attach(ZafApplication& application);

  // Runs the next line (or the next part of an "advance"); kEnded when the
  // script is over or has failed.
  [[nodiscard]] ZafWaitResult Step(std::optional<std::int64_t> nextTimerDue);
  // Runs every remaining line as if the loop were idle after each.
  void RunToEnd();

  [[nodiscard]] bool Failed() const { return !m_failure.empty(); }
  [[nodiscard]] bool Done() const;
  [[nodiscard]] const std::string& FailureText() const { return m_failure; }
  [[nodiscard]] int LinesRun() const { return m_linesRun; }
  // Prints the outcome to stderr; answers true when the script passed to its end.
  bool Report() const;
  // Reports, and writes the outcome to the file $KELVO_SCRIPT_RESULT names as
  // one line: "passed" or "failed: why" (nothing when no line ran).
  bool Finish() const;

  [[nodiscard]] StAutomationState& State() { return m_state; }
  [[nodiscard]] ZafAutomationDriver& Driver() { return *m_driver; }
  [[nodiscard]] ZafApplication* Application() const { return m_application; }
  // A control by string identifier, in the topmost window first and then in
  // those below it; "Window/Control" looks only in that window, and a window
  // is found by its own name.
  [[nodiscard]] ZafWindowObject* FindControl(const std::string& name) const;

 private:
  // Each answers an empty string on success, else what went wrong.
  std::string Execute(const StScriptLine& line);
  std::string Act(const std::string& verb, const StScriptLine& line);
  std::string ActOn(const std::string& verb, const StScriptLine& line, ZafWindowObject& control);

  std::unique_ptr<ZafScript> m_script;
  std::unique_ptr<ZafAutomationDriver> m_driver;
  StAutomationState& m_state;
  ZafApplication* m_application = nullptr;
  std::size_t m_next = 0;
  std::optional<std::int64_t> m_advanceTo;
  int m_linesRun = 0;
  std::string m_failure;
};
