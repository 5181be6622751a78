// Views that show an item's value as a text: percentages, numbers, and the
// tablet's and tools' information.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "services/CObjectFactory.h"
#include "services/CStringManager.h"
#include "views/CPercentItemView.h"
#include "views/CPromptItemView.h"
#include "views/ViewTestHarness.h"
#include "views/info/CDriverVersionView.h"
#include "views/info/CProximityItemView.h"
#include "views/info/CSwitchStateItemView.h"
#include "views/info/CTabletNameItemView.h"
#include "views/info/CTabletVersionView.h"
#include "views/info/CToolNameItemView.h"
#include "views/info/CTransducerTypeItemView.h"

namespace {

constexpr std::uint32_t kControl = 3036;
constexpr ItemId kByteItem = 1;
constexpr ItemId kLongItem = 3;
constexpr ItemId kOtherItem = 4;
constexpr ItemId kWordItem = 18;
constexpr ItemId kRecordItem = 23;
constexpr ItemId kNameItem = 47;

// Strings "TABLE/N" for the numbers a test gives; a blank and a status for others.
class CTableStrings : public CStringManager {
 public:
  Status GetString(const char* table, std::uint16_t number, char* out) override {
    static const std::map<std::pair<std::string, std::uint16_t>, std::string> kTexts = {
        {{"2100", 4}, "Model Three"}, {{"2100", 91}, "Tablet"}, {{"2102", 4}, "Airbrush"},
        {{"2102", 18}, "Tool"},       {{"3001", 5}, "In"},      {{"3001", 6}, "Out"},
        {{"3001", 13}, "Pen"},        {{"3001", 14}, "Puck"},   {{"3001", 15}, "Other"},
    };
    const auto found = kTexts.find({table, number});
    std::strcpy(out, found == kTexts.end() ? " " : found->second.c_str());
    return found == kTexts.end() ? kStatusNotFound : kStatusOk;
  }
};

class CStringsFactory : public CObjectFactory {
 public:
  std::unique_ptr<CDriverInterface> MakeDriverInterface() override { return nullptr; }
  std::unique_ptr<CEventTranslator> MakeEventTranslator() override { return nullptr; }
  std::unique_ptr<CStringManager> MakeStringManager() override {
    return std::make_unique<CTableStrings>();
  }
};

class TextItemViewsTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    // The translator is made already; the factory now only makes the strings.
    InstallObjectFactory(std::make_unique<CStringsFactory>());
    m_data->Define(kByteItem, DataType::kByte);
    m_data->Define(kLongItem, DataType::kLong);
    m_data->Define(kOtherItem, DataType::kType15);
    m_data->Define(kWordItem, DataType::kWord);
    m_data->Define(kRecordItem, DataType::kType14);
    m_data->Define(kNameItem, DataType::kText);
  }
  void TearDown() override {
    ReleaseStringManager();
    ViewTest::TearDown();
  }
  // The text a view of class TView, set up by `setUp`, shows for the item's value.
  template <typename TView>
  std::string Shown(ItemId item, std::vector<std::uint8_t> value,
                    const std::function<void(TView&)>& setUp = {}) {
    m_driver->Put(m_data->KeyOf(item), std::move(value));
    TView view(kControl, item);
    if (setUp) setUp(view);
    EXPECT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
    EXPECT_EQ(Refresh(view), kStatusOk);  // the item is shared by the cases: take the new value
    char text[kInfoTextCapacity] = {};
    EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusHandled);
    return text;
  }
  static std::vector<std::uint8_t> Word(std::uint16_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
  }
  static std::vector<std::uint8_t> Name(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.resize(256, 0);
    return bytes;
  }
};

TEST_F(TextItemViewsTest, APercentageIsOf1023RoundedDown) {
  const struct {
    std::uint16_t value;
    const char* text;
  } cases[] = {{0, "0%"}, {511, "49%"}, {1023, "100%"}, {10, "0%"}, {11, "1%"}, {2046, "200%"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Shown<CPercentItemView>(kWordItem, Word(c.value)), c.text) << c.value;
  }
}

