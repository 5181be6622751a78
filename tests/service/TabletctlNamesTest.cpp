#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "service/CTabletService.h"
#include "service/ServiceTestSupport.h"

namespace {

namespace fs = std::filesystem;
using service_test::L;

struct StRun {
  int code = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The tip's click threshold (2 bytes) as an applet's embedded service reads it.
std::uint32_t TipThreshold(CTabletService& service) {
  std::vector<std::uint8_t> data(2, 0);
  if (service_test::Request(service, kCommandGet, {L(2), L(4, 0), L(11, 1), L(43)}, data) != kStatusOk) return 0;
  return data.size() == 2 ? static_cast<std::uint32_t>(data[0] | (data[1] << 8)) : 0U;
}

// tabletctl as a user runs it: against tabletd on a private socket, or on a
// state file alone.
class TabletctlNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bin = std::getenv("KELVO_BUILD_BIN");
    if (bin == nullptr) GTEST_SKIP() << "KELVO_BUILD_BIN is set by ctest";
    m_bin = bin;
    m_dir = fs::temp_directory_path() / ("kelvo-names-" + std::to_string(::getpid()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir / "a");
    fs::create_directories(m_dir / "b");
  }
  void TearDown() override {
    for (const pid_t daemon : m_daemons) {
      ::kill(daemon, SIGTERM);
      int status = 0;
      ::waitpid(daemon, &status, 0);
    }
    fs::remove_all(m_dir);
  }
  // A tabletd keeping its values in `folder`/state.json.
  void StartDaemon(const std::string& folder) {
    const pid_t daemon = ::fork();
    const fs::path socket = m_dir / folder / "s";
    if (daemon == 0) {
      const std::string tabletd = (m_bin / "tabletd").string();
      const std::string state = (m_dir / folder / "state.json").string();
      ::execl(tabletd.c_str(), "tabletd", "--socket", socket.c_str(), "--state", state.c_str(), nullptr);
      ::_exit(127);
    }
    m_daemons.push_back(daemon);
    for (int i = 0; i < 500 && !fs::exists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(socket));
  }
  StRun Ctl(const std::string& args, const std::string& folder = "a") {
    const fs::path err = m_dir / "err";
    const std::string command = (m_bin / "tabletctl").string() + " --socket " + (m_dir / folder / "s").string() +
                                " --state " + (m_dir / folder / "state.json").string() + " " + args + " 2>" +
                                err.string();
    StRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char chunk[512];
    while (std::fgets(chunk, sizeof(chunk), pipe) != nullptr) run.out += chunk;
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = Slurp(err);
    return run;
  }

