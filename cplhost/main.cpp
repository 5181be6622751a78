// cplhost: the Control Panel host. Loads an applet module and drives it the
// way the Control Panel does; options reach the applet through its
// environment, since the Control Panel interface carries none.

#include <unistd.h>

#include <chrono>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "cplhost/CAppletModule.h"

namespace {

// The applet ended without opening its main window (it said why).
constexpr int kExitNoMainWindow = 3;

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: cplhost --inquire MODULE\n"
               "       cplhost [--headless] [--script FILE] [--screenshot FILE] [--params] [--timing] MODULE\n"
               "\n"
               "  --inquire         print the applet count, name and description, one per line\n"
               "  --headless        run without a display, whatever the environment offers\n"
               "  --script FILE     drive the applet with an automation script; the exit status\n"
               "                    is 0 when every step of it passed\n"
               "  --screenshot FILE save the main window as a PNG once it is shown\n"
               "  --params          open with CPL_STARTWPARMSA instead of CPL_DBLCLK\n"
               "  --timing          print the time from loading the module to the main window shown\n"
               "\n"
               "When the applet ends without opening its main window, the one line that says\n"
               "why is printed and the exit status is 3.\n");
}

struct StOptions {
  bool inquire = false;
  bool headless = false;
  bool withParams = false;
  bool timing = false;
  std::string script;
  std::string screenshot;
  std::string module;
};

bool ParseOptions(int argc, char** argv, StOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--inquire") {
      options.inquire = true;
    } else if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "--timing") {
      options.timing = true;
    } else if (arg == "--params") {
      options.withParams = true;
    } else if (arg == "--script" && hasValue) {
      options.script = argv[++i];
    } else if (arg == "--screenshot" && hasValue) {
      options.screenshot = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      PrintUsage(stdout);
      std::exit(0);
    } else if (!arg.empty() && arg[0] != '-' && options.module.empty()) {
      options.module = arg;
    } else {
      std::fprintf(stderr, "cplhost: unknown or incomplete option '%s'\n", arg.c_str());
      return false;
    }
  }
  if (options.module.empty()) {
    std::fprintf(stderr, "cplhost: no applet module given\n");
    return false;
  }
  return true;
}

int Inquire(CAppletModule& module) {
  module.Send(kCplInit);
  const std::int32_t count = module.Send(kCplGetCount);
  std::printf("%d\n", count);
  for (std::int32_t i = 0; i < count; ++i) {
    StNewCplInfo info{};
    module.Send(kCplNewInquire, i, reinterpret_cast<std::intptr_t>(&info));
    std::printf("%.*s\n%.*s\n", static_cast<int>(sizeof info.name), info.name,
                static_cast<int>(sizeof info.info), info.info);
  }
  module.Send(kCplExit);
  return 0;
}

// The first line of a file the applet wrote into; empty when it wrote none.
std::string FirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// An empty file of our own for the applet to write into; empty on failure.
std::string MakeResultFile() {
  char pattern[] = "/tmp/cplhost-result-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) {
    std::perror("cplhost: result file");
    return {};
  }
  close(fd);
  return pattern;
}

int Open(CAppletModule& module, const StOptions& options) {
  if (options.headless) setenv("KELVO_PRESENTER", "headless", 1);
  if (!options.screenshot.empty()) setenv("KELVO_SCREENSHOT", options.screenshot.c_str(), 1);
  const std::string runResultPath = MakeResultFile();
  if (runResultPath.empty()) return 2;
  setenv("KELVO_RUN_RESULT", runResultPath.c_str(), 1);
  std::string resultPath;
  if (!options.script.empty()) {
    resultPath = MakeResultFile();
    if (resultPath.empty()) return 2;
    setenv("KELVO_SCRIPT", options.script.c_str(), 1);
    setenv("KELVO_SCRIPT_RESULT", resultPath.c_str(), 1);
  }

  if (module.Send(kCplInit) == 0) {
    std::fprintf(stderr, "cplhost: the applet refused CPL_INIT\n");
    return 2;
  }
  module.Send(kCplGetCount);
  StNewCplInfo info{};
  module.Send(kCplNewInquire, 0, reinterpret_cast<std::intptr_t>(&info));
  if (options.withParams)
    module.Send(kCplStartWithParamsA, 0, reinterpret_cast<std::intptr_t>(""));
  else
    module.Send(kCplDblClk, 0, 0);
  module.Send(kCplExit);

  // The applet writes the line that says why its run ended without the main
  // window, and the automation driver inside it "passed" or "failed: why".
  const std::string failure = FirstLine(runResultPath);
  std::remove(runResultPath.c_str());
  int result = 0;
  if (!failure.empty()) {
    std::fprintf(stderr, "cplhost: %s\n", failure.c_str());
    result = kExitNoMainWindow;
  }
  if (resultPath.empty()) return result;
  const std::string scriptResult = FirstLine(resultPath);
  std::remove(resultPath.c_str());
  if (scriptResult.empty() && failure.empty()) {
    std::fprintf(stderr, "cplhost: the script did not run (the applet closed before it)\n");
    return kExitNoMainWindow;
  }
  if (!scriptResult.empty() && scriptResult != "passed") {
    std::fprintf(stderr, "cplhost: %s\n", scriptResult.c_str());
    return 1;
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  StOptions options;
  if (!ParseOptions(argc, argv, options)) {
    PrintUsage(stderr);
    return 2;
  }
  if (options.timing) {
    // The applet prints the time since this moment once its window is shown.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    setenv("KELVO_STARTUP_CLOCK",
           std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()).c_str(), 1);
  }
  CAppletModule module;
  if (!module.Load(options.module)) {
    std::fprintf(stderr, "cplhost: %s\n", module.GetError().c_str());
    return 2;
  }
  return options.inquire ? Inquire(module) : Open(module, options);
}
