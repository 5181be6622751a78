// One tick of the main window's refresh timer with every control of a tab
// bound: the real window over the real resource file on the headless
// toolkit, asking the tablet service in this process (as libwintab32's
// embedded service does) or tabletd over its socket. Reports the reads each
// tick sends. Also the window's start-up, in process, up to being shown.
//
//   main_window_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "host/applet/CUserPersist.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "service/CDaemonClient.h"
#include "service/CProfileReader.h"
#include "protocol/StDriverPacket.h"
#include "services/CDriverInterface.h"
#include "support/BuildPaths.h"
#include "support/CServedDaemon.h"
#include "support/CTempDir.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/automation/ZafHeadlessPresenter.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/data/ZafLanguageData.h"
#include "toolkit/storage/ZafStorage.h"

namespace {

enum class Link { kEmbedded, kDaemon };

// The applet's requests as packets to the service in this process or, with
// a client, to tabletd, counted.
class CBenchDriverInterface : public CDriverInterface {
 public:
  CBenchDriverInterface(CTabletService& service, CDaemonClient* client)
      : m_service(service), m_client(client) {}

  Status SendRequest(std::uint32_t command, const StObjectKey* keys, std::uint32_t capacity, void* buffer) override {
    ++m_requests;
    StDriverPacket packet;
    KELVO_TRY(packet.Make(capacity, buffer));
    KELVO_TRY(packet.FillRequest(command, keys, 0, nullptr, kRequestModeApplet));
    packet.dataLength = capacity;
    const std::uint32_t answer =
        m_client != nullptr ? m_client->Exchange(packet) : m_service.HandlePacket(packet);
    if (const auto result = static_cast<Status>(answer & 0xFFFFU); result != kStatusOk)
      return result;
    std::uint32_t length = capacity;
    return packet.ReadReply(&length, buffer);
  }
  Status GetAppletVersion(VersionRecord& out) override { return ParseVersionString(kAppletVersionString, out); }
  Status Open() override { return kStatusOk; }
  [[nodiscard]] std::uint32_t RequestCount() const { return m_requests; }

 private:
  CTabletService& m_service;
  CDaemonClient* m_client;
  std::uint32_t m_requests = 0;
};

// The tablet service behind the window, in this process or behind tabletd's
// socket served from a thread of this process.
class CBenchService {
 public:
  CBenchService(const std::string& profile, Link link, const std::string& socket) {
    StProfile definition = MakeDefaultProfile();
    const std::string file = std::string(KELVO_SOURCE_DIR) + "/" + profile;
    if (!profile.empty() && !CProfileReader::ReadFile(file, definition, m_error)) return;
    m_service = std::make_unique<CTabletService>(std::move(definition));
    if (link == Link::kEmbedded) return;
    m_daemon = std::make_unique<CServedDaemon>(*m_service, socket);
    m_error = m_daemon->Error();
    m_client = std::make_unique<CDaemonClient>(socket);
  }

  [[nodiscard]] const std::string& Error() const { return m_error; }
  [[nodiscard]] std::unique_ptr<CBenchDriverInterface> MakeInterface() {
    return std::make_unique<CBenchDriverInterface>(*m_service, m_client.get());
  }

 private:
  std::string m_error;
  std::unique_ptr<CTabletService> m_service;
  std::unique_ptr<CServedDaemon> m_daemon;
  std::unique_ptr<CDaemonClient> m_client;
};

// The applet's run up to its main window shown on the headless presenter,
// every tab bound: the toolkit application, the resource file, the language
// strings, the window read and run.
class CAppletRun {
 public:
  CAppletRun()
      : m_application(1, m_argv, std::make_unique<ZafHeadlessPresenter>()),
        m_persistence(m_storage, &m_application.DataManager()) {}
  ~CAppletRun() {
    m_window.reset();
    ZafObjectPersistence::SetDefault(nullptr);
  }
  CAppletRun(const CAppletRun&) = delete;
  CAppletRun& operator=(const CAppletRun&) = delete;