TEST_F(TextItemViewsTest, APromptFormatsTheValueByTypeFormatAndDigits) {
  const struct {
    ItemId item;
    std::vector<std::uint8_t> value;
    std::uint32_t format;
    std::uint32_t digits;
    const char* text;
  } cases[] = {
      {kWordItem, {31, 0}, kFormatHex, 4, "0x001f"},
      {kByteItem, {0xFF}, kFormatSigned, 0, "255"},
      {kWordItem, {0xFE, 0xFF}, kFormatUnsigned, 0, "65534"},
      {kWordItem, {0xFD, 0xFF}, kFormatSigned, 3, "-003"},
      {kLongItem, {0xEF, 0xBE, 0xAD, 0xDE}, kFormatHex, 4, "0xdeadbeef"},
      {kLongItem, {0xFF, 0xFF, 0xFF, 0xFF}, kFormatSigned, 0, "-1"},
      // Padding stops where the text would no longer fit the view's buffer.
      {kWordItem, {5, 0}, kFormatUnsigned, 40, "0000000000000000000000000000005"},
      {kOtherItem, {9, 9, 9, 9, 9}, kFormatUnsigned, 2, "00"},
  };
  for (const auto& c : cases) {
    const auto setUp = [&c](CPromptItemView& view) {
      ASSERT_EQ(view.SetFormat(c.format), kStatusOk);
      ASSERT_EQ(view.SetMinimumDigits(c.digits), kStatusOk);
    };
    EXPECT_EQ(Shown<CPromptItemView>(c.item, c.value, setUp), c.text);
  }
  CPromptItemView view(kControl, kWordItem);
  EXPECT_EQ(view.SetFormat(3), kStatusUnknown) << "only the three formats";
}

TEST_F(TextItemViewsTest, EachInfoViewTurnsItsValueIntoItsText) {
  EXPECT_EQ(Shown<CTabletVersionView>(kRecordItem, {1, 2, 0, 1, 9}), "1.20");
  EXPECT_EQ(Shown<CTabletVersionView>(kRecordItem, {12, 0, 7, 9, 9}), "12.07");
  EXPECT_EQ(Shown<CTabletNameItemView>(kWordItem, {3, 0}), "Model Three");
  EXPECT_EQ(Shown<CProximityItemView>(kWordItem, {0, 0}), "Out");
  EXPECT_EQ(Shown<CProximityItemView>(kWordItem, {0, 1}), "In");
  EXPECT_EQ(Shown<CSwitchStateItemView>(kLongItem, {0x6, 0, 0, 0}), "2, 3");
  EXPECT_EQ(CSwitchStateItemView::SwitchText(0, "none"), "none");
  struct {
    std::uint16_t type;
    const char* text;
  } const kinds[] = {{0x4802, "Pen"}, {0xC000, "Pen"}, {0x8003, "Puck"}, {0x2000, "Other"}};
  for (const auto& kind : kinds) {
    EXPECT_EQ(Shown<CTransducerTypeItemView>(kWordItem, Word(kind.type)), kind.text) << kind.type;
  }
  struct {
    const char* stored;
    const char* text;
  } const names[] = {
      {"\\~3", "Airbrush"},  {"\\~3:0", "Airbrush"},       {"\\~3:2", "Airbrush 3"},
      {"\\~77:1", "Tool 2"}, {"Fine liner", "Fine liner"}, {"~3", "~3"},
  };
  for (const auto& name : names)
    EXPECT_EQ(Shown<CToolNameItemView>(kNameItem, Name(name.stored)), name.text);
}

// The stage byte is a code, not a character: 0 and 1 are shown as letters,
// every other value as a dash.
TEST_F(TextItemViewsTest, DriverVersionsShowTheirReleaseStage) {
  struct {
    std::uint8_t record[5];
    const char* text;
  } const rows[] = {
      {{5, 0, 2, 1, 7}, "5.02b7"}, {{5, 0, 2, 0, 7}, "5.02a7"}, {{4, 8, 2, 'a', 255}, "4.82-255"}};
  for (const auto& row : rows) {
    char text[32] = {};
    CDriverVersionView::FormatVersion(row.record, text);
    EXPECT_EQ(std::string(text), row.text);
  }
}

