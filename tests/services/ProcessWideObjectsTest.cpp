#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "services/CDriverInterface.h"
#include "services/CEventTranslator.h"
#include "services/CObjectFactory.h"
#include "services/CStringManager.h"
#include "services/CWinEventTranslator.h"
#include "support/CRecordingDriverInterface.h"

namespace {

TEST(AppletVersion, ParsesVersionStrings) {
  struct Case {
    const char* text;
    VersionRecord expected;
    Status status = kStatusOk;
  };
  // 0xEE marks a byte the parse must leave alone.
  const Case cases[] = {
      {"4.82-8", {4, 8, 2, 2, 8}},
      {"5.10B17", {5, 1, 0, 1, 17}},
      {"4.82B1A2", {4, 8, 2, 0, 2}},    // "A" is looked for first, wherever it stands
      {"1.2", {1, 0, 2, 2, 0xEE}},      // no letter: code 2, build unchanged
      {"300.300-1", {44, 4, 4, 2, 1}},  // major kept to 8 bits, minor taken modulo 256
      {"x.-", {0, 0, 0, 2, 0}},         // no digits read as 0
      {"7.5-300", {7, 0, 5, 2, 44}},
      {"482-8",
       {0xEE, 0xEE, 0xEE, 0xEE, 0xEE},
       kStatusBadVersionString},  // no point: nothing written
  };
  for (const Case& c : cases) {
    VersionRecord record;
    record.fill(0xEE);
    EXPECT_EQ(ParseVersionString(c.text, record), c.status) << c.text;
    EXPECT_EQ(record, c.expected) << c.text;
  }
}

// A driver interface that counts its own deaths and opens as told.
class CCountedInterface : public CRecordingDriverInterface {
 public:
  CCountedInterface(int* deaths, Status open) : m_deaths(deaths) { SetOpenStatus(open); }
  ~CCountedInterface() override { ++*m_deaths; }

 private:
  int* m_deaths;
};

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

class CCountingFactory : public CObjectFactory {
 public:
  int made = 0;
  int deaths = 0;
  Status openStatus = kStatusOk;
  bool fail = false;

  std::unique_ptr<CDriverInterface> MakeDriverInterface() override {
    if (fail) return nullptr;
    ++made;
    return std::make_unique<CCountedInterface>(&deaths, openStatus);
  }
  std::unique_ptr<CEventTranslator> MakeEventTranslator() override {
    return std::make_unique<CClosedTranslator>(&deaths);
  }
  std::unique_ptr<CStringManager> MakeStringManager() override { return nullptr; }
};

// Made once and kept; made again after a release, a deletion or a failure (a
// failed open deletes it, a factory without one is asked again).
TEST(ProcessWideInterface, MadeOnceKeptAndMadeAgainWhenGone) {
  auto owned = std::make_unique<CCountingFactory>();
  CCountingFactory& factory = *owned;
  InstallObjectFactory(std::move(owned));
  factory.openStatus = 0x1234;
  EXPECT_EQ(GetDriverInterface(), nullptr);
  EXPECT_EQ(factory.deaths, 1);
  factory.openStatus = kStatusOk;
  factory.fail = true;
  EXPECT_EQ(GetDriverInterface(), nullptr);
  factory.fail = false;
  CDriverInterface* first = GetDriverInterface();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetDriverInterface(), first);
  ReleaseDriverInterface();
  ReleaseDriverInterface();  // nothing left to release
  EXPECT_EQ(factory.deaths, 2);
  delete GetDriverInterface();  // NOLINT: the destructor itself must clear the process-wide pointer
  EXPECT_NE(GetDriverInterface(), nullptr);
  EXPECT_EQ(factory.made, 4);
  ReleaseDriverInterface();
  ReleaseObjectFactory();
}

TEST(ProcessWideTranslator, AFailedOpenIsDeletedAndTriedAgain) {
  auto owned = std::make_unique<CCountingFactory>();
  CCountingFactory& factory = *owned;
  InstallObjectFactory(std::move(owned));
  EXPECT_EQ(GetEventTranslator(), nullptr);
  EXPECT_EQ(GetEventTranslator(), nullptr);
  EXPECT_EQ(factory.deaths, 2) << "made and deleted each time";
  EXPECT_EQ(ForwardViewRequest(kViewGet, 1, nullptr), kStatusUnknown);
  ReleaseObjectFactory();
}

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
