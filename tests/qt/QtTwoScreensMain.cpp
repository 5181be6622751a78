// These tests run on Qt's offscreen platform with two screens side by side:
// a 1024 x 768 one at the origin and a 1280 x 1024 one to its right.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/CTempDir.h"
#include "toolkit/qt/ZafQtStartup.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  CTempDir config;
  const std::string file = config.Write(
      "screens.json",
      R"({"screens": [{"name": "Left", "x": 0, "y": 0, "width": 1024, "height": 768},
                      {"name": "Right", "x": 1024, "y": 0, "width": 1280, "height": 1024}]})");
  setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file).c_str(), 1);
  if (!ZafQtStartup::EnsureApplication(false)) return 2;
  const int result = RUN_ALL_TESTS();
  ZafQtStartup::ReleaseApplication();
  return result;
}
