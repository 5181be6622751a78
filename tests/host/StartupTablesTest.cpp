// The applet's start-up: the argument vector, the supported tablet models,
// and the single-instance lock with the channel by which a second start asks
// the first to come to the front.
#include <poll.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "host/applet/SingleInstance.h"
#include "host/applet/StartupEntry.h"
#include "host/upperview/CUpperView.h"
#include "services/CRegistryManager.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"
#include "toolkit/ZafRaiseChannel.h"

namespace {

TEST(ArgumentVectorTest, SplitsTheCommandLineAsAProgramEntryDoes) {
  struct Case {
    const char* line;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {nullptr, {"Tablet.cpl"}},
      {"", {"Tablet.cpl"}},
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
  const Case cases[] = {{kWindowsUnknown, false}, {kWindowsMe, false}, {kWindowsNt4, false},
                        {kWindows2000, true},      {kWindowsServer2003, true}};
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

TEST(SingleInstanceLock, ALockThatCannotBeOpenedIsNoOtherRun) {
  CTempDir dir;
  CScopedEnv runtime("KELVO_RUNTIME_DIR", dir.Path() + "/missing");
  std::string cause;
  testing::internal::CaptureStderr();
  EXPECT_EQ(AcquireSingleInstance(kWindowsXp, cause), kStatusOk);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_EQ(cause, "");
  EXPECT_NE(told.find("no single-instance lock"), std::string::npos) << told;
}

TEST(SingleInstanceLock, ASecondStartAsksTheFirstToComeToTheFront) {
  CTempDir dir;
  CScopedEnv runtime("KELVO_RUNTIME_DIR", dir.Path());
  std::string cause;
  ASSERT_EQ(AcquireSingleInstance(kWindowsXp, cause), kStatusOk) << "the first start";

  {
    ZafRaiseChannel channel(SingleInstanceChannelPath());
    std::string problem;
    ASSERT_TRUE(channel.Listen(problem)) << problem;
    std::atomic<bool> raised = false;
    std::thread first([&] {
      pollfd waiting{channel.Descriptor(), POLLIN, 0};
      if (poll(&waiting, 1, 5000) == 1) channel.TakeRequest([&] { return raised = true; });
    });
    EXPECT_EQ(AcquireSingleInstance(kWindowsXp, cause), kStatusUnknown);
    first.join();
    EXPECT_TRUE(raised);
    EXPECT_EQ(cause, "Tablet Properties is already open; its window was brought to the front");
  }
  // The first start has no window to show yet: the second still stops, and says so.
  EXPECT_EQ(AcquireSingleInstance(kWindowsXp, cause), kStatusUnknown);
  EXPECT_EQ(
      cause,
      "Tablet Properties is already open (still starting, or without a window to bring forward)");
}

}  // namespace