  fs::path m_bin;
  fs::path m_dir;
  std::vector<pid_t> m_daemons;
};

TEST_F(TabletctlNamesTest, UsageAndExitCodes) {
  struct Row {
    const char* args;
    int code;
    const char* out;  // a part of stdout
    const char* err;  // the whole of stderr
  };
  const Row rows[] = {
      {"--help", 0, "usage: tabletctl", ""},
      {"help", 0, "Exit codes: 0 done", ""},
      {"--version", 0, "tabletctl ", ""},
      {"", 2, "", "tabletctl: no command (tabletctl --help shows how to use it)\n"},
      {"--profile", 2, "", "tabletctl: --profile takes a value (tabletctl --help shows how to use it)\n"},
      {"frobnicate", 2, "", "tabletctl: unknown command \"frobnicate\" (tabletctl --help shows how to use it)\n"},
      {"get", 2, "", "tabletctl: get takes one PATH or NAME (tabletctl --help shows how to use it)\n"},
      {"set pen.tip.threshold", 2, "", "tabletctl: set takes a PATH or NAME and a VALUE (tabletctl --help shows how to use it)\n"},
      {"get 2:0/4:9/115", 1, "", "tabletctl: 2:0/4:9/115: no such value (0x0200)\n"},
      {"set 2:0/4:0/38 1", 1, "", "tabletctl: 2/4/38: the value cannot be changed (0x0204)\n"},
      {"get pen.tip.bogus", 2, "", "tabletctl: \"pen.tip.bogus\": no such setting; `tabletctl names` lists them\n"},
      {"get airbrush.tip.threshold", 2, "", "tabletctl: \"airbrush.tip.threshold\": tablet 0 has no airbrush present\n"},
      {"get puck.tip.threshold", 2, "",
       "tabletctl: \"puck.tip.threshold\": tool 1 is a puck; this setting belongs to pens and airbrushes\n"},
      {"get tablet3.pen.tip.threshold", 2, "", "tabletctl: \"tablet3.pen.tip.threshold\": there is no tablet 3\n"},
      {"set pen.tip.curve 1,2,3", 2, "",
       "tabletctl: the value takes 6 numbers (tabletctl --help shows how to use it)\n"},
      {"import " __FILE__ "-missing", 4, "", nullptr},
  };
  StartDaemon("a");
  for (const Row& row : rows) {
    const StRun run = Ctl(row.args);
    EXPECT_EQ(run.code, row.code) << row.args;
    EXPECT_NE(run.out.find(row.out), std::string::npos) << row.args << ": " << run.out;
    if (row.err != nullptr) {
      EXPECT_EQ(run.err, row.err) << row.args;
    }
  }
  const StRun none = Ctl("get pen.tip.threshold", "b");  // no tabletd there
  EXPECT_EQ(none.code, 3);
  EXPECT_EQ(none.err, "tabletctl: no tablet service answers (is tabletd running?)\n");
}

TEST_F(TabletctlNamesTest, NamesStandForPathsAndListSaysWhatIsThere) {
  StartDaemon("a");
  const StRun names = Ctl("names");
  EXPECT_EQ(names.code, 0);
  EXPECT_NE(names.out.find("pen.tip.threshold          number (2 bytes)"), std::string::npos) << names.out;
  EXPECT_NE(names.out.find("TOOL.mapping.tablet.extent 3 signed numbers of 4 bytes"), std::string::npos);
  EXPECT_NE(names.out.find("puck.button#.function"), std::string::npos);

  struct Row {
    const char* name;
    const char* value;
    const char* path;
    const char* read;  // the path's reading afterwards
  };
  const Row rows[] = {
      {"pen.tip.threshold", "300", "2:0/4:0/11:1/43", "300 (0x12C)\n"},
      {"pen.switch2.function", "8", "2:0/4:0/11:3/41", "8 (0x8)\n"},
      {"tool1.button3.modifiers", "6", "2:0/4:1/11:3/104", "6 (0x6)\n"},
      {"puck.doubleclick.distance", "9", "2:0/4:1/255", "9 (0x9)\n"},
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

  const StRun list = Ctl("list");
  EXPECT_EQ(list.out,
            "tablet 0: model 130 \"Drawing Tablet 6x8\" (current)\n"
            "  tool 0: type 2 (pen), serial 0x00001234\n"
            "    buttons: tip, switch1, switch2, eraser\n"
            "  tool 1: type 3 (puck), serial 0x00005678\n"
            "    buttons: button1, button2, button3, button4, wheel\n");
}

TEST_F(TabletctlNamesTest, ExportThenImportIntoAFreshStateReproducesEveryValue) {
  StartDaemon("a");
  for (const char* change : {"set pen.tip.curve 0,100,200,300,400,1023", "set pen.switch1.keystroke 65,66",
                             "set puck.mapping.screen.origin 10,-20,0", "set puck.mapping.screen.extent 960,540,0",
                             "set pen.eraser 2", "set 2:0/4:1/11:2/41 11"})
    ASSERT_EQ(Ctl(change).code, 0) << change;
  const StRun exported = Ctl("export " + (m_dir / "preset.json").string());
  ASSERT_EQ(exported.code, 0) << exported.err;
  EXPECT_EQ(exported.out, "exported 6 values to " + (m_dir / "preset.json").string() + "\n");

  // Into a tabletd that runs: the values arrive as one change it takes in.
  StartDaemon("b");
  const StRun imported = Ctl("import " + (m_dir / "preset.json").string(), "b");
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(Ctl("export -", "b").out, Ctl("export -", "a").out);
  EXPECT_EQ(Ctl("get puck.mapping.screen.extent", "b").out, "960,540,0\n");

  // A tablet service embedded in a running applet sees it at its next look.
  CTabletService embedded(MakeDefaultProfile(), m_dir / "b" / "state.json");
  ASSERT_EQ(TipThreshold(embedded), 40U);
  std::ofstream(m_dir / "one.json") << R"({"format": "tablet-properties preset", "version": 1, "values": [
      {"tablet": {"model": 130}, "tool": {"type": 2, "serial": 4660}, "setting": "tip.threshold", "value": 99}]})";
  ASSERT_EQ(Ctl("import " + (m_dir / "one.json").string(), "b").code, 0);
  std::uint32_t seen = 0;
  for (int i = 0; i < 200 && seen != 99; ++i) {
    seen = TipThreshold(embedded);
    if (seen != 99) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(seen, 99U);
}

TEST_F(TabletctlNamesTest, ABadImportChangesNothingAndNamesTheEntry) {
  StartDaemon("a");
  ASSERT_EQ(Ctl("set pen.tip.threshold 300").code, 0);
  ASSERT_EQ(Ctl("set puck.button2.function 11").code, 0);
  ASSERT_EQ(Ctl("export " + (m_dir / "preset.json").string()).code, 0);
  ASSERT_EQ(Ctl("set pen.tip.threshold 50").code, 0);
  ASSERT_EQ(Ctl("set puck.button2.function 12").code, 0);

  std::string preset = Slurp(m_dir / "preset.json");
  const std::size_t at = preset.find("\"value\": 11");
  ASSERT_NE(at, std::string::npos) << preset;
  preset.replace(at, 11, "\"value\": \"eleven\"");
  std::ofstream(m_dir / "bad.json") << preset;
  std::ofstream(m_dir / "broken.json") << "{\"format\": ";

  const std::string before = Slurp(m_dir / "a" / "state.json");
  const StRun bad = Ctl("import " + (m_dir / "bad.json").string());
  EXPECT_EQ(bad.code, 4);
  EXPECT_NE(bad.err.find("(button2.function): bad \"value\": text too long"), std::string::npos) << bad.err;
  EXPECT_NE(bad.err.find("nothing was imported"), std::string::npos) << bad.err;
  const StRun broken = Ctl("import " + (m_dir / "broken.json").string());
  EXPECT_EQ(broken.code, 4);
  EXPECT_NE(broken.err.find("not a JSON document"), std::string::npos) << broken.err;

  EXPECT_EQ(Slurp(m_dir / "a" / "state.json"), before);
  EXPECT_EQ(Ctl("get pen.tip.threshold").out, "50\n");
  EXPECT_EQ(Ctl("get puck.button2.function").out, "12\n");
}

}  // namespace
