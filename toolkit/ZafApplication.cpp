#include "toolkit/ZafApplication.h"

#include <cstdlib>
#include <filesystem>

#include "toolkit/ZafDesktop.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/storage/ZafStorage.h"

namespace {
ZafApplication* g_application = nullptr;

ZafApplication::PresenterFactory& Factory() {
  static ZafApplication::PresenterFactory factory;
  return factory;
}

bool EnvironmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' && std::string(value) != "0";
}
}  // namespace

void ZafApplication::InstallPresenterFactory(PresenterFactory factory) { Factory() = std::move(factory); }

ZafApplication* ZafApplication::Get() { return g_application; }

Status ZafApplication::MakeScriptedPresenter(const std::string& path, std::unique_ptr<ZafPresenter>& out) {
  const char* asked = std::getenv("KELVO_PRESENTER");
  std::unique_ptr<ZafPresenter> presenter;
  if (Factory() && asked != nullptr && std::string(asked) == "qt") {
    presenter = Factory()();
    const Status status = presenter != nullptr ? presenter->LoadScript(path) : kStatusNotSupported;
    if (status == kStatusOk) {
      out = std::move(presenter);
      return kStatusOk;
    }
    if (status != kStatusNotSupported) return status;
  }
  presenter = std::make_unique<ZafHeadlessPresenter>();
  KELVO_TRY(presenter->LoadScript(path));
  out = std::move(presenter);
  return kStatusOk;
}

ZafApplication::ZafApplication(int argc, char** argv, std::unique_ptr<ZafPresenter> presenter) {
  for (int i = 0; i < argc && argv != nullptr && argv[i] != nullptr; ++i) m_arguments.emplace_back(argv[i]);

  const char* script = std::getenv("KELVO_SCRIPT");
  if (!presenter && script != nullptr && *script != '\0' && MakeScriptedPresenter(script, presenter) != kStatusOk) {
    m_startupState = kStartupFailed;
  }
  if (!presenter && Factory() && !EnvironmentSet("KELVO_HEADLESS")) presenter = Factory()();
  if (!presenter) presenter = std::make_unique<ZafHeadlessPresenter>();
  m_presenter = std::move(presenter);

  m_windows = std::make_unique<ZafWindowManager>(*m_presenter);
  m_events = std::make_unique<ZafEventManager>(*m_presenter, m_keyboard, *m_windows);
  m_windows->SetEventManager(m_events.get());
  g_application = this;
  if (ZafAutomation* automation = m_presenter->Automation()) automation->Attach(*this);
  m_desktop = std::make_unique<ZafDesktop>(*this);
  m_previousDesktop = SetDesktop(m_desktop.get());

  // The internationalisation storage lives beside the module (argument 0).
  if (!m_arguments.empty()) {
    const std::filesystem::path i18n = std::filesystem::path(m_arguments[0]).parent_path() / "i18n.znc";
    auto storage = std::make_unique<ZafStorage>();
    if (storage->Open(i18n.string()) == kStatusOk) m_i18n = std::move(storage);
  }
}

ZafApplication::~ZafApplication() {
  // Windows may outlive the run; they must not tell a presenter that is gone.
  for (ZafWindow* window : m_windows->Windows()) window->SetObserver(nullptr);
  if (GetDesktop() == m_desktop.get()) SetDesktop(m_previousDesktop);
  if (ZafAutomation* automation = m_presenter->Automation()) automation->Finish();
  if (g_application == this) g_application = nullptr;
}

std::string ZafApplication::WrapHelpTip(const std::string& tip) const {
  if (m_tipWrap <= 0 || tip.size() <= 20 || tip.find('\n') != std::string::npos) return tip;
  const std::size_t line = (tip.size() + static_cast<std::size_t>(m_tipWrap) - 1) / static_cast<std::size_t>(m_tipWrap);
  std::string out;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < tip.size(); ++i) {
    if (tip[i] == ' ' && out.size() - lineStart >= line) {
      out.push_back('\n');
      lineStart = out.size();
    } else {
      out.push_back(tip[i]);
    }
  }
  return out;
}

int ZafApplication::Control() {
  m_exit = false;
  m_events->RunUntil([this] { return m_exit || m_windows->Count() == 0; });
  return 0;
}

void ZafApplication::ErrorBox(const std::string& title, const std::string& text) {
  (void)m_presenter->MessageBox(title, text, ZafMessageButtons::kOk);
}

void ZafApplication::Forget(ZafWindow& window) {
  m_windows->Subtract(window);
  m_events->Forget(window);
}
