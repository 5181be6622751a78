// tabletctl status against a daemon in this process, with and without a hub
// of fake devices.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <thread>

#include "service/CDaemon.h"
#include "service/CTabletService.h"
#include "service/input/CDeviceHub.h"
#include "service/input/FakeDevices.h"
#include "service/input/InputTestSupport.h"

namespace {

namespace fs = std::filesystem;
using input_test::CFakeLauncher;
using input_test::CFakeSource;
using input_test::CKeptSink;

class StatusCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bin = std::getenv("KELVO_BUILD_BIN");
    if (bin == nullptr) GTEST_SKIP() << "KELVO_BUILD_BIN is set by ctest";
    m_bin = bin;
    m_dir = fs::temp_directory_path() / ("kelvo-status-" + std::to_string(::getpid()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    fs::permissions(m_dir, fs::perms::owner_all);
    m_daemon = std::make_unique<CDaemon>(m_service, m_dir / "s");
    std::string error;
    ASSERT_TRUE(m_daemon->Listen(error)) << error;
  }
  void TearDown() override {
    m_hub.reset();
    m_daemon.reset();
    fs::remove_all(m_dir);
  }

  // What `tabletctl status` prints while the daemon serves it.
  std::string Status() {
    std::atomic<bool> stop{false};
    std::thread loop([&] {
      while (!stop) m_daemon->Poll(10);
    });
    const std::string command = (m_bin / "tabletctl").string() + " --socket " + (m_dir / "s").string() + " status 2>&1";
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) out += chunk;
    const int status = ::pclose(pipe);
    stop = true;
    loop.join();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
    return out;
  }

  void StartHub() {
    m_hub = std::make_unique<CDeviceHub>(
        *m_daemon, m_service, m_source,
        [this](const StDeviceDescription& device, std::uint32_t, std::string& error) -> std::unique_ptr<IOutputSink> {
          if (device.name.find("Mouse") != std::string::npos) {
            error = "/dev/uinput: cannot make a virtual device: Permission denied";
            return nullptr;
          }
          return std::make_unique<CKeptSink>(m_sinks.emplace_back());
        },
        m_launcher, stderr);
    m_hub->Start();
  }

  fs::path m_bin;
  fs::path m_dir;
  CTabletService m_service;
  std::unique_ptr<CDaemon> m_daemon;
  CFakeSource m_source;
  CFakeLauncher m_launcher;
  std::deque<CRecordingSink> m_sinks;
  std::unique_ptr<CDeviceHub> m_hub;
};

StDeviceDescription Device(const std::string& recording) {
  CEventRecording events;
  std::string error;
  EXPECT_EQ(events.Read(input_test::ReadFile(input_test::RecordingPath(recording)), error), kStatusOk) << error;
  return events.m_device;
}

TEST_F(StatusCommand, SaysWhichDevicesAreDriven) {
  EXPECT_EQ(Status(), "tabletd runs on the virtual tablet: it drives no devices (tabletd --devices would)\n");
  m_source.m_descriptions["/dev/input/event4"] = Device("pen-stroke");
  m_source.m_descriptions["/dev/input/event9"] = Device("puck-wheel");
  m_source.m_present = {"/dev/input/event4", "/dev/input/event9"};
  StartHub();
  EXPECT_EQ(Status(), "/dev/input/event4: tablet 1 \"Drawing Tablet 6x8 Pen\", model 90, grabbed and driven\n"
                      "/dev/input/event9: tablet 2 \"Drawing Tablet 6x8 Mouse\", model 90, not grabbed: shown, not driven\n");
  m_source.Change(StDeviceChange::Kind::kRemoved, "/dev/input/event4");
  m_daemon->Poll(0);
  EXPECT_EQ(Status(), "/dev/input/event9: tablet 2 \"Drawing Tablet 6x8 Mouse\", model 90, not grabbed: shown, not driven\n");
  m_hub->Stop();
  EXPECT_EQ(Status(), "tabletd watches for tablets and drives none now\n");
}

}  // namespace
