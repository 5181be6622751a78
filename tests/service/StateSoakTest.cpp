// Several writers on one state file while tabletd and an embedded writer are
// killed (SIGKILL) and started again: in the end every value a writer was
// told is stored is there. Bounded to a few seconds.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "service/ServiceTestSupport.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using namespace service_test;

constexpr auto kSoakTime = std::chrono::seconds(6);
constexpr int kReportFd = 200;
constexpr const char* kWriterVariable = "KELVO_SOAK_WRITER";

// A process with an embedded service that sets its own buttons one after
// another and reports each value once the service answered for it. It is
// this test program started again, so that nothing of the parent's threads
// is inherited.
[[noreturn]] void RunEmbeddedWriter(const char* state) {
  CTabletService service(MakeDefaultProfile(), state);
  std::uint32_t next[2] = {GetU32(service, Button(1, 1)).value_or(0) + 1,
                           GetU32(service, Button(1, 2)).value_or(0) + 1};
  for (std::uint32_t turn = 0;; ++turn) {
    const std::uint32_t which = turn % 2;
    // Each value is said before it is tried, and again once the service stored it.
    std::uint32_t said[3] = {which, next[which], 0};
    if (::write(kReportFd, said, sizeof(said)) != sizeof(said)) ::_exit(1);
    said[2] = SetU32(service, Button(1, which + 1), next[which]) == kStatusOk ? 1 : 0;
    if (said[2] == 1 && ::write(kReportFd, said, sizeof(said)) != sizeof(said)) ::_exit(1);
    ++next[which];
  }
}

const bool g_writer = [] {
  if (const char* state = std::getenv(kWriterVariable)) RunEmbeddedWriter(state);
  return false;
}();

pid_t StartEmbeddedWriter(int report) {
  const pid_t writer = ::fork();
  if (writer == 0) {
    if (::dup2(report, kReportFd) != kReportFd) ::_exit(126);
    ::execl("/proc/self/exe", "service_tests", nullptr);
    ::_exit(127);
  }
  return writer;
}

TEST(StateSoakTest, EveryAcknowledgedValueSurvivesKillsOfEveryWriter) {
  if (std::getenv("KELVO_BUILD_BIN") == nullptr) GTEST_SKIP() << "KELVO_BUILD_BIN is set by ctest";
  const CTempDir temp;
  const fs::path socket = fs::path(temp.Path()) / "s";
  const fs::path state = fs::path(temp.Path()) / "state.json";
  const CScopedEnv writerState(kWriterVariable, state.string());
  pid_t daemon = StartTabletd(socket, state, false);
  int pipeEnds[2];
  ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
  pid_t embedded = StartEmbeddedWriter(pipeEnds[1]);

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
  std::uint32_t embeddedTried[2] = {0, 0};
  std::uint32_t embeddedStored[2] = {0, 0};
  std::thread reader([&] {
    std::uint32_t said[3];
    while (::read(pipeEnds[0], said, sizeof(said)) == sizeof(said))
      (said[2] == 1 ? embeddedStored : embeddedTried)[said[0]] = said[1];
  });

  std::mt19937 random(12345);
  const auto end = std::chrono::steady_clock::now() + kSoakTime;
  while (std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(150 + random() % 250));
    if (random() % 2 == 0) {
      StopProcess(daemon, SIGKILL);
      daemon = StartTabletd(socket, state, false);
    } else {
      StopProcess(embedded, SIGKILL);
      embedded = StartEmbeddedWriter(pipeEnds[1]);
    }
  }
  stop = true;
  for (std::thread& thread : threads) thread.join();
  StopProcess(embedded, SIGKILL);
  StopProcess(daemon, SIGKILL);
  ::close(pipeEnds[1]);
  reader.join();
  ::close(pipeEnds[0]);

  CTabletService fresh(MakeDefaultProfile(), state);
  for (std::uint32_t i = 0; i < 3; ++i) {
    const std::uint32_t stored = GetU32(fresh, Button(0, i + 1)).value_or(0);
    EXPECT_GE(stored, acknowledged[i].load()) << "daemon client " << i;
    EXPECT_LE(stored, attempted[i].load()) << "daemon client " << i;
    EXPECT_GT(acknowledged[i].load(), 10u) << "daemon client " << i << " hardly got through";
  }
  for (std::uint32_t i = 0; i < 2; ++i) {
    const std::uint32_t stored = GetU32(fresh, Button(1, i + 1)).value_or(0);
    EXPECT_GE(stored, embeddedStored[i]) << "embedded writer " << i;
    EXPECT_LE(stored, embeddedTried[i]) << "embedded writer " << i;
    EXPECT_GE(embeddedStored[i], 3u) << "embedded writer " << i << " hardly got through";
  }
}

}  // namespace
