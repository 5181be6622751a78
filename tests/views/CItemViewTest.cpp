#include <array>

#include "settings/CDriverData.h"
#include "views/CItemView.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kControl = 1204;
constexpr ItemId kWordItem = 93;
constexpr ItemId kByteItem = 10;
constexpr ItemId kLongItem = 17;

class ItemViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_data->Define(kWordItem, DataType::kWord);
    m_data->Define(kByteItem, DataType::kByte);
    m_data->Define(kLongItem, DataType::kLong);
    m_driver->Put<std::uint16_t>(m_data->KeyOf(kWordItem), 300);
    m_driver->Put(m_data->KeyOf(kByteItem), {0x5A});
    m_driver->Put(m_data->KeyOf(kLongItem), {0x44, 0x33, 0x22, 0x11});
  }

  // A view bound to `itemId`, shown once so that later refreshes report changes only.
  std::unique_ptr<CItemView> ShownView(ItemId itemId = kWordItem) {
    auto view = std::make_unique<CItemView>(kControl, itemId);
    EXPECT_EQ(view->Attach(m_data.get(), kSameData), kStatusOk);
    EXPECT_EQ(Refresh(*view), kStatusOk);
    TakeChanges();
    return view;
  }
};

// Value types move 1, 2 or 4 bytes between the request's 32-bit data and the
// item, widening on Get; the upper bytes of a narrow Set must not leak.
TEST_F(ItemViewTest, GetAndSetMoveValuesByTheItemsType) {
  const struct {
    ItemId itemId;
    std::uint32_t written;
    std::vector<std::uint8_t> inDriver;
    std::uint32_t readBack;
  } cases[] = {
      {kByteItem, 0xAABBCC7Eu, {0x7E}, 0x7Eu},
      {kWordItem, 0xAABB1234u, {0x34, 0x12}, 0x1234u},
      {kLongItem, 0xAABBCCDDu, {0xDD, 0xCC, 0xBB, 0xAA}, 0xAABBCCDDu},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.itemId);
    auto view = ShownView(c.itemId);
    std::uint32_t value = c.written;
    EXPECT_EQ(Send(*view, kViewSet, kControl, &value), kStatusHandled);
    EXPECT_EQ(m_driver->Value(m_data->KeyOf(c.itemId)), c.inDriver);
    std::uint32_t read = 0xFFFFFFFFu;
    EXPECT_EQ(Send(*view, kViewGet, kControl, &read), kStatusHandled);
    EXPECT_EQ(read, c.readBack);
  }
}

// Requests to the view's own id are claimed even when unbound; broadcasts
// and other ids pass on, a Set without data does nothing, and an unknown
// operation is an error.
TEST_F(ItemViewTest, AnswersByTarget) {
  struct StCase {
    bool bound;
    std::uint32_t operation;
    std::uint32_t controlId;
    bool withData;
    ViewResult expected;
  };
  const StCase kCases[] = {
      {false, kViewGet, kControl, true, kStatusHandled},
      {true, kViewRefresh, kControl + 1, true, kStatusOk},
      {true, kViewSet, kBroadcastId, false, kStatusOk},
      {true, 9, kBroadcastId, true, kStatusNoItem},
  };
  for (const StCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.bound << " op " << c.operation << " to " << c.controlId);
    CItemView view(kControl, kWordItem);
    if (c.bound) {
      ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
    }
    m_driver->ClearRequests();
    std::uint32_t value = 5;
    EXPECT_EQ(Send(view, c.operation, c.controlId, c.withData ? &value : nullptr), c.expected);
    EXPECT_EQ(value, 5u);
    EXPECT_TRUE(m_driver->GetRequests().empty());
  }
}

// The control is told to redisplay when the driver's value changed, or after
// Revert and Default whatever they did; otherwise a refresh tells it nothing.
TEST_F(ItemViewTest, RefreshRedisplaysOnlyAfterAChange) {
  auto view = std::make_unique<CItemView>(kControl, kWordItem);
  ASSERT_EQ(view->Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(),
            (std::vector<Change>{{kControl, kControlShow}, {kControl, kControlRedisplay}}));

  EXPECT_EQ(Refresh(*view, kControl), kStatusHandled);
  EXPECT_TRUE(TakeChanges().empty());

  m_driver->Put<std::uint16_t>(m_data->KeyOf(kWordItem), 512);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlRedisplay}}));

  for (std::uint32_t op : {kViewRevert, kViewDefault}) {
    SCOPED_TRACE(op);
    DropStatus(ResultStatus(Send(*view, op, kBroadcastId)),
               "nothing to revert, no default: the value stays");
    EXPECT_EQ(Refresh(*view), kStatusOk);
    EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlRedisplay}}));
  }
}

