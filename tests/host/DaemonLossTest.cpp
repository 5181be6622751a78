// The tablet service daemon killed while the window is open: every request
// then fails with a status, the views keep what they had, nothing reaches
// freed memory, closing works, and a daemon started again is used again.
// Its own program: the Wintab library chooses its service once per process.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "driver/CWinDriverInterface.h"
#include "host/upperview/CUpperView.h"
#include "model/CDriverObject.h"
#include "model/ModelReads.h"
#include "settings/CBehaviour.h"
#include "support/BuildPaths.h"
#include "support/CRecordingEventTranslator.h"
#include "support/CTempDir.h"
#include "views/ControlIds.h"

namespace {

namespace fs = std::filesystem;

constexpr ItemId kCurrentTabletItem = 6;

class DaemonLossTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(m_dir.Path().empty());
    m_socket = m_dir.Path() + "/tablet.sock";
    setenv("KELVO_SERVICE_SOCKET", m_socket.c_str(), 1);
    setenv("KELVO_WINTAB_LIBRARY", (BuildBinDir() + "/libwintab32.so").c_str(), 1);
    StartDaemon();
    m_translator = CRecordingEventTranslator::Install();
    auto link = std::make_unique<CWinDriverInterface>();
    ASSERT_EQ(link->Open(), kStatusOk);
    InstallDriverInterface(std::move(link));
  }
  void TearDown() override {
    m_view.reset();
    m_driverObject.reset();
    for (const BehaviourKind kind : {BehaviourKind::kLive, BehaviourKind::kApply, BehaviourKind::kNoDriver})
      ReleaseBehaviour(kind);
    ReleaseDriverInterface();
    CRecordingEventTranslator::Uninstall();
    KillDaemon();
  }

  void StartDaemon() {
    std::error_code ignored;
    fs::remove(m_socket, ignored);
    const std::string tabletd = BuildBinDir() + "/tabletd";
    const std::string state = m_dir.Path() + "/state.json";
    m_daemon = ::fork();
    if (m_daemon == 0) {
      ::execl(tabletd.c_str(), "tabletd", "--socket", m_socket.c_str(), "--state", state.c_str(), nullptr);
      ::_exit(127);
    }
    for (int i = 0; i < 500 && !fs::exists(m_socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(m_socket)) << "tabletd did not start";
  }
  // Gone at once, as a crash would take it: no goodbye, the socket file stays.
  void KillDaemon() {
    if (m_daemon <= 0) return;
    ::kill(m_daemon, SIGKILL);
    int status = 0;
    ::waitpid(m_daemon, &status, 0);
    m_daemon = -1;
  }

  ViewResult Send(std::uint32_t operation, std::uint32_t controlId, void* data = nullptr) {
    ViewRequest request{operation, controlId, data};
    return m_view->Dispatch(request);
  }

  CTempDir m_dir;
  std::string m_socket;
  pid_t m_daemon = -1;
  CRecordingEventTranslator* m_translator = nullptr;
  std::unique_ptr<CDriverObject> m_driverObject;
  std::unique_ptr<CUpperView> m_view;
};

TEST_F(DaemonLossTest, RequestsFailWithAStatusAndTheViewsSurviveUntilClosing) {
  m_driverObject = std::make_unique<CDriverObject>();
  ASSERT_EQ(m_driverObject->SetKey(CDataKey()), kStatusOk);
  m_view = std::make_unique<CUpperView>();
  ASSERT_EQ(m_view->Build(), kStatusOk);
  ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
  (void)Send(kViewRefresh, kBroadcastId);
  std::uint16_t current = 0xFFFF;
  ASSERT_EQ(ReadItem(*m_driverObject, kCurrentTabletItem, current, ReadMode::kFresh), kStatusOk);

  KillDaemon();
  m_translator->Clear();
  for (int tick = 0; tick < 3; ++tick) (void)Send(kViewRefresh, kBroadcastId);
  EXPECT_EQ(ReadItem(*m_driverObject, kCurrentTabletItem, current, ReadMode::kFresh), kStatusNoDriverInterface);
  // Nothing was deleted for want of answers: the window keeps its tablet and tools.
  ASSERT_NE(m_view->GetTablet(), nullptr);
  EXPECT_NE(m_view->GetFirstStylus(), nullptr);
  EXPECT_NE(m_view->GetFirstPuck(), nullptr);
  EXPECT_FALSE(m_translator->Changes().empty()) << "values that cannot be read are shown so";

  // What a user does meanwhile is answered, not crashed on.
  for (std::uint32_t page : {ControlId::kPuckTab, ControlId::kTabletTab, ControlId::kStylusTab}) {
    EXPECT_EQ(Send(kViewSet, ControlId::kTabChange, &page), kStatusHandled);
    (void)Send(kViewRefresh, kBroadcastId);
  }
  std::uint32_t position = 5;
  (void)Send(kViewSet, ControlId::kTipFeelSlider, &position);
  (void)Send(kViewDefault, kBroadcastId);
  (void)Send(kViewApply, kBroadcastId);
  std::uint32_t sound = 1;
  (void)Send(kViewSet, ControlId::kClickSound, &sound);
  EXPECT_EQ(m_view->GetCurrentTabView(), m_view->GetOwnedView(ControlId::kStylusView));

  // A daemon started again serves the same window.
  StartDaemon();
  (void)Send(kViewRefresh, kBroadcastId);
  EXPECT_EQ(ReadItem(*m_driverObject, kCurrentTabletItem, current, ReadMode::kFresh), kStatusOk);
  KillDaemon();

  // Closing with the daemon gone: detach, then the model's goodbye fails quietly.
  EXPECT_EQ(m_view->Detach(), kStatusOk);
  m_view.reset();
  m_driverObject.reset();
}

}  // namespace
