#include <map>
#include <memory>
#include <string>
#include <utility>

#include "services/CObjectFactory.h"
#include "services/CStringManager.h"
#include "support/CRecordingEventTranslator.h"
#include "views/ViewTestHarness.h"
#include "views/info/CDriverVersionView.h"
#include "views/info/CProximityItemView.h"
#include "views/info/CTabletNameItemView.h"
#include "views/info/CTabletVersionView.h"
#include "views/info/CToolNameItemView.h"
#include "views/info/CTransducerTypeItemView.h"

namespace {

constexpr std::uint32_t kControl = 3036;
constexpr ItemId kRecordItem = 23;
constexpr ItemId kWordItem = 18;
constexpr ItemId kNameItem = 47;

// Strings "TABLE/N" for the numbers a test gives; a blank and a status for others.
class CTableStrings : public CStringManager {
 public:
  explicit CTableStrings(std::map<std::pair<std::string, std::uint16_t>, std::string> texts)
      : m_texts(std::move(texts)) {}
  Status GetString(const char* table, std::uint16_t number, char* out) override {
    const auto found = m_texts.find({table, number});
    std::strcpy(out, found == m_texts.end() ? " " : found->second.c_str());
    return found == m_texts.end() ? kStatusNotFound : kStatusOk;
  }

 private:
  std::map<std::pair<std::string, std::uint16_t>, std::string> m_texts;
};

class CStringsFactory : public CObjectFactory {
 public:
  std::unique_ptr<CDriverInterface> MakeDriverInterface() override { return nullptr; }
  std::unique_ptr<CEventTranslator> MakeEventTranslator() override { return nullptr; }
  std::unique_ptr<CStringManager> MakeStringManager() override {
    return std::make_unique<CTableStrings>(std::map<std::pair<std::string, std::uint16_t>, std::string>{
        {{"2100", 4}, "Model Three"},
        {{"2100", 91}, "Tablet"},
        {{"2102", 4}, "Airbrush"},
        {{"2102", 18}, "Tool"},
        {{"3001", 5}, "In"},
        {{"3001", 6}, "Out"},
        {{"3001", 13}, "Pen"},
        {{"3001", 14}, "Puck"},
        {{"3001", 15}, "Other"},
    });
  }
};

class InfoItemViewsTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    // The translator is made already; the factory now only makes the strings.
    InstallObjectFactory(std::make_unique<CStringsFactory>());
    m_data->Define(kRecordItem, DataType::kType14);
    m_data->Define(kWordItem, DataType::kWord);
    m_data->Define(kNameItem, DataType::kText);
  }
  void TearDown() override {
    ReleaseStringManager();
    ViewTest::TearDown();
  }
  // The text a view shows for the item's value now.
  template <typename TView>
  std::string Shown(ItemId item, std::vector<std::uint8_t> value) {
    m_driver->Put(m_data->KeyOf(item), std::move(value));
    TView view(kControl, item);
    EXPECT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
    EXPECT_EQ(Refresh(view), kStatusOk);  // the item is shared by the cases: take the new value
    char text[kInfoTextCapacity] = {};
    EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusHandled);
    return text;
  }
  static std::vector<std::uint8_t> Name(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.resize(256, 0);
    return bytes;
  }
};

TEST_F(InfoItemViewsTest, EachViewTurnsItsValueIntoItsText) {
  EXPECT_EQ(Shown<CTabletVersionView>(kRecordItem, {1, 2, 0, 1, 9}), "1.20");
  EXPECT_EQ(Shown<CTabletVersionView>(kRecordItem, {12, 0, 7, 9, 9}), "12.07");
  EXPECT_EQ(Shown<CTabletNameItemView>(kWordItem, {3, 0}), "Model Three");
  EXPECT_EQ(Shown<CProximityItemView>(kWordItem, {0, 0}), "Out");
  EXPECT_EQ(Shown<CProximityItemView>(kWordItem, {0, 1}), "In");
  struct {
    std::uint16_t type;
    const char* text;
  } const kinds[] = {{0x4802, "Pen"}, {0xC000, "Pen"}, {0x8003, "Puck"}, {0x0802, "Other"},
                     {0x2000, "Other"}, {0xF000, "Other"}};
  for (const auto& kind : kinds)
    EXPECT_EQ(Shown<CTransducerTypeItemView>(
                  kWordItem, {static_cast<std::uint8_t>(kind.type), static_cast<std::uint8_t>(kind.type >> 8)}),
              kind.text)
        << kind.type;
  struct {
    const char* stored;
    const char* text;
  } const names[] = {
      {"\\~3", "Airbrush"},       {"\\~3:0", "Airbrush"},   {"\\~3:2", "Airbrush 3"},
      {"\\~77:1", "Tool 2"},      {"Fine liner", "Fine liner"}, {"\\x3", "\\x3"},
      {"~3", "~3"},
  };
  for (const auto& name : names) EXPECT_EQ(Shown<CToolNameItemView>(kNameItem, Name(name.stored)), name.text);
}