  [[nodiscard]] bool Open() {
    if (m_storage.Open(BuildBinDir() + "/Tablet.znc") != kStatusOk) return false;
    ZafObjectPersistence::SetDefault(&m_persistence);
    std::unique_ptr<ZafLanguageData> strings;
    if (m_persistence.ReadLanguageData("LanguageStrings", "en", strings) == kStatusOk)
      m_application.DataManager().Add(std::move(strings));
    // The one tablet with a tablet tab is taken with Ctrl held at its dialog.
    m_application.Keyboard().SetKeyDown(kZafKeyControl, true);
    m_window = std::make_unique<CCPLMainWindow>(m_application);
    const bool open = m_window->Load(m_persistence, "ConsumerCPLMainWindow") == kStatusOk &&
                      m_window->Run() == kStatusOk;
    m_application.Keyboard().SetKeyDown(kZafKeyControl, false);
    return open;
  }
  [[nodiscard]] CCPLMainWindow& Window() { return *m_window; }

 private:
  std::string m_module = BuildBinDir() + "/Tablet.cpl";
  char* m_argv[2] = {m_module.data(), nullptr};
  ZafApplication m_application;
  ZafStorage m_storage;
  CUserPersist m_persistence;
  std::unique_ptr<CCPLMainWindow> m_window;
};

void BM_RefreshTick(benchmark::State& state, const std::string& profile, const std::string& tab,
                    Link link) {
  CTempDir folder;
  setenv("KELVO_RUNTIME_DIR", folder.Path().c_str(), 1);
  CBenchService service(profile, link, folder.Path() + "/tablet.sock");
  if (!service.Error().empty()) return state.SkipWithError(service.Error().c_str());
  auto driver = service.MakeInterface();
  CBenchDriverInterface* counted = driver.get();
  InstallDriverInterface(std::move(driver));
  CAppletRun run;
  auto* notebook = run.Open() ? run.Window().FindAs<ZafNotebook>("TabsWindow") : nullptr;
  ZafWindowObject* page = notebook != nullptr ? run.Window().Find(tab) : nullptr;
  if (page != nullptr) notebook->UserSelectPage(notebook->IndexOf(*page));
  if (page == nullptr || notebook->CurrentPage() != page)
    return state.SkipWithError("the window or its tab did not open");
  ZafEventStruct tick;
  tick.type = kZafEventTimer;
  tick.target = &run.Window();
  run.Window().Event(tick);
  const std::uint32_t before = counted->RequestCount();
  for (auto _ : state) run.Window().Event(tick);
  const auto reads = static_cast<double>(counted->RequestCount() - before);
  state.counters["reads"] = benchmark::Counter(reads, benchmark::Counter::kAvgIterations);
}

// Start-up of the applet's main window with every tab bound, in process, up
// to being shown; closing is not part of it.
void BM_StartUp(benchmark::State& state, const std::string& profile) {
  CBenchService service(profile, Link::kEmbedded, {});
  if (!service.Error().empty()) return state.SkipWithError(service.Error().c_str());
  for (auto _ : state) {
    state.PauseTiming();
    // Each opening takes the single-instance lock of a folder of its own.
    auto folder = std::make_unique<CTempDir>();
    setenv("KELVO_RUNTIME_DIR", folder->Path().c_str(), 1);
    InstallDriverInterface(service.MakeInterface());
    state.ResumeTiming();
    auto run = std::make_unique<CAppletRun>();
    const bool shown = run->Open();
    state.PauseTiming();
    run.reset();
    folder.reset();
    state.ResumeTiming();
    if (!shown) return state.SkipWithError("the main window did not open");
  }
}

}  // namespace

int main(int argc, char** argv) {
  struct Case {
    const char* name;
    const char* profile;
    const char* tab;
  };
  const Case cases[] = {
      {"stylus", "", "StylusTab"},
      {"puck", "", "PuckTab"},
      {"pen_display_stylus", "service/profiles/pen-display.json", "StylusTab"},
      {"tablet", "tests/acceptance/profiles/model-230.json", "TabletTab"},
  };
  for (const Case& c : cases) {
    for (const auto& [linkName, link] : {std::pair{"embedded", Link::kEmbedded}, std::pair{"daemon", Link::kDaemon}}) {
      benchmark::RegisterBenchmark((std::string("BM_RefreshTick/") + c.name + "/" + linkName).c_str(),
                                   [c, link = link](benchmark::State& state) {
                                     BM_RefreshTick(state, c.profile, c.tab, link);
                                   })
          ->UseRealTime()
          ->Unit(benchmark::kMicrosecond);
    }
  }
  for (const Case& c : {cases[0], cases[3]}) {
    benchmark::RegisterBenchmark((std::string("BM_StartUp/") + c.name).c_str(),
                                 [c](benchmark::State& state) { BM_StartUp(state, c.profile); })
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
