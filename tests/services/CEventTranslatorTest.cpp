#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "services/CDriverInterface.h"
#include "services/CEventTranslator.h"
#include "services/CObjectFactory.h"
#include "services/CStringManager.h"
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
    return answer;
  }
  std::vector<StSeenEvent> seen;
  Status answer = kStatusOk;
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

TEST_F(NotifyRoutine, ThroughTheTranslatorWithTheWindowsAnswer) {
  CWinEventTranslator translator;
  EXPECT_EQ(translator.Notify(3068, 1), kStatusNoRoutine);
  EXPECT_TRUE(m_window.seen.empty());
  EXPECT_EQ(translator.InstallRoutine(&NotifyTargetWindow), kStatusOk);
  m_window.answer = 0x0042;
  EXPECT_EQ(translator.SetControlState(3069, 4), 0x0042);
  ASSERT_EQ(m_window.seen.size(), 1U);
  EXPECT_EQ(m_window.seen[0].type, 10);
}

class CRecordingListener : public CRequestListener {
 public:
  std::uint32_t HandleRequest(ViewRequest& request) override {
    seen.push_back(request);
    return answer;
  }
  std::vector<ViewRequest> seen;
  std::uint32_t answer = 0;
};

// Only the low 16 bits of the listener's answer count, and "handled" is success.
TEST(Forward, HandsTheThreeWordsToTheListener) {
  CWinEventTranslator translator;
  EXPECT_EQ(translator.Send(kViewRefresh, kBroadcastId, nullptr), kStatusUnknown) << "no listener";
  CRecordingListener listener;
  EXPECT_EQ(translator.SetListener(&listener), nullptr);
  int payload = 5;
  for (const auto& [answer, expected] :
       {std::pair<std::uint32_t, Status>{kStatusHandled, kStatusOk},
        {0x0606, 0x0606},
        {0x0001060C, kStatusOk}}) {
    listener.answer = answer;
    EXPECT_EQ(translator.Forward(kViewSet, 3020, &payload), expected) << answer;
  }
  ASSERT_EQ(listener.seen.size(), 3U);
  EXPECT_EQ(listener.seen[0].operation, kViewSet);
  EXPECT_EQ(listener.seen[0].controlId, 3020U);
  EXPECT_EQ(listener.seen[0].data, &payload);
  EXPECT_EQ(translator.SetListener(nullptr), &listener);
}

// A translator that refuses to open, to check that the getter lets it go.
class CClosedTranslator : public CEventTranslator {
 public:
  explicit CClosedTranslator(int* deaths) : m_deaths(deaths) {}
  ~CClosedTranslator() override { ++*m_deaths; }
  Status Open() override { return 0x0101; }
  Status Notify(std::uint32_t, std::uint32_t) override { return kStatusOk; }

 private:
  int* m_deaths;
};

class CClosedFactory : public CObjectFactory {
 public:
  int deaths = 0;
  std::unique_ptr<CDriverInterface> MakeDriverInterface() override { return nullptr; }
  std::unique_ptr<CEventTranslator> MakeEventTranslator() override {
    return std::make_unique<CClosedTranslator>(&deaths);
  }
  std::unique_ptr<CStringManager> MakeStringManager() override { return nullptr; }
};

TEST(TranslatorGetter, FailedOpenIsDeletedAndTriedAgain) {
  auto factory = std::make_unique<CClosedFactory>();
  CClosedFactory* raw = factory.get();
  InstallObjectFactory(std::move(factory));
  EXPECT_EQ(GetEventTranslator(), nullptr);
  EXPECT_EQ(GetEventTranslator(), nullptr);
  EXPECT_EQ(raw->deaths, 2) << "made and deleted each time";
  EXPECT_EQ(ForwardViewRequest(kViewGet, 1, nullptr), kStatusUnknown);
  ReleaseObjectFactory();
}

}  // namespace
