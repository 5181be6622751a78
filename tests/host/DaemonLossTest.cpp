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

#include "CUpperViewFixture.h"
#include "driver/CWinDriverInterface.h"
#include "model/ModelReads.h"
#include "support/BuildPaths.h"
#include "support/CTempDir.h"

namespace {

namespace fs = std::filesystem;

constexpr ItemId kCurrentTabletItem = 6;

class DaemonLossTest : public CUpperViewFixture {
 protected:
  void SetUp() override {
    CUpperViewFixture::SetUp();
    ASSERT_FALSE(m_dir.Path().empty());
    m_socket = m_dir.Path() + "/tablet.sock";
    setenv("KELVO_SERVICE_SOCKET", m_socket.c_str(), 1);
    setenv("KELVO_WINTAB_LIBRARY", (BuildBinDir() + "/libwintab32.so").c_str(), 1);
    ASSERT_NO_FATAL_FAILURE(StartDaemon());
    auto link = std::make_unique<CWinDriverInterface>();
    ASSERT_EQ(link->Open(), kStatusOk);
    InstallDriverInterface(std::move(link));
    ASSERT_NO_FATAL_FAILURE(BuildView());
  }
  void TearDown() override {
    CUpperViewFixture::TearDown();
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
  Status ReadCurrentTablet() {
    std::uint16_t current = 0xFFFF;
    return ReadItem(*m_driverObject, kCurrentTabletItem, current, ReadMode::kFresh);
  }

  CTempDir m_dir;
  std::string m_socket;
  pid_t m_daemon = -1;
};

TEST_F(DaemonLossTest, RequestsFailWithAStatusAndTheViewsSurviveUntilClosing) {
  ASSERT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusOk);
  Refresh();
  ASSERT_EQ(ReadCurrentTablet(), kStatusOk);

  KillDaemon();
  m_translator->Clear();
  Refresh(3);
  EXPECT_EQ(ReadCurrentTablet(), kStatusNoDriverInterface);
  // Nothing was deleted for want of answers: the window keeps its tablet and tools.
  EXPECT_NE(m_view->GetFirstPuck(), nullptr);
  EXPECT_FALSE(m_translator->Changes().empty()) << "values that cannot be read are shown so";

  // What a user does meanwhile is answered, not crashed on.
  for (std::uint32_t page : {ControlId::kPuckTab, ControlId::kTabletTab, ControlId::kStylusTab}) {
    EXPECT_EQ(SelectTab(page), kStatusHandled);
    Refresh();
  }
  std::uint32_t value = 1;
  for (const auto& [operation, control] :
       {std::pair{kViewSet, ControlId::kTipFeelSlider}, std::pair{kViewSet, ControlId::kClickSound},
        std::pair{kViewDefault, kBroadcastId}, std::pair{kViewApply, kBroadcastId}}) {
    ViewRequest request{operation, control, operation == kViewSet ? &value : nullptr};
    DropStatus(ResultStatus(m_view->Dispatch(request)), "it fails; surviving it is the point");
  }
  EXPECT_EQ(m_view->GetCurrentTabView(), m_view->GetOwnedView(ControlId::kStylusView));

  // A daemon started again serves the same window.
  ASSERT_NO_FATAL_FAILURE(StartDaemon());
  Refresh();
  EXPECT_EQ(ReadCurrentTablet(), kStatusOk);
  KillDaemon();

  // Closing with the daemon gone: detach, then the model's goodbye fails quietly.
  EXPECT_EQ(m_view->Detach(), kStatusOk);
  m_view.reset();
  m_driverObject.reset();
}

}  // namespace