TEST_F(InfoItemViewsTest, AnUnreadableModelIsNamedAsTheFallbackModel) {
  m_driver->FailWith(kCommandGet, m_data->KeyOf(kWordItem), 0x0203);
  CTabletNameItemView view(kControl, kWordItem);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  char text[kInfoTextCapacity] = {};
  EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusHandled);
  EXPECT_EQ(std::string(text), "Tablet");
  // The others pass the failed read on.
  CProximityItemView proximity(kControl, kWordItem);
  ASSERT_EQ(proximity.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(Send(proximity, kViewGet, kControl, text), 0x0203u);
}

TEST_F(InfoItemViewsTest, OnlyTheirOwnRequestsWhileBoundAreHandled) {
  m_driver->Put<std::uint16_t>(m_data->KeyOf(kWordItem), 1);
  CProximityItemView view(kControl, kWordItem);
  char text[kInfoTextCapacity] = "untouched";
  EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusOk);  // not bound
  EXPECT_EQ(std::string(text), "untouched");
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(Send(view, kViewGet, kControl + 1, text), kStatusOk);
  EXPECT_EQ(std::string(text), "untouched");
  EXPECT_EQ(Send(view, kViewGet, kBroadcastId, text), kStatusOk);  // every view's: done, not handled
  EXPECT_EQ(std::string(text), "In");
  EXPECT_EQ(Send(view, kViewRefresh, kControl), kStatusHandled);

  // Set, Revert and SetDefault leave the driver and the view as they were.
  const std::size_t before = m_driver->GetRequests().size();
  for (std::uint32_t operation : {kViewSet, kViewRevert, kViewDefault}) {
    std::strcpy(text, "Out");
    EXPECT_EQ(Send(view, operation, kBroadcastId, text), kStatusOk) << operation;
    EXPECT_EQ(Send(view, operation, kControl, text), kStatusHandled) << operation;
  }
  EXPECT_EQ(m_driver->GetRequests().size(), before) << "nothing written, nothing read";
  EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusHandled);
  EXPECT_EQ(std::string(text), "In");
}

TEST_F(InfoItemViewsTest, AToolNameIsWrittenOnlyWhenItChanges) {
  m_driver->Put(m_data->KeyOf(kNameItem), Name("\\~3:2"));
  CToolNameItemView view(kControl, kNameItem);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  // The shown text of a coded name, or the stored text, is no change.
  char same[kInfoTextCapacity] = "Airbrush 3";
  EXPECT_EQ(Send(view, kViewSet, kControl, same), kStatusHandled);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0u);
  EXPECT_EQ(Send(view, kViewCommit, kControl), kStatusHandled);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0u);

  char renamed[kInfoTextCapacity] = "Airbrush 3b";
  EXPECT_EQ(Send(view, kViewSet, kControl, renamed), kStatusHandled);
  EXPECT_EQ(Send(view, kViewCommit, kControl), kStatusHandled);
  ASSERT_EQ(m_driver->CountRequests(kCommandSet), 1u);
  const std::vector<std::uint8_t> stored = m_driver->Value(m_data->KeyOf(kNameItem));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.data())), "Airbrush 3b");
  char text[kInfoTextCapacity] = {};
  EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusHandled);
  EXPECT_EQ(std::string(text), "Airbrush 3b");
}

// The stage byte is a code, not a character: 0 and 1 are shown as letters,
// every other value as a dash.
TEST_F(InfoItemViewsTest, VersionRecordsShowTheirReleaseStage) {
  struct {
    std::uint8_t record[5];
    const char* text;
  } const rows[] = {{{4, 7, 5, 2, 3}, "4.75-3"}, {{5, 0, 2, 1, 7}, "5.02b7"}, {{5, 0, 2, 0, 7}, "5.02a7"},
                    {{4, 8, 2, 'a', 255}, "4.82-255"}};
  for (const auto& row : rows) {
    char text[32] = {};
    CDriverVersionView::FormatVersion(row.record, text);
    EXPECT_EQ(std::string(text), row.text);
  }
}

}  // namespace
