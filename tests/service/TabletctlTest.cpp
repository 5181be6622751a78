#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "service/ServiceTestSupport.h"
#include "support/CTempDir.h"

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace service_test;

struct StRun {
  int code = -1;
  std::string out;
  std::string err;
};

// The tip's click threshold (2 bytes) as an applet's embedded service reads it.
std::uint32_t TipThreshold(CTabletService& service) {
  std::vector<std::uint8_t> data(2, 0);
  if (Request(service, kCommandGet, {L(2), L(4, 0), L(11, 1), L(43)}, data) != kStatusOk) return 0;
  return data.size() == 2 ? static_cast<std::uint32_t>(data[0] | (data[1] << 8)) : 0U;
}

// A preset setting the pen's tip threshold to each of `values` in turn.
std::string Preset(const fs::path& file, const std::vector<std::string>& values) {
  std::ofstream out(file);
  out << R"({"format": "tablet-properties preset", "version": 1, "values": [)";
  for (std::size_t i = 0; i < values.size(); ++i)
    out << (i == 0 ? "" : ", ") << R"({"tablet": {"model": 130}, "tool": {"type": 2, )"
        << R"("serial": 4660}, "setting": "tip.threshold", "value": )" << values[i] << "}";
  out << "]}";
  return file.string();
}

// tabletctl as a user runs it, against tabletd on a private socket: each of
// the folders "a" and "b" holds a socket "s" and a state file.
class TabletctlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bin = std::getenv("KELVO_BUILD_BIN");
    if (bin == nullptr) GTEST_SKIP() << "KELVO_BUILD_BIN is set by ctest";
    m_bin = bin;
    for (const char* folder : {"a", "b"}) fs::create_directories(Dir() / folder);
  }
  void TearDown() override {
    for (pid_t& daemon : m_daemons) StopProcess(daemon, SIGTERM);
  }
  fs::path Dir() const { return m_temp.Path(); }
  pid_t& StartDaemon(const std::string& folder = "a", const fs::path& state = {}) {
    const fs::path at = Dir() / folder;
    m_daemons.push_back(StartTabletd(at / "s", state.empty() ? at / "state.json" : state));
    return m_daemons.back();
  }
  StRun Ctl(const std::string& args, const std::string& folder = "a") {
    const fs::path at = Dir() / folder;
    const std::string command = (m_bin / "tabletctl").string() + " --socket " +
                                (at / "s").string() + " --state " + (at / "state.json").string() +
                                " " + args + " 2>" + (Dir() / "err").string();
    StRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char chunk[512];
    while (std::fgets(chunk, sizeof(chunk), pipe) != nullptr) run.out += chunk;
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadText(Dir() / "err");
    return run;
  }

  CTempDir m_temp;
  fs::path m_bin;
  std::vector<pid_t> m_daemons;
};

// Rows run in order: a read may show what a set before it stored.
TEST_F(TabletctlTest, UsageRefusalsAndExitCodes) {
  const std::string more = " (tabletctl --help shows how to use it)\n";
  struct Row {
    const char* args;
    int code;
    std::string out;                 // a part of stdout
    std::optional<std::string> err;  // the whole of stderr, when given
  };
  const Row rows[] = {
      {"--help", 0, "usage: tabletctl", ""},
      {"--version", 0, "tabletctl ", ""},
      {"", 2, "", ("tabletctl: no command" + more)},
      {"--profile", 2, "", ("tabletctl: --profile takes a value" + more)},
      {"frobnicate", 2, "", ("tabletctl: unknown command \"frobnicate\"" + more)},
      {"get", 2, "", ("tabletctl: get takes one PATH or NAME" + more)},
      {"get 2:0/999", 2, "", {}},
      {"set 2:0/4:0/11:2/41 seven", 2, "", {}},
      {"get 2:0/4:9/115", 1, "", "tabletctl: 2:0/4:9/115: no such value (0x0200)\n"},
      {"get airbrush.tip.threshold", 2, "",
       "tabletctl: \"airbrush.tip.threshold\": tablet 0 has no airbrush present\n"},
      {"get puck.tip.threshold", 2, "",
       "tabletctl: \"puck.tip.threshold\": tool 1 is a puck; this setting belongs to pens and "
       "airbrushes\n"},
      {"get tablet3.pen.tip.threshold", 2, "",
       "tabletctl: \"tablet3.pen.tip.threshold\": there is no tablet 3\n"},
      {"set pen.tip.curve 1,2,3", 2, "", ("tabletctl: the value takes 6 numbers" + more)},
      {"import " __FILE__ "-missing", 4, "", {}},
      // Numbers beyond a value's size are refused; at 104 a 2-byte mask, at 172 a 1-byte flag.
      {"set 2:0/4:0/11:1/104 -40000", 2, "", {}},
      {"set 2:0/4:0/11:1/104 -32768", 0, "", ""},
      {"get 2:0/4:0/11:1/104", 0, "32768 (0x8000)\n", ""},
      {"set 2:0/4:0/172 -1", 0, "", ""},
      {"get 2:0/4:0/172", 0, "255 (0xFF)\n", ""},
      {"attach tool 0 70000 1", 2, "", {}},  // a type code is 2 bytes
  };
  StartDaemon();
  for (const Row& row : rows) {
    const StRun run = Ctl(row.args);
    EXPECT_EQ(run.code, row.code) << row.args;
    EXPECT_NE(run.out.find(row.out), std::string::npos) << row.args << ": " << run.out;
    EXPECT_EQ(run.err, row.err.value_or(run.err)) << row.args;
  }
  const StRun none = Ctl("get pen.tip.threshold", "b");  // no tabletd there
  EXPECT_EQ(none.code, 3);
  EXPECT_EQ(none.err, "tabletctl: no tablet service answers (is tabletd running?)\n");
}

