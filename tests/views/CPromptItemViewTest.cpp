#include "views/CPromptItemView.h"

#include <string>

#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kControl = 3052;
constexpr ItemId kByteItem = 1;
constexpr ItemId kWordItem = 2;
constexpr ItemId kLongItem = 3;
constexpr ItemId kTextItem = 4;

class PromptItemViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_data->Define(kByteItem, DataType::kByte);
    m_data->Define(kWordItem, DataType::kWord);
    m_data->Define(kLongItem, DataType::kLong);
    m_data->Define(kTextItem, DataType::kType15);
  }
};

struct StPromptCase {
  ItemId item;
  std::vector<std::uint8_t> value;
  std::uint32_t format;
  std::uint32_t digits;
  const char* text;
};

TEST_F(PromptItemViewTest, FormatsTheValueByTypeFormatAndDigits) {
  const StPromptCase cases[] = {
      {kWordItem, {31, 0}, kFormatHex, 4, "0x001f"},
      {kByteItem, {7}, kFormatUnsigned, 3, "007"},
      {kByteItem, {0xFF}, kFormatSigned, 0, "255"},
      {kWordItem, {0xFE, 0xFF}, kFormatSigned, 0, "-2"},
      {kWordItem, {0xFE, 0xFF}, kFormatUnsigned, 0, "65534"},
      {kWordItem, {0xFD, 0xFF}, kFormatSigned, 3, "-003"},
      {kLongItem, {0xEF, 0xBE, 0xAD, 0xDE}, kFormatHex, 4, "0xdeadbeef"},
      {kLongItem, {0xFF, 0xFF, 0xFF, 0xFF}, kFormatSigned, 0, "-1"},
      {kLongItem, {0xFF, 0xFF, 0xFF, 0xFF}, kFormatUnsigned, 0, "4294967295"},
      {kLongItem, {0, 0, 0, 0}, kFormatUnsigned, 0, "0"},
      // Padding stops where the text would no longer fit the view's buffer.
      {kWordItem, {5, 0}, kFormatUnsigned, 40, "0000000000000000000000000000005"},
      {kTextItem, {9, 9, 9, 9, 9}, kFormatUnsigned, 2, "00"},
  };
  for (const StPromptCase& c : cases) {
    SCOPED_TRACE(c.text);
    m_driver->Put(m_data->KeyOf(c.item), c.value);
    CPromptItemView view(kControl, c.item);
    ASSERT_EQ(view.SetFormat(c.format), kStatusOk);
    ASSERT_EQ(view.SetMinimumDigits(c.digits), kStatusOk);
    ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
    static_cast<void>(Refresh(view));  // the item is shared by the cases: take the new value
    char text[64] = {};
    EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusHandled);
    EXPECT_EQ(std::string(text), c.text);
  }
}

TEST_F(PromptItemViewTest, AcceptsOnlyTheThreeFormats) {
  CPromptItemView view(kControl, kWordItem);
  EXPECT_EQ(view.SetFormat(kFormatHex), kStatusOk);
  EXPECT_EQ(view.SetFormat(3), kStatusUnknown);
  EXPECT_EQ(view.GetFormat(), kFormatHex);
}

TEST_F(PromptItemViewTest, SetDoesNothingButOtherRequestsReachTheItem) {
  m_driver->Put<std::uint16_t>(m_data->KeyOf(kWordItem), 12);
  m_driver->PutDefault(m_data->KeyOf(kWordItem), {99, 0});
  CPromptItemView view(kControl, kWordItem);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  std::uint32_t value = 44;
  EXPECT_EQ(Send(view, kViewSet, kControl, &value), kStatusHandled);
  EXPECT_EQ(m_driver->CountRequests(kCommandSet), 0u);

  EXPECT_EQ(Send(view, kViewDefault, kControl), kStatusHandled);
  EXPECT_EQ(m_driver->Peek<std::uint16_t>(m_data->KeyOf(kWordItem)), 99) << "unlike the percentage view";
  EXPECT_EQ(Send(view, 9, kControl), kStatusNoItem);
}

}  // namespace
