// Several writers on one state file while tabletd is killed (SIGKILL) and
// started again: in the end every value a writer was told is stored is there.
// Bounded to a few seconds.
#include <signal.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "service/ServiceTestSupport.h"
#include "support/CTempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace service_test;

constexpr auto kSoakTime = std::chrono::seconds(6);

TEST(StateSoakTest, EveryAcknowledgedValueSurvivesKillsOfTheDaemon) {
  if (std::getenv("KELVO_BUILD_BIN") == nullptr) GTEST_SKIP() << "KELVO_BUILD_BIN is set by ctest";
  const CTempDir temp;
  const fs::path socket = fs::path(temp.Path()) / "s";
  const fs::path state = fs::path(temp.Path()) / "state.json";
  pid_t daemon = StartTabletd(socket, state, false);

  // Each daemon client's last acknowledged and last attempted value.
  std::atomic<bool> stop{false};
  std::atomic<std::uint32_t> acknowledged[3] = {0, 0, 0};
  std::atomic<std::uint32_t> attempted[3] = {0, 0, 0};
  std::vector<std::thread> threads;
  for (std::uint32_t i = 0; i < 3; ++i) {
    threads.emplace_back([&, i] {
      CDaemonClient client(socket, 500);
      for (std::uint32_t value = 1; !stop; ++value) {
        attempted[i] = value;
        if (SetU32(client, Button(0, i + 1), value) == kStatusOk)
          acknowledged[i] = value;
        else
          std::this_thread::sleep_for(std::chrono::milliseconds(2));  // a restart is under way
      }
    });
  }

  std::mt19937 random(12345);
  const auto end = std::chrono::steady_clock::now() + kSoakTime;
  while (std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(150 + random() % 250));
    StopProcess(daemon, SIGKILL);
    daemon = StartTabletd(socket, state, false);
  }
  stop = true;
  for (std::thread& thread : threads) thread.join();
  StopProcess(daemon, SIGKILL);

  CTabletService fresh(MakeDefaultProfile(), state);
  for (std::uint32_t i = 0; i < 3; ++i) {
    const std::uint32_t stored = GetU32(fresh, Button(0, i + 1)).value_or(0);
    EXPECT_GE(stored, acknowledged[i].load()) << "daemon client " << i;
    EXPECT_LE(stored, attempted[i].load()) << "daemon client " << i;
    EXPECT_GT(acknowledged[i].load(), 10u) << "daemon client " << i << " hardly got through";
  }
}

}  // namespace
