#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "services/CWinEventTranslator.h"

namespace {

struct StSeenEvent {
  std::int32_t type;
  std::uint32_t controlId;
  std::optional<std::uint32_t> subCode;
  bool operator==(const StSeenEvent&) const = default;
};

class CRecordingWindow : public CWindowEventTarget {
 public:
  Status HandleWindowEvent(const StWindowEvent& event) override {
    seen.push_back(
        {event.type, event.controlId,
         event.value != nullptr ? std::optional<std::uint32_t>(*event.value) : std::nullopt});
    return kStatusOk;
  }
  std::vector<StSeenEvent> seen;
};

class NotifyRoutine : public ::testing::Test {
 protected:
  void SetUp() override { m_previous = SetNotificationTarget(&m_window); }
  void TearDown() override { SetNotificationTarget(m_previous); }
  CRecordingWindow m_window;
  CWindowEventTarget* m_previous = nullptr;
};

// Redisplay, hide, show and show disabled are control events (the last three
// with the state), then showing and hiding the window.
TEST_F(NotifyRoutine, ReasonsBecomeWindowEvents) {
  for (std::uint32_t reason = 0; reason < 6; ++reason)
    EXPECT_EQ(NotifyTargetWindow(3040 + reason, reason), kStatusOk) << reason;
  const std::vector<StSeenEvent> expected{
      {5, 3040, std::nullopt},  {5, 3041, 0U},           {5, 3042, 1U}, {5, 3043, 2U},
      {10, 3044, std::nullopt}, {11, 3045, std::nullopt}};
  EXPECT_TRUE(m_window.seen == expected);
  m_window.seen.clear();
  for (const std::uint32_t reason : {6U, 0xFFFFFFFFU})
    EXPECT_EQ(NotifyTargetWindow(3020, reason), kStatusNoItem) << reason;
  EXPECT_TRUE(m_window.seen.empty()) << "unknown reasons send nothing";
}

}  // namespace
