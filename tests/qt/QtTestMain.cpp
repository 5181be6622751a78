// Qt tests run on Qt's offscreen platform, whatever display the machine has.
#include <cstdlib>

#include <gtest/gtest.h>

#include "toolkit/qt/ZafQtStartup.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  if (!ZafQtStartup::EnsureApplication(true)) return 2;
  const int result = RUN_ALL_TESTS();
  ZafQtStartup::ReleaseApplication();
  return result;
}
