// Which presenter a run gets from its environment.

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "toolkit/qt/ZafQtStartup.h"

namespace {

struct StChoiceCase {
  const char* what;
  std::map<std::string, std::string> environment;
  ZafPresenterKind kind;
};

TEST(ZafQtStartup, ThePresenterFollowsTheEnvironment) {
  using K = ZafPresenterKind;
  const StChoiceCase cases[] = {
      {"nothing at all", {}, K::kHeadless},
      {"an X display", {{"DISPLAY", ":0"}}, K::kQt},
      {"a Wayland display", {{"WAYLAND_DISPLAY", "wayland-0"}}, K::kQt},
      {"an empty display", {{"DISPLAY", ""}}, K::kHeadless},
      {"a named Qt platform", {{"QT_QPA_PLATFORM", "xcb"}}, K::kQt},
      {"the offscreen platform",
       {{"QT_QPA_PLATFORM", "offscreen"}, {"DISPLAY", ":0"}},
       K::kQtOffscreen},
      {"--headless on a desktop",
       {{"DISPLAY", ":0"}, {"KELVO_PRESENTER", "headless"}},
       K::kHeadless},
      {"the toolkit's own switch", {{"DISPLAY", ":0"}, {"KELVO_HEADLESS", "1"}}, K::kHeadless},
      {"the switch turned off", {{"DISPLAY", ":0"}, {"KELVO_HEADLESS", "0"}}, K::kQt},
      {"a script on a desktop",
       {{"WAYLAND_DISPLAY", "w"}, {"KELVO_SCRIPT", "/tmp/s"}},
       K::kHeadless},
      {"a screenshot without a display", {{"KELVO_SCREENSHOT", "/tmp/a.png"}}, K::kQtOffscreen},
      {"a screenshot on a desktop",
       {{"KELVO_SCREENSHOT", "/tmp/a.png"}, {"DISPLAY", ":0"}},
       K::kQt},
      {"Qt asked for without a display", {{"KELVO_PRESENTER", "qt"}}, K::kQtOffscreen},
      {"Qt asked for on the offscreen platform",
       {{"KELVO_PRESENTER", "qt"}, {"QT_QPA_PLATFORM", "offscreen"}},
       K::kQt},
      {"a screenshot of a headless run",
       {{"KELVO_SCREENSHOT", "/tmp/a.png"}, {"KELVO_PRESENTER", "headless"}},
       K::kQtOffscreen},
      {"a toolkit script on Qt's widgets without a display", {{"KELVO_SCRIPT", "/tmp/s"}, {"KELVO_PRESENTER", "qt"}},
       K::kQt},
      {"a screenshot with a script",
       {{"KELVO_SCREENSHOT", "/tmp/a.png"}, {"KELVO_SCRIPT", "/tmp/s"}},
       K::kHeadless},
  };
  for (const StChoiceCase& c : cases) {
    const auto lookup = [&](const char* name) -> const char* {
      auto it = c.environment.find(name);
      return it == c.environment.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(ZafQtStartup::Choose(lookup), c.kind) << c.what;
  }
}

}  // namespace
