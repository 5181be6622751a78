// The applet's single-instance lock and the channel by which a second start
// asks the first to come to the front.
#include <poll.h>

#include <atomic>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "host/applet/SingleInstance.h"
#include "services/CRegistryManager.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"
#include "toolkit/ZafRaiseChannel.h"

namespace {

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