TEST_F(ItemViewTest, AnUnavailableItemTakesTheUnavailableState) {
  auto view = ShownView();
  m_driver->FailWith(kCommandGet, m_data->KeyOf(kWordItem), kStatusNotFound);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlHide}}))
      << "hidden, no redisplay";

  ASSERT_EQ(view->SetStates(kStateDisabled, kStateDisabled), kStatusOk);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlShowDisabled}}));

  m_driver->FailWith(kCommandGet, m_data->KeyOf(kWordItem), kStatusOk);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(),
            (std::vector<Change>{{kControl, kControlShow}, {kControl, kControlRedisplay}}));
}

// The reference comparison decides between the match state and shown; the
// mode names the outcomes that do not match. Bytes compare unsigned from the
// first: {80, 01} is greater than {7F, 02}.
TEST_F(ItemViewTest, ReferenceComparisonByMode) {
  struct StCase {
    std::uint32_t mode;
    std::uint16_t value;
    bool matches;
    std::array<std::uint8_t, 2> reference = {0x00, 0x02};
    std::uint32_t matchState = kStateDisabled;
  };
  const StCase cases[] = {
      {0, 0x0200, true},
      {0, 0x0201, false},
      {kExcludeEqual, 0x0200, false},
      {kExcludeEqual, 0x01FF, true},
      {kExcludeGreater, 0x0300, false},
      {kExcludeLess, 0x0100, false},
      {kExcludeLess, 0x0300, true},
      {kExcludeGreater, 0x0180, false, {0x7F, 0x02}},
      {0, 0x0200, true, {0x00, 0x02}, kStateHidden},
  };
  for (const StCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " value " << c.value);
    m_driver->Put<std::uint16_t>(m_data->KeyOf(kWordItem), c.value);
    CItemView view(kControl, kWordItem);
    ASSERT_EQ(view.SetReference(c.reference.data(), 2, c.mode), kStatusOk);
    ASSERT_EQ(view.SetStates(kStateHidden, c.matchState), kStatusOk);
    ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
    EXPECT_EQ(Refresh(view), kStatusOk);
    EXPECT_EQ(view.GetState(), c.matches ? c.matchState : kStateShown);
  }
}

// A reference of another length replaces the buffers; another length without
// bytes clears it, and without a reference nothing matches.
TEST_F(ItemViewTest, SetReferenceKeepsBuffersOfOneLength) {
  CItemView view(kControl, kWordItem);
  const std::uint8_t bytes[] = {1, 2, 3};
  ASSERT_EQ(view.SetReference(bytes, 2, 0), kStatusOk);
  ASSERT_EQ(view.SetReference(bytes, 3, 1), kStatusOk);
  ASSERT_EQ(view.SetReference(nullptr, 3, 2), kStatusOk);
  EXPECT_EQ(view.GetReferenceLength(), 3);
  ASSERT_EQ(view.SetReference(nullptr, 2, 0), kStatusOk);
  EXPECT_EQ(view.GetReferenceLength(), 0);

  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(Refresh(view), kStatusOk);
  EXPECT_EQ(view.GetState(), kStateShown);
}

// The view binds the item in the child at its index; no child or no such
// item leave it unbound, but a failing lookup keeps the binding.
TEST_F(ItemViewTest, AttachBindsTheItemOfItsGrouping) {
  CTestGrouping& eraser = m_data->AddChild(4);
  eraser.Define(kWordItem, DataType::kWord);
  m_driver->Put<std::uint16_t>(eraser.KeyOf(kWordItem), 77);
  CItemView view(kControl, kWordItem);
  ASSERT_EQ(view.Attach(m_data.get(), 4), kStatusOk);
  std::uint32_t value = 0;
  EXPECT_EQ(Send(view, kViewGet, kControl, &value), kStatusHandled);
  EXPECT_EQ(value, 77u);
  CDriverData* bound = view.GetItem();

  CTestGrouping failing(2);
  failing.FailLookups(kStatusNoDriverInterface);
  EXPECT_EQ(view.Attach(&failing, kSameData), kStatusNoDriverInterface);
  EXPECT_EQ(view.GetItem(), bound);

  ASSERT_EQ(view.Attach(m_data.get(), 3), kStatusOk);
  EXPECT_EQ(view.GetItem(), nullptr);
  CTestGrouping empty(3);
  ASSERT_EQ(view.Attach(&empty, kSameData), kStatusOk);
  EXPECT_EQ(view.GetItem(), nullptr);
}

}  // namespace