TEST_F(TabletctlTest, NamesStandForPaths) {
  StartDaemon();
  struct Row {
    const char* name;
    const char* value;
    const char* path;
    const char* read;  // the path's reading afterwards
  };
  const Row rows[] = {
      {"pen.tip.threshold", "300", "2:0/4:0/11:1/43", "300 (0x12C)\n"},
      {"tool1.button3.modifiers", "6", "2:0/4:1/11:3/104", "6 (0x6)\n"},
      {"tablet0.puck.name", "text:Left mouse", "2:0/4:1/188", "\"Left mouse\"\n"},
      {"pen.mapping.tablet.extent", "1000,800,0", "2:0/12/5:0@4/2/5/19:4660@4/19:1/20:2/61",
       "hex:e80300002003 (12 bytes)\n"},
  };
  for (const Row& row : rows) {
    ASSERT_EQ(Ctl(std::string("set ") + row.name + " '" + row.value + "'").code, 0) << row.name;
    EXPECT_EQ(Ctl(std::string("get ") + row.name).out, std::string(row.value) + "\n") << row.name;
    EXPECT_EQ(Ctl(std::string("get ") + row.path).out, row.read) << row.name;
  }
  EXPECT_EQ(Ctl("default pen.tip.threshold").out, "40\n");
}

TEST_F(TabletctlTest, PenAndAttachChangeWhatTheDiagnosticsRead) {
  StartDaemon();
  EXPECT_EQ(Ctl("pen prox 1").code, 0);
  EXPECT_EQ(Ctl("pen move 1500 900").code, 0);
  EXPECT_EQ(Ctl("get 2:0/190:3").out, "1 (0x1)\n");
  EXPECT_EQ(Ctl("get 2:0/190:4").out, "32771 (0x8003)\n");  // a puck of type 3
  EXPECT_EQ(Ctl("get 2:0/168:7").out, "900 (0x384)\n");
  EXPECT_EQ(Ctl("attach tool 0 42 77").out, "tool 2\n");
  EXPECT_EQ(Ctl("get 2:0/28:4").out, "3 (0x3)\n");
  EXPECT_EQ(Ctl("detach tool 0 2").code, 0);
  EXPECT_EQ(Ctl("get 2:0/251:4").out, "2 (0x2)\n");
}

