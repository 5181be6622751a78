#pragma once

// Shows nothing. Message boxes are printed to stderr as "title: text" and
// answered OK (or as an automation script armed them); time stands still
// unless a script advances it; waiting for input runs the next script line,
// and without a script no input ever comes. The screens are those of
// $KELVO_SCREENS (see ZafScreens.h), else one of 1280 x 1024.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/ZafPresenter.h"
#include "toolkit/automation/StAutomationState.h"

class ZafApplication;
class ZafScript;

class ZafHeadlessPresenter : public ZafPresenter {
 public:
  // Draws a window that nothing shows into a picture file (the Qt library
  // installs one that renders offscreen); without one, screenshots are not
  // supported. nullptr removes it.
  using ScreenshotRenderer = std::function<Status(ZafWindow& window, const std::string& path)>;
  static void InstallScreenshotRenderer(ScreenshotRenderer renderer);

  ZafHeadlessPresenter();
  ~ZafHeadlessPresenter() override;

  [[nodiscard]] Status LoadScript(const std::string& path) override;
  void SetScript(std::unique_ptr<ZafScript> script);
  [[nodiscard]] ZafAutomation* Automation() const override { return m_automation.get(); }

  [[nodiscard]] ZafManualClock& ManualClock() { return m_state.clock; }
  [[nodiscard]] const std::vector<StMessageRecord>& Messages() const { return m_state.messages; }
  // The next modal window or message box is answered so (kZafEventOk or kZafEventCancel).
  void ArmModalAnswer(std::int32_t event) { m_state.armedAnswer = event; }
  [[nodiscard]] bool ModalAnswerArmed() const { return m_state.armedAnswer.has_value(); }
  // The next file chooser answers this path.
  void ArmChosenFile(std::string path) { m_state.armedFile = std::move(path); }
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
  [[nodiscard]] ZafClock& Clock() override { return m_state.clock; }
  [[nodiscard]] Status Screenshot(ZafWindow& window, const std::string& path) override;

  // The answer an armed automation state gives a message box with these
  // buttons (OK or its like when nothing is armed); the armed answer is used up.
  [[nodiscard]] static ZafMessageAnswer ArmedAnswer(StAutomationState& state, ZafMessageButtons buttons);

 private:
  StAutomationState m_state;
  std::unique_ptr<ZafAutomation> m_automation;
  std::vector<ZafScreen> m_screens;
  std::size_t m_realized = 0;
};
