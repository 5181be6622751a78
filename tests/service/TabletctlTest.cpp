#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>
#include <atomic>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct StRun {
  int code = -1;
  std::string out;
};

// tabletctl and tabletd as a user runs them, against a private socket.
class TabletctlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bin = std::getenv("KELVO_BUILD_BIN");
    if (bin == nullptr) GTEST_SKIP() << "KELVO_BUILD_BIN is set by ctest";
    m_bin = bin;
    m_dir = fs::temp_directory_path() / ("kelvo-ctl-" + std::to_string(::getpid()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    StartDaemon(m_dir / "state.json");
  }
  void StartDaemon(const fs::path& state) {
    m_daemon = ::fork();
    if (m_daemon == 0) {
      const std::string tabletd = (m_bin / "tabletd").string();
      const std::string socket = (m_dir / "s").string();
      ::execl(tabletd.c_str(), "tabletd", "--socket", socket.c_str(), "--state", state.c_str(), nullptr);
      ::_exit(127);
    }
    for (int i = 0; i < 200 && !fs::exists(m_dir / "s"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  void StopDaemon() {
    if (m_daemon > 0) {
      ::kill(m_daemon, SIGTERM);
      int status = 0;
      ::waitpid(m_daemon, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      EXPECT_FALSE(fs::exists(m_dir / "s"));  // SIGTERM removes the socket
    }
    m_daemon = -1;
  }
  void TearDown() override {
    StopDaemon();
    fs::remove_all(m_dir);
  }
  StRun Ctl(const std::string& args, const fs::path& socket = {}) {
    const std::string command = (m_bin / "tabletctl").string() + " --socket " +
                                (socket.empty() ? m_dir / "s" : socket).string() + " " + args + " 2>&1";
    StRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char chunk[512];
    while (std::fgets(chunk, sizeof(chunk), pipe) != nullptr) run.out += chunk;
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  fs::path m_bin;
  fs::path m_dir;
  pid_t m_daemon = -1;
};

TEST_F(TabletctlTest, ReadsWritesAndResetsValuesByPath) {
  EXPECT_EQ(Ctl("get 2:0/4:0/11:2/41").out, "3 (0x3)\n");
  EXPECT_EQ(Ctl("set 2:0/4:0/11:2/41 7").code, 0);
  EXPECT_EQ(Ctl("get 2:0/4:0/11:2/41").out, "7 (0x7)\n");
  EXPECT_EQ(Ctl("default 2:0/4:0/11:2/41").out, "3 (0x3)\n");
  EXPECT_EQ(Ctl("set 2:0/4:0/188 'text:Fine liner'").code, 0);
  EXPECT_EQ(Ctl("get 2:0/4:0/188").out, "\"Fine liner\"\n");
  const StRun list = Ctl("list");
  EXPECT_NE(list.out.find("tablet 0: model 130"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("tool 1: type 3"), std::string::npos) << list.out;
}

TEST_F(TabletctlTest, PenAndAttachChangeWhatTheDiagnosticsRead) {
  EXPECT_EQ(Ctl("pen prox 1").code, 0);
  EXPECT_EQ(Ctl("pen move 1500 900").code, 0);
  EXPECT_EQ(Ctl("get 2:0/190:3").out, "1 (0x1)\n");
  EXPECT_EQ(Ctl("get 2:0/190:4").out, "32771 (0x8003)\n");   // a puck of type 3
  EXPECT_EQ(Ctl("get 2:0/168:7").out, "900 (0x384)\n");
  EXPECT_EQ(Ctl("attach tool 0 42 77").out, "tool 2\n");
  EXPECT_EQ(Ctl("get 2:0/28:4").out, "3 (0x3)\n");
  EXPECT_EQ(Ctl("detach tool 0 2").code, 0);
  EXPECT_EQ(Ctl("get 2:0/251:4").out, "2 (0x2)\n");
}

TEST_F(TabletctlTest, APlayedStrokeReachesWatchersAsReadableReports) {
  {
    std::FILE* file = std::fopen((m_dir / "tap.stroke").c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("rate 500\n# a tap\n100 200 0 5 -3\n100 200 700\naway\n", file);
    std::fclose(file);
  }
  StRun watched;
  std::atomic<bool> done = false;
  std::thread watcher([&] {
    watched = Ctl("watch --pen 3");
    done = true;
  });
  // The watcher may subscribe after a play: play until it has seen three reports.
  StRun played;
  for (int i = 0; i < 500 && !done; ++i) played = Ctl("pen play " + (m_dir / "tap.stroke").string());
  watcher.join();
  EXPECT_EQ(played.code, 0) << played.out;
  EXPECT_EQ(played.out.rfind("3 reports in ", 0), 0u) << played.out;
  ASSERT_EQ(watched.code, 0) << watched.out;
  // Three lines, each the whole record of tablet 0 with the rate they came at.
  std::istringstream lines(watched.out);
  std::vector<std::string> seen;
  for (std::string line; std::getline(lines, line);) seen.push_back(line);
  ASSERT_EQ(seen.size(), 3u) << watched.out;
  for (const std::string& line : seen) {
    EXPECT_EQ(line.rfind("tablet 0 pen type 2 serial 0x00001234 ", 0), 0u) << line;
    EXPECT_NE(line.find(" reports/s"), std::string::npos) << line;
  }
  EXPECT_EQ(Ctl("get 2:0/190:3").out, "0 (0x0)\n");  // it ended away
  EXPECT_EQ(Ctl("get 2:0/190:9").out, "700 (0x2BC)\n");
  EXPECT_EQ(Ctl("get 2:0/168:10").out, "5 (0x5)\n");

  // A file that is no stroke is refused with where and why.
  std::FILE* file = std::fopen((m_dir / "bad.stroke").c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("rate 5000\n", file);
  std::fclose(file);
  const StRun bad = Ctl("pen play " + (m_dir / "bad.stroke").string());
  EXPECT_EQ(bad.code, 2);
  EXPECT_NE(bad.out.find("bad.stroke:1: rate is 1 to 1000"), std::string::npos) << bad.out;
}

TEST_F(TabletctlTest, BadInputAndNoDaemonExitNonZero) {
  struct Row {
    const char* args;
    int code;
  };
  const Row rows[] = {
      {"get 2:0/999", 2},               // bad path
      {"get 2:0/4:9/115", 1},           // unknown to the service
      {"set 2:0/4:0/11:2/41 seven", 2}, // bad value
      {"set 2:0/4:0/172 300", 2},       // does not fit one byte
      {"set 2:0/4:0/38 1", 1},          // the serial is the tool's own
      {"frobnicate", 2},
  };
  for (const Row& row : rows) EXPECT_EQ(Ctl(row.args).code, row.code) << row.args;
  const StRun none = Ctl("list", m_dir / "nobody");
  EXPECT_EQ(none.code, 3);
  EXPECT_NE(none.out.find("tabletd"), std::string::npos);
}

TEST_F(TabletctlTest, NumbersOutsideTheValuesRangeAreRefused) {
  struct Row {
    const char* value;
    int code;
    const char* stored;
  };
  // 104 at index 0 is a 2-byte mask; 172 a 1-byte flag.
  const Row rows[] = {
      {"2:0/4:0/11:1/104 -40000", 2, "0 (0x0)\n"},  {"2:0/4:0/11:1/104 65536", 2, "0 (0x0)\n"},
      {"2:0/4:0/11:1/104 -32768", 0, "32768 (0x8000)\n"}, {"2:0/4:0/11:1/104 65535", 0, "65535 (0xFFFF)\n"},
      {"2:0/4:0/11:1/104 0x10000", 2, "65535 (0xFFFF)\n"}, {"2:0/4:0/172 -129", 2, "1 (0x1)\n"},
      {"2:0/4:0/172 -1", 0, "255 (0xFF)\n"},
  };
  for (const Row& row : rows) {
    const std::string args(row.value);
    EXPECT_EQ(Ctl("set " + args).code, row.code) << args;
    EXPECT_EQ(Ctl("get " + args.substr(0, args.find(' '))).out, row.stored) << args;
  }
  EXPECT_EQ(Ctl("attach tool 0 70000 1").code, 2);  // a type code is 2 bytes
  EXPECT_EQ(Ctl("get 2:0/28:4").out, "2 (0x2)\n");
}

TEST_F(TabletctlTest, RefusalsAndUnstoredChangesAreReported) {
  ::chmod(m_dir.c_str(), 0777);
  const StRun refused = Ctl("list");
  ::chmod(m_dir.c_str(), 0755);
  EXPECT_EQ(refused.code, 3);
  EXPECT_NE(refused.out.find("refusing the tablet service"), std::string::npos) << refused.out;

  StopDaemon();
  fs::create_directories(m_dir / "unreadable");
  StartDaemon(m_dir / "unreadable");
  const StRun unstored = Ctl("set 2:0/4:0/11:2/41 7");
  EXPECT_EQ(unstored.code, 1);
  EXPECT_NE(unstored.out.find("could not store it"), std::string::npos) << unstored.out;
}

}  // namespace
