// Tables of the applet's start-up: the argument vector, the mutex name by
// system and the supported tablet models.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/applet/SingleInstance.h"
#include "host/applet/StartupEntry.h"
#include "host/upperview/CUpperView.h"
#include "services/CRegistryManager.h"

namespace {

TEST(ArgumentVectorTest, SplitsTheCommandLineAsAProgramEntryDoes) {
  struct Case {
    const char* line;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {nullptr, {"Tablet.cpl"}},
      {"", {"Tablet.cpl"}},
      {"a b", {"Tablet.cpl", "a", "b"}},
      {" \ta\t\tb  ", {"Tablet.cpl", "a", "b"}},
      {"\"two words\" x", {"Tablet.cpl", "two words", "x"}},
      {"x \"\" y", {"Tablet.cpl", "x", "", "y"}},
      {"a \"unterminated b", {"Tablet.cpl", "a"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildArgumentVector("Tablet.cpl", c.line), c.expected) << (c.line ? c.line : "(null)");
  }
}

TEST(SingleInstanceTest, GlobalPrefixOnlyForMultiUserSystems) {
  struct Case {
    std::uint32_t version;
    bool global;
  };
  const Case cases[] = {{kWindowsUnknown, false}, {kWindows95, false}, {kWindowsMe, false},
                        {kWindowsNt4, false},     {kWindows2000, true}, {kWindowsXp, true},
                        {kWindowsServer2003, true}};
  for (const Case& c : cases) {
    const std::string expected = std::string(c.global ? "Global\\" : "") + "ConsumerCPLRunningMutex";
    EXPECT_EQ(SingleInstanceMutexName(c.version), expected) << c.version;
  }
}

TEST(SupportedTabletTest, ModelRangesAndTheirEdges) {
  const std::uint16_t supported[] = {60, 69, 80, 82, 90, 99, 100, 142, 199, 220, 229, 240, 265, 280, 289};
  const std::uint16_t unsupported[] = {0, 50, 59, 70, 79, 83, 89, 200, 219, 230, 239, 241, 264, 266, 279, 290};
  for (std::uint16_t model : supported) EXPECT_TRUE(IsSupportedTabletModel(model)) << model;
  for (std::uint16_t model : unsupported) EXPECT_FALSE(IsSupportedTabletModel(model)) << model;
}

}  // namespace
