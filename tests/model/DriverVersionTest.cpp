#include "model/DriverVersion.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
  VersionRecord driver;
  bool fits;
};

TEST(DriverVersionTest, FitsOnlyWithSameMajorAndEachMinorDigitAtLeastTheApplets) {
  const VersionRecord applet{4, 8, 2, 2, 8};
  const FitCase cases[] = {
      {{4, 8, 2, 2, 8}, true},  {{4, 9, 2, 0, 0}, true},  {{4, 8, 2, 0, 0}, true}, {{4, 8, 1, 2, 8}, false},
      {{5, 8, 2, 2, 8}, false}, {{3, 9, 9, 2, 8}, false}, {{4, 9, 0, 2, 8}, false}, {{4, 7, 9, 2, 8}, false},
  };
  for (const FitCase& c : cases) {
    EXPECT_EQ(VersionsFit(c.driver, applet), c.fits)
        << int{c.driver[0]} << '.' << int{c.driver[1]} << int{c.driver[2]};
  }
}

TEST(DriverVersionTest, AnUnknownLanguageGetsTheFirstMessage) {
  EXPECT_EQ(&GetVersionMismatchMessage(20), &GetVersionMismatchMessage(0));
  EXPECT_NE(&GetVersionMismatchMessage(14), &GetVersionMismatchMessage(0));
}

}  // namespace
