#include "views/CPercentItemView.h"

#include <string>

#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kControl = 3058;
constexpr ItemId kPressure = 50;

class PercentItemViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_data->Define(kPressure, DataType::kWord);
    m_driver->Put<std::uint16_t>(m_data->KeyOf(kPressure), 0);
  }

  std::string Shown(CKelvoView& view) {
    char text[kViewTextCapacity] = "untouched";
    EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusHandled);
    return text;
  }
};

TEST_F(PercentItemViewTest, ShowsTheValueAsAPercentageOf1023) {
  const struct {
    std::uint16_t value;
    const char* text;
  } cases[] = {{0, "0%"}, {511, "49%"}, {1023, "100%"}, {1, "0%"}, {10, "0%"}, {11, "1%"}, {2046, "200%"}};
  CPercentItemView view(kControl, kPressure);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  for (const auto& c : cases) {
    m_driver->Put<std::uint16_t>(m_data->KeyOf(kPressure), c.value);
    static_cast<void>(Refresh(view));
    EXPECT_EQ(Shown(view), c.text) << c.value;
  }
}

TEST_F(PercentItemViewTest, IgnoresWritesAndAnswersReadsOnlyWhenBound) {
  m_driver->Put<std::uint16_t>(m_data->KeyOf(kPressure), 700);
  CPercentItemView view(kControl, kPressure);
  char text[kViewTextCapacity] = "untouched";
  EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusOk) << "unbound";
  EXPECT_EQ(std::string(text), "untouched");

  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  m_driver->ClearRequests();
  std::uint32_t value = 3;
  for (std::uint32_t op : {kViewSet, kViewRevert, kViewDefault}) {
    EXPECT_EQ(Send(view, op, kControl, &value), kStatusHandled) << op;
    EXPECT_EQ(Send(view, op, kBroadcastId, &value), kStatusOk) << op;
  }
  EXPECT_TRUE(m_driver->GetRequests().empty());
  EXPECT_EQ(Send(view, kViewGet, kControl + 1, text), kStatusOk);
  EXPECT_EQ(std::string(text), "untouched");
  m_driver->FailWith(kCommandGet, m_data->KeyOf(kPressure), kStatusNoTablet);
  EXPECT_EQ(Send(view, kViewGet, kControl, text), kStatusNoTablet);
}

}  // namespace