TEST_F(TabletctlTest, APlayedStrokeReachesWatchersAsReadableReports) {
  StartDaemon();
  std::ofstream(Dir() / "tap.stroke") << "rate 500\n# a tap\n100 200 0 5 -3\n100 200 700\naway\n";
  StRun watched;
  std::atomic<bool> done = false;
  std::thread watcher([&] {
    watched = Ctl("watch --pen 3");
    done = true;
  });
  // The watcher may subscribe after a play: play until it has seen three reports.
  StRun played;
  for (int i = 0; i < 500 && !done; ++i)
    played = Ctl("pen play " + (Dir() / "tap.stroke").string());
  watcher.join();
  EXPECT_EQ(played.out.rfind("3 reports in ", 0), 0u) << played.out << played.err;
  ASSERT_EQ(watched.code, 0) << watched.err;
  // Three lines, each the whole record of tablet 0 with the rate they came at.
  std::istringstream lines(watched.out);
  int seen = 0;
  for (std::string line; std::getline(lines, line); ++seen) {
    EXPECT_EQ(line.rfind("tablet 0 pen type 2 serial 0x00001234 ", 0), 0u) << line;
    EXPECT_NE(line.find(" reports/s"), std::string::npos) << line;
  }
  EXPECT_EQ(seen, 3) << watched.out;
  EXPECT_EQ(Ctl("get 2:0/190:3").out, "0 (0x0)\n");  // it ended away

  // A file that is no stroke is refused with where and why.
  std::ofstream(Dir() / "bad.stroke") << "rate 5000\n";
  const StRun bad = Ctl("pen play " + (Dir() / "bad.stroke").string());
  EXPECT_EQ(bad.code, 2);
  EXPECT_NE(bad.err.find("bad.stroke:1: rate is 1 to 1000"), std::string::npos) << bad.err;
}

TEST_F(TabletctlTest, RefusalsAndUnstoredChangesAreReported) {
  pid_t& daemon = StartDaemon();
  ::chmod((Dir() / "a").c_str(), 0777);
  const StRun refused = Ctl("list");
  ::chmod((Dir() / "a").c_str(), 0700);
  EXPECT_EQ(refused.code, 3);
  EXPECT_NE(refused.err.find("refusing the tablet service"), std::string::npos) << refused.err;

  const int status = StopProcess(daemon, SIGTERM);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(fs::exists(Dir() / "a" / "s"));  // SIGTERM removes the socket
  fs::create_directories(Dir() / "unreadable");
  StartDaemon("a", Dir() / "unreadable");
  const StRun unstored = Ctl("set 2:0/4:0/11:2/41 7");
  EXPECT_EQ(unstored.code, 1);
  EXPECT_NE(unstored.err.find("could not store it"), std::string::npos) << unstored.err;
}

TEST_F(TabletctlTest, ExportThenImportReproducesEveryValueAndABadImportChangesNothing) {
  StartDaemon("a");
  for (const char* change :
       {"set pen.tip.curve 0,100,200,300,400,1023", "set pen.switch1.keystroke 65,66",
        "set puck.mapping.screen.origin 10,-20,0", "set 2:0/4:1/11:2/41 11"})
    ASSERT_EQ(Ctl(change).code, 0) << change;
  const std::string preset = (Dir() / "preset.json").string();
  const StRun exported = Ctl("export " + preset);
  ASSERT_EQ(exported.code, 0) << exported.err;
  EXPECT_EQ(exported.out, "exported 4 values to " + preset + "\n");

  // Into a tabletd that runs: the values arrive as one change it takes in.
  StartDaemon("b");
  const StRun imported = Ctl("import " + preset, "b");
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(Ctl("export -", "b").out, Ctl("export -", "a").out);

  // One bad entry: the good one before it is not stored either.
  const std::string before = ReadText(Dir() / "b" / "state.json");
  const StRun bad = Ctl("import " + Preset(Dir() / "bad.json", {"99", "\"eleven\""}), "b");
  EXPECT_EQ(bad.code, 4);
  EXPECT_NE(bad.err.find("nothing was imported"), std::string::npos) << bad.err;
  std::ofstream(Dir() / "broken.json") << "{\"format\": ";
  const StRun broken = Ctl("import " + (Dir() / "broken.json").string(), "b");
  EXPECT_EQ(broken.code, 4);
  EXPECT_NE(broken.err.find("not a JSON document"), std::string::npos) << broken.err;
  EXPECT_EQ(ReadText(Dir() / "b" / "state.json"), before);

  // A tablet service embedded in a running applet sees an import at its next look.
  CTabletService embedded(MakeDefaultProfile(), Dir() / "b" / "state.json");
  ASSERT_EQ(TipThreshold(embedded), 40U);
  ASSERT_EQ(Ctl("import " + Preset(Dir() / "one.json", {"99"}), "b").code, 0);
  std::uint32_t seen = 0;
  for (int i = 0; i < 200 && seen != 99; ++i) {
    seen = TipThreshold(embedded);
    if (seen != 99) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(seen, 99U);
}

}  // namespace
