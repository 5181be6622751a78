// The whole applet on Qt's offscreen platform: Tablet.cpl loaded and driven
// the way cplhost drives it, its windows made by the Qt presenter, while the
// applet's own event loop runs. (Clicks on its widgets that change the
// driver are the acceptance cases run with Qt.)

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "cplhost/CAppletModule.h"
#include "support/BuildPaths.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

#include <sys/wait.h>

namespace {

using namespace std::chrono_literals;

QWidget* ShownMainWindow() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top->objectName() == "ConsumerCPLMainWindow") return top;
  }
  return nullptr;
}

// Opens the applet as the Control Panel does and, inside its event loop,
// tries each step every 20 ms until it answers true. When all are done, or
// one has waited 10 s, the windows are closed from their frames as a user
// would, which ends the applet's run. Answers how many steps were done.
std::size_t RunApplet(const std::vector<std::function<bool()>>& steps) {
  std::size_t done = 0;
  bool closed = false;
  auto began = std::chrono::steady_clock::now();
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (done < steps.size() && std::chrono::steady_clock::now() - began < 10s) {
      if (steps[done]()) {
        ++done;
        began = std::chrono::steady_clock::now();
      }
      return;
    }
    // Once: the toolkit takes each window away when it handles the close.
    if (std::exchange(closed, true)) return;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->isVisible()) top->close();
    }
  });
  CAppletModule module;
  EXPECT_TRUE(module.Load(BuildBinDir() + "/Tablet.cpl")) << module.GetError();
  EXPECT_NE(module.Send(kCplInit), 0);
  EXPECT_EQ(module.Send(kCplGetCount), 1);
  timer.start(20);
  module.Send(kCplDblClk, 0, 0);
  timer.stop();
  module.Send(kCplExit);
  return done;
}

// A second start while the applet is open shows nothing of its own: the open
// window comes to the front and the second start says so.
TEST(AppletOffscreen, ASecondStartBringsTheOpenWindowToTheFront) {
  CTempDir temp;
  std::filesystem::create_directories(temp.Path() + "/run");
  const CScopedEnv environment[] = {
      {"KELVO_STATE", temp.Path() + "/state.json"},
      {"KELVO_RUNTIME_DIR", temp.Path() + "/run"},
      {"KELVO_REGISTRY", temp.Write("registry.reg",
                                    "Windows Registry Editor Version 5.00\n\n"
                                    "[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n")},
      {"LC_ALL", "C"},
      // The Qt presenter on the offscreen platform the test's QApplication runs on.
      {"KELVO_PRESENTER", "qt"},
      {"QT_QPA_PLATFORM", "offscreen"},
      {"KELVO_PROFILE", std::nullopt},
      {"KELVO_SCREENSHOT", std::nullopt},
      {"KELVO_SCRIPT", std::nullopt},
      {"KELVO_HEADLESS", std::nullopt},
      {"KELVO_SERVICE", std::nullopt},
      {"KELVO_SERVICE_SOCKET", std::nullopt},
  };
  // Under the leak checker: Tablet.cpl brings libgomp with Qt, which keeps a
  // few bytes until exit once cplhost unloads it. Those are not the applet's;
  // the acceptance cases check the applet's own with libgomp kept loaded.
  const std::string errors = temp.Path() + "/second.err";
  const std::string second = "ASAN_OPTIONS=detect_leaks=0 '" + BuildBinDir() +
                             "/cplhost' --headless '" + BuildBinDir() + "/Tablet.cpl' 2>'" +
                             errors + "'";
  std::future<int> status;
  const std::size_t done = RunApplet({
      [] {
        QWidget* main = ShownMainWindow();
        if (main != nullptr) main->showMinimized();
        return main != nullptr && main->isMinimized();
      },
      [&] {
        status = std::async(std::launch::async, [&] { return std::system(second.c_str()); });
        return true;
      },
      [&] { return status.wait_for(0s) == std::future_status::ready; },
      [] { return ShownMainWindow() != nullptr && !ShownMainWindow()->isMinimized(); },
  });
  EXPECT_EQ(done, 4U);
  ASSERT_TRUE(status.valid());
  const int ended = status.get();
  ASSERT_TRUE(WIFEXITED(ended));
  EXPECT_EQ(WEXITSTATUS(ended), 3);
  std::ifstream told(errors);
  std::vector<std::string> lines;
  for (std::string line; std::getline(told, line);) lines.push_back(line);
  EXPECT_EQ(lines, std::vector<std::string>{"cplhost: Tablet Properties is already open; its "
                                            "window was brought to the front"});
}

}  // namespace

// The test's QApplication is the one the applet's presenter finds and uses.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
