#include "toolkit/automation/ZafHeadlessPresenter.h"

#include <cstdio>
#include <utility>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/automation/ZafHeadlessDriver.h"
#include "toolkit/automation/ZafScript.h"

namespace {
ZafHeadlessPresenter::ScreenshotRenderer& Renderer() {
  static ZafHeadlessPresenter::ScreenshotRenderer renderer;
  return renderer;
}
}  // namespace

void ZafHeadlessPresenter::InstallScreenshotRenderer(ScreenshotRenderer renderer) {
  Renderer() = std::move(renderer);
}

ZafHeadlessPresenter::ZafHeadlessPresenter() : m_screens(ZafScreens::FromEnvironment()) {}

ZafHeadlessPresenter::~ZafHeadlessPresenter() = default;

Status ZafHeadlessPresenter::LoadScript(const std::string& path) {
  auto script = std::make_unique<ZafScript>();
  const Status status = script->Load(path);
  if (status != kStatusOk) {
    std::fprintf(stderr, "%s\n", script->Error().c_str());
    return status;
  }
  SetScript(std::move(script));
  return kStatusOk;
}

void ZafHeadlessPresenter::SetScript(std::unique_ptr<ZafScript> script) {
  m_automation =
      std::make_unique<ZafAutomation>(std::move(script), std::make_unique<ZafHeadlessDriver>(*this), m_state);
  if (ZafApplication* application = ZafApplication::Get(); application != nullptr && &application->Presenter() == this)
    m_automation->Attach(*application);
}

void ZafHeadlessPresenter::ObjectChanged(ZafWindowObject&, ZafChange) {}

void ZafHeadlessPresenter::Realize(ZafWindow&) { ++m_realized; }

void ZafHeadlessPresenter::Unrealize(ZafWindow&) {
  if (m_realized > 0) --m_realized;
}

bool StAutomationState::GiveAnswer(ZafApplication* application) {
  ZafWindow* window = std::exchange(answering, nullptr);
  // Only a window still in its modal run (compared, not followed, before that).
  if (window == nullptr || application == nullptr || application->WindowManager().ModalWindow() != window) return false;
  application->EventManager().Post(answer, window);
  return true;
}

void ZafHeadlessPresenter::BeginModal(ZafWindow& window) { m_state.BeginModal(window); }

void ZafHeadlessPresenter::EndModal(ZafWindow&) {}

ZafWaitResult ZafHeadlessPresenter::WaitForInput(std::optional<std::int64_t> deadlineMs) {
  if (m_state.GiveAnswer(ZafApplication::Get())) return ZafWaitResult::kInput;
  if (!m_automation) return ZafWaitResult::kEnded;
  return m_automation->Step(deadlineMs);
}

std::int32_t ZafHeadlessPresenter::UnattendedModalAnswer() const { return kZafEventOk; }

ZafMessageAnswer ZafHeadlessPresenter::ArmedAnswer(StAutomationState& state, ZafMessageButtons buttons) {
  const bool cancel = state.armedAnswer && *state.armedAnswer == kZafEventCancel;
  state.armedAnswer.reset();
  switch (buttons) {
    case ZafMessageButtons::kOk: return ZafMessageAnswer::kOk;
    case ZafMessageButtons::kOkCancel: return cancel ? ZafMessageAnswer::kCancel : ZafMessageAnswer::kOk;
    case ZafMessageButtons::kYesNo: return cancel ? ZafMessageAnswer::kNo : ZafMessageAnswer::kYes;
    case ZafMessageButtons::kYesNoCancel: return cancel ? ZafMessageAnswer::kCancel : ZafMessageAnswer::kYes;
    case ZafMessageButtons::kRetryCancel: return cancel ? ZafMessageAnswer::kCancel : ZafMessageAnswer::kRetry;
  }
  return ZafMessageAnswer::kOk;
}

ZafMessageAnswer ZafHeadlessPresenter::MessageBox(const std::string& title, const std::string& text,
                                                  ZafMessageButtons buttons) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  m_state.messages.push_back({title, text});
  return ArmedAnswer(m_state, buttons);
}

bool ZafHeadlessPresenter::ChooseOpenFile(const std::string&, const std::string&, std::string& path) {
  if (!m_state.armedFile) return false;
  path = *m_state.armedFile;
  m_state.armedFile.reset();
  return true;
}

Status ZafHeadlessPresenter::Screenshot(ZafWindow& window, const std::string& path) {
  if (!Renderer()) return kStatusNotSupported;
  return Renderer()(window, path);
}
