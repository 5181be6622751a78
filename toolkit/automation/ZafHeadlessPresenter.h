#pragma once

// Shows nothing. Message boxes are printed to stderr as "title: text" and
// answered OK (or as an automation script armed them); time stands still
// unless a script advances it; waiting for input runs the next script line,
// and without a script no input ever comes.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/ZafManualClock.h"
#include "toolkit/ZafPresenter.h"

class ZafApplication;
class ZafAutomation;
class ZafScript;

struct StMessageRecord {
  std::string title;
  std::string text;
};

class ZafHeadlessPresenter : public ZafPresenter {
 public:
  // Draws a window that nothing shows into a picture file (the Qt library
  // installs one that renders offscreen); without one, screenshots are not
  // supported. nullptr removes it.
  using ScreenshotRenderer = std::function<Status(ZafWindow& window, const std::string& path)>;
  static void InstallScreenshotRenderer(ScreenshotRenderer renderer);

  ZafHeadlessPresenter();
  ~ZafHeadlessPresenter() override;

  [[nodiscard]] Status LoadScript(const std::string& path);
  void SetScript(std::unique_ptr<ZafScript> script);
  [[nodiscard]] ZafAutomation* Automation() const { return m_automation.get(); }
  void Attach(ZafApplication& application);
  // Reports the script's outcome on stderr and, when KELVO_SCRIPT_RESULT names
  // a file, as one line there: "passed" or "failed: why" (nothing when no
  // line ran because the window never opened); answers false on a failure.
  bool Finish();

  [[nodiscard]] ZafManualClock& ManualClock() { return m_clock; }
  [[nodiscard]] const std::vector<StMessageRecord>& Messages() const { return m_messages; }
  // The next modal window or message box is answered so (kZafEventOk or kZafEventCancel).
  void ArmModalAnswer(std::int32_t event) { m_armedAnswer = event; }
  [[nodiscard]] bool ModalAnswerArmed() const { return m_armedAnswer.has_value(); }
  // The next file chooser answers this path.
  void ArmChosenFile(std::string path) { m_armedFile = std::move(path); }
  void SetScreens(std::vector<ZafScreen> screens) { m_screens = std::move(screens); }
  [[nodiscard]] std::size_t RealizedCount() const { return m_realized; }

  void ObjectChanged(ZafWindowObject& object, ZafChange change) override;
  void Realize(ZafWindow& window) override;
  void Unrealize(ZafWindow& window) override;
  void BeginModal(ZafWindow& window) override;
  void EndModal(ZafWindow& window) override;
  [[nodiscard]] ZafWaitResult WaitForInput(std::optional<std::int64_t> deadlineMs) override;
  [[nodiscard]] std::int32_t UnattendedModalAnswer() const override;
  [[nodiscard]] ZafMessageAnswer MessageBox(const std::string& title, const std::string& text,
                                            ZafMessageButtons buttons) override;
  [[nodiscard]] bool ChooseOpenFile(const std::string& title, const std::string& filter, std::string& path) override;
  [[nodiscard]] std::vector<ZafScreen> Screens() const override { return m_screens; }
  [[nodiscard]] ZafClock& Clock() override { return m_clock; }
  [[nodiscard]] Status Screenshot(ZafWindow& window, const std::string& path) override;

 private:
  ZafManualClock m_clock;
  std::unique_ptr<ZafAutomation> m_automation;
  std::string m_loadFailure;
  ZafApplication* m_application = nullptr;
  std::vector<StMessageRecord> m_messages;
  std::optional<std::int32_t> m_armedAnswer;
  std::optional<std::string> m_armedFile;
  std::vector<ZafScreen> m_screens;
  std::size_t m_realized = 0;
};
