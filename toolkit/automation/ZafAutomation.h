#pragma once

// Runs an automation script against the toolkit through the headless
// presenter: each time the event loop has nothing to do it runs the next
// line, acting as a user would (through the controls' User* operations and
// posted key events) or checking what a user would see. The first failed
// check or bad line stops the script and fails the run.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "toolkit/ZafPresenter.h"

class ZafApplication;
class ZafHeadlessPresenter;
class ZafScript;
class ZafWindowObject;
struct StScriptLine;

class ZafAutomation {
 public:
  ZafAutomation(std::unique_ptr<ZafScript> script, ZafHeadlessPresenter& presenter);
  ~ZafAutomation();
  ZafAutomation(const ZafAutomation&) = delete;
  ZafAutomation& operator=(const ZafAutomation&) = delete;

  void Attach(ZafApplication& application) { m_application = &application; }

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

 private:
  // Each answers an empty string on success, else what went wrong.
  std::string Execute(const StScriptLine& line);
  std::string Act(const std::string& verb, const StScriptLine& line);
  std::string Expect(const StScriptLine& line);
  std::string Key(std::uint8_t virtualKey, char character, bool down);
  [[nodiscard]] ZafWindowObject* FindControl(const std::string& name) const;

  std::unique_ptr<ZafScript> m_script;
  ZafHeadlessPresenter& m_presenter;
  ZafApplication* m_application = nullptr;
  std::size_t m_next = 0;
  std::optional<std::int64_t> m_advanceTo;
  int m_linesRun = 0;
  std::string m_failure;
};
