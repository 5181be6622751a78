#include "toolkit/automation/ZafHeadlessPresenter.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/ZafAutomation.h"
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

ZafHeadlessPresenter::ZafHeadlessPresenter() {
  const ZafRegion screen = ZafRegion::FromSize(0, 0, 1280, 1024);
  m_screens.push_back({"DISPLAY", screen, screen, true});
}

ZafHeadlessPresenter::~ZafHeadlessPresenter() = default;

Status ZafHeadlessPresenter::LoadScript(const std::string& path) {
  auto script = std::make_unique<ZafScript>();
  const Status status = script->Load(path);
  if (status != kStatusOk) {
    std::fprintf(stderr, "%s\n", script->Error().c_str());
    m_loadFailure = "cannot read the script " + path;
    return status;
  }
  SetScript(std::move(script));
  return kStatusOk;
}

void ZafHeadlessPresenter::SetScript(std::unique_ptr<ZafScript> script) {
  m_automation = std::make_unique<ZafAutomation>(std::move(script), *this);
  if (m_application != nullptr) m_automation->Attach(*m_application);
}

void ZafHeadlessPresenter::Attach(ZafApplication& application) {
  m_application = &application;
  if (m_automation) m_automation->Attach(application);
}

bool ZafHeadlessPresenter::Finish() {
  std::string line;
  bool passed = true;
  if (!m_loadFailure.empty()) {
    line = "failed: " + m_loadFailure;
    passed = false;
  } else if (m_automation) {
    passed = m_automation->Report();
    if (m_automation->Failed()) line = "failed: " + m_automation->FailureText();
    // No line ran: the window the script is for never opened; the file stays
    // empty so that the caller can tell that apart from a failed check.
    else if (m_automation->LinesRun() == 0 && !m_automation->Done())
      line.clear();
    else
      line = passed ? "passed" : "failed: the run ended before the script did";
  }
  const char* result = std::getenv("KELVO_SCRIPT_RESULT");
  if (!line.empty() && result != nullptr && *result != '\0') {
    std::ofstream out(result, std::ios::trunc);
    out << line << '\n';
  }
  return passed;
}

void ZafHeadlessPresenter::ObjectChanged(ZafWindowObject&, ZafChange) {}

void ZafHeadlessPresenter::Realize(ZafWindow&) { ++m_realized; }

void ZafHeadlessPresenter::Unrealize(ZafWindow&) {
  if (m_realized > 0) --m_realized;
}

void ZafHeadlessPresenter::BeginModal(ZafWindow& window) {
  if (!m_armedAnswer || m_application == nullptr) return;
  ZafEventStruct answer;
  answer.type = *m_armedAnswer;
  answer.target = &window;
  m_armedAnswer.reset();
  m_application->EventManager().Post(answer);
}

void ZafHeadlessPresenter::EndModal(ZafWindow&) {}

ZafWaitResult ZafHeadlessPresenter::WaitForInput(std::optional<std::int64_t> deadlineMs) {
  if (!m_automation) return ZafWaitResult::kEnded;
  return m_automation->Step(deadlineMs);
}

std::int32_t ZafHeadlessPresenter::UnattendedModalAnswer() const { return kZafEventOk; }

ZafMessageAnswer ZafHeadlessPresenter::MessageBox(const std::string& title, const std::string& text,
                                                  ZafMessageButtons buttons) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  m_messages.push_back({title, text});
  const bool cancel = m_armedAnswer && *m_armedAnswer == kZafEventCancel;
  m_armedAnswer.reset();
  switch (buttons) {
    case ZafMessageButtons::kOk: return ZafMessageAnswer::kOk;
    case ZafMessageButtons::kOkCancel: return cancel ? ZafMessageAnswer::kCancel : ZafMessageAnswer::kOk;
    case ZafMessageButtons::kYesNo: return cancel ? ZafMessageAnswer::kNo : ZafMessageAnswer::kYes;
    case ZafMessageButtons::kYesNoCancel: return cancel ? ZafMessageAnswer::kCancel : ZafMessageAnswer::kYes;
    case ZafMessageButtons::kRetryCancel: return cancel ? ZafMessageAnswer::kCancel : ZafMessageAnswer::kRetry;
  }
  return ZafMessageAnswer::kOk;
}

bool ZafHeadlessPresenter::ChooseOpenFile(const std::string&, const std::string&, std::string& path) {
  if (!m_armedFile) return false;
  path = *m_armedFile;
  m_armedFile.reset();
  return true;
}

Status ZafHeadlessPresenter::Screenshot(ZafWindow& window, const std::string& path) {
  if (!Renderer()) return kStatusNotSupported;
  return Renderer()(window, path);
}