TEST_F(TextItemViewsTest, AnUnreadableModelIsNamedAsTheFallbackModel) {
  m_driver->FailWith(kCommandGet, m_data->KeyOf(kWordItem), 0x0203);
  CTabletNameItemView view(kControl, kWordItem);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  char text[kInfoTextCapacity] = {};
  EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusHandled);
  EXPECT_EQ(std::string(text), "Tablet");
}

// A text derived from the value cannot be typed back: Set, Revert and Default
// change nothing (a prompt still lets Revert and Default reach its item).
// Reads are answered only while bound and only to the view's own id or a
// broadcast.
TEST_F(TextItemViewsTest, ReadOnlyViewsIgnoreWritesAndAnswerOnlyTheirOwnReads) {
  const struct {
    const char* name;
    std::function<std::unique_ptr<CItemView>()> make;
    const char* text;
    bool defaultReachesTheItem;
  } views[] = {
      {"percent", [] { return std::make_unique<CPercentItemView>(kControl, kWordItem); }, "0%",
       false},
      {"prompt", [] { return std::make_unique<CPromptItemView>(kControl, kWordItem); }, "99", true},
      {"proximity", [] { return std::make_unique<CProximityItemView>(kControl, kWordItem); }, "In",
       false},
      {"switches", [] { return std::make_unique<CSwitchStateItemView>(kControl, kWordItem); },
       "1, 4", false},
  };
  for (const auto& row : views) {
    SCOPED_TRACE(row.name);
    m_driver->Put<std::uint16_t>(m_data->KeyOf(kWordItem), 9);
    m_driver->PutDefault(m_data->KeyOf(kWordItem), {99, 0});
    std::unique_ptr<CItemView> view = row.make();
    char text[kInfoTextCapacity] = "untouched";
    DropStatus(ResultStatus(Send(*view, kViewGet, kControl, text)),
               "unbound: only the text counts");
    ASSERT_EQ(view->Attach(m_data.get(), kSameData), kStatusOk);
    EXPECT_EQ(Refresh(*view), kStatusOk);
    EXPECT_EQ(Send(*view, kViewGet, kControl + 1, text), kStatusOk);
    EXPECT_STREQ(text, "untouched");

    m_driver->ClearRequests();
    std::uint32_t value = 3;
    for (std::uint32_t operation : {kViewSet, kViewRevert, kViewDefault}) {
      EXPECT_EQ(Send(*view, operation, kBroadcastId, &value), kStatusOk) << operation;
      EXPECT_EQ(Send(*view, operation, kControl, &value), kStatusHandled) << operation;
      if (operation == kViewSet) {
        EXPECT_TRUE(m_driver->GetRequests().empty()) << "a typed text is not written";
      }
    }
    EXPECT_EQ(m_driver->Peek<std::uint16_t>(m_data->KeyOf(kWordItem)),
              row.defaultReachesTheItem ? 99 : 9);
    EXPECT_EQ(Send(*view, kViewGet, kBroadcastId, text), kStatusOk);
    EXPECT_STREQ(text, row.text);
  }
}

TEST_F(TextItemViewsTest, AToolNameIsWrittenOnlyWhenItChanges) {
  m_driver->Put(m_data->KeyOf(kNameItem), Name("\\~3:2"));
  CToolNameItemView view(kControl, kNameItem);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  // The shown text of a coded name is no change.
  char same[kInfoTextCapacity] = "Airbrush 3";
  EXPECT_EQ(Send(view, kViewSet, kControl, same), kStatusHandled);
  EXPECT_EQ(Send(view, kViewCommit, kControl), kStatusHandled);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0u);

  char renamed[kInfoTextCapacity] = "Airbrush 3b";
  EXPECT_EQ(Send(view, kViewSet, kControl, renamed), kStatusHandled);
  EXPECT_EQ(Send(view, kViewCommit, kControl), kStatusHandled);
  const std::vector<std::uint8_t> stored = m_driver->Value(m_data->KeyOf(kNameItem));
  EXPECT_STREQ(reinterpret_cast<const char*>(stored.data()), "Airbrush 3b");
}

}  // namespace
