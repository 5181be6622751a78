// Which presenter a run gets from its environment.

#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "toolkit/qt/ZafQtStartup.h"

namespace {

TEST(ZafQtStartup, ThePresenterFollowsTheEnvironment) {
  using K = ZafPresenterKind;
  const struct {
    const char* environment;  // NAME=value, separated by spaces
    ZafPresenterKind kind;
  } cases[] = {
      {"", K::kHeadless},
      {"DISPLAY=:0", K::kQt},
      {"WAYLAND_DISPLAY=wayland-0", K::kQt},
      {"DISPLAY=", K::kHeadless},
      {"QT_QPA_PLATFORM=xcb", K::kQt},
      {"QT_QPA_PLATFORM=offscreen DISPLAY=:0", K::kQtOffscreen},
      // --headless on a desktop, and the toolkit's own switch on and off
      {"DISPLAY=:0 KELVO_PRESENTER=headless", K::kHeadless},
      {"DISPLAY=:0 KELVO_HEADLESS=1", K::kHeadless},
      {"DISPLAY=:0 KELVO_HEADLESS=0", K::kQt},
      {"WAYLAND_DISPLAY=w KELVO_SCRIPT=/tmp/s", K::kHeadless},
      {"KELVO_SCREENSHOT=/tmp/a.png", K::kQtOffscreen},
      {"KELVO_SCREENSHOT=/tmp/a.png DISPLAY=:0", K::kQt},
      {"KELVO_PRESENTER=qt", K::kQtOffscreen},
      {"KELVO_PRESENTER=qt QT_QPA_PLATFORM=offscreen", K::kQt},
      {"KELVO_SCREENSHOT=/tmp/a.png KELVO_PRESENTER=headless", K::kQtOffscreen},
      // A toolkit script on Qt's widgets without a display.
      {"KELVO_SCRIPT=/tmp/s KELVO_PRESENTER=qt", K::kQt},
  };
  for (const auto& c : cases) {
    std::map<std::string, std::string> environment;
    std::istringstream words(c.environment);
    for (std::string word; words >> word;)
      environment[word.substr(0, word.find('='))] = word.substr(word.find('=') + 1);
    const auto lookup = [&](const char* name) -> const char* {
      auto it = environment.find(name);
      return it == environment.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(ZafQtStartup::Choose(lookup), c.kind) << c.environment;
  }
}

}  // namespace
