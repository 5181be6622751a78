// The whole applet on Qt's offscreen platform: Tablet.cpl loaded and driven
// the way cplhost drives it, its windows made by the Qt presenter, while the
// applet's own event loop runs. (Clicks on its widgets that change the
// driver are the acceptance cases run with Qt.)

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cplhost/CAppletModule.h"
#include "support/BuildPaths.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

#include <sys/wait.h>

extern char** environ;

namespace {

// The widget of that string identifier in a shown window (the window itself
// when it carries the name).
template <typename T>
T* Shown(const char* name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    if (top->objectName() == QLatin1String(name)) {
      if (auto* self = qobject_cast<T*>(top)) return self;
    }
    if (T* found = top->findChild<T*>(QLatin1String(name))) return found;
  }
  return nullptr;
}

// Steps run from a Qt timer inside the applet's event loop, each tried every
// 20 ms until it answers true. When all are done, or one takes more than
// 10 s, every window is closed from its frame as a user would, which ends
// the applet's run.
class CWidgetScript {
 public:
  CWidgetScript() {
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
  }

  void Then(std::string what, std::function<bool()> step) {
    m_steps.push_back({std::move(what), std::move(step)});
  }
  void Start() {
    m_began = std::chrono::steady_clock::now();
    m_timer.start();
  }
  void Stop() { m_timer.stop(); }

  [[nodiscard]] bool AllDone() const { return m_next == m_steps.size() && m_failure.empty(); }
  [[nodiscard]] const std::string& Failure() const { return m_failure; }
  [[nodiscard]] std::size_t StepsDone() const { return m_next; }

 private:
  struct StStep {
    std::string what;
    std::function<bool()> done;
  };

  void Tick() {
    if (m_next < m_steps.size() && m_failure.empty()) {
      if (m_steps[m_next].done()) {
        ++m_next;
        m_began = std::chrono::steady_clock::now();
        return;
      }
      if (std::chrono::steady_clock::now() - m_began < std::chrono::seconds(10)) return;
      m_failure = "timed out: " + m_steps[m_next].what;
    }
    // Dialogs first, so that the modal run under them ends before the main
    // window goes; each window is asked once, as the toolkit takes it away
    // when it handles the close.
    for (const bool dialogs : {true, false}) {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || (qobject_cast<QDialog*>(top) != nullptr) != dialogs) continue;
        if (std::find(m_closed.begin(), m_closed.end(), top) != m_closed.end()) continue;
        m_closed.emplace_back(top);
        top->close();
        return;
      }
    }
  }

  QTimer m_timer;
  std::vector<StStep> m_steps;
  std::size_t m_next = 0;
  std::chrono::steady_clock::time_point m_began;
  std::string m_failure;
  std::vector<QPointer<QWidget>> m_closed;
};

// Starts a program of the build with its stderr in a file.
pid_t SpawnTo(const std::vector<std::string>& arguments, const std::string& errors) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

class AppletOffscreen : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(m_temp.Path().empty());
    std::filesystem::create_directories(m_temp.Path() + "/run");
    m_temp.Write("registry.reg",
                 "Windows Registry Editor Version 5.00\n\n"
                 "[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n");
  }

  // Opens the applet as the Control Panel does and runs the script's steps
  // in its event loop until the applet closes.
  void OpenApplet(CWidgetScript& script) {
    CAppletModule module;
    ASSERT_TRUE(module.Load(BuildBinDir() + "/Tablet.cpl")) << module.GetError();
    ASSERT_NE(module.Send(kCplInit), 0);
    ASSERT_EQ(module.Send(kCplGetCount), 1);
    script.Start();
    module.Send(kCplDblClk, 0, 0);
    script.Stop();
    module.Send(kCplExit);
    EXPECT_EQ(script.Failure(), "") << "after " << script.StepsDone() << " steps";
    EXPECT_TRUE(script.AllDone());
  }

  CTempDir m_temp;
  CScopedEnv m_state{"KELVO_STATE", m_temp.Path() + "/state.json"};
  CScopedEnv m_runtime{"KELVO_RUNTIME_DIR", m_temp.Path() + "/run"};
  CScopedEnv m_registry{"KELVO_REGISTRY", m_temp.Path() + "/registry.reg"};
  CScopedEnv m_language{"LC_ALL", std::string("C")};
  // The Qt presenter on the offscreen platform the test's QApplication runs on.
  CScopedEnv m_presenter{"KELVO_PRESENTER", std::string("qt")};
  CScopedEnv m_platform{"QT_QPA_PLATFORM", std::string("offscreen")};
  CScopedEnv m_display{"DISPLAY", std::nullopt};
  CScopedEnv m_wayland{"WAYLAND_DISPLAY", std::nullopt};
  CScopedEnv m_profile{"KELVO_PROFILE", std::nullopt};
  CScopedEnv m_screenshot{"KELVO_SCREENSHOT", std::nullopt};
  CScopedEnv m_script{"KELVO_SCRIPT", std::nullopt};
  CScopedEnv m_headless{"KELVO_HEADLESS", std::nullopt};
};

// A second start while the applet is open shows nothing of its own: the open
// window comes to the front and the second start says so.
TEST_F(AppletOffscreen, ASecondStartBringsTheOpenWindowToTheFront) {
  CScopedEnv service("KELVO_SERVICE", std::nullopt);
  CScopedEnv socket("KELVO_SERVICE_SOCKET", std::nullopt);
  const std::string errors = m_temp.Path() + "/second.err";
  pid_t second = -1;
  int status = -1;
  CWidgetScript script;
  script.Then("the main window, minimised", [] {
    auto* main = Shown<QWidget>("ConsumerCPLMainWindow");
    if (main == nullptr) return false;
    main->showMinimized();
    return main->isMinimized();
  });
  script.Then("a second start", [&] {
    // Under the leak checker: Tablet.cpl brings libgomp with Qt, which keeps a
    // few bytes until exit once cplhost unloads it. Those are not the applet's;
    // the acceptance cases check the applet's own with libgomp kept loaded.
    CScopedEnv leaks("ASAN_OPTIONS", std::string("detect_leaks=0"));
    second =
        SpawnTo({BuildBinDir() + "/cplhost", "--headless", BuildBinDir() + "/Tablet.cpl"}, errors);
    EXPECT_GT(second, 0);
    return true;
  });
  script.Then("the second start ends",
              [&] { return second <= 0 || waitpid(second, &status, WNOHANG) == second; });
  script.Then("the main window is back", [] {
    auto* main = Shown<QWidget>("ConsumerCPLMainWindow");
    return main != nullptr && !main->isMinimized();
  });
  OpenApplet(script);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 3);
  std::ifstream told(errors);
  std::vector<std::string> lines;
  for (std::string line; std::getline(told, line);) lines.push_back(line);
  EXPECT_EQ(lines,
            std::vector<std::string>{
                "cplhost: Tablet Properties is already open; its window was brought to the front"});
}

}  // namespace

// The test's QApplication is the one the applet's presenter finds and uses.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
