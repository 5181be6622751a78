#include "views/CItemView.h"

#include <array>
#include <cstring>

#include "settings/CDriverData.h"
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

  // A view bound to `itemId`, with the display evaluated once.
  std::unique_ptr<CItemView> AttachedView(ItemId itemId = kWordItem) {
    auto view = std::make_unique<CItemView>(kControl, itemId);
    EXPECT_EQ(view->Attach(m_data.get(), kSameData), kStatusOk);
    return view;
  }
};

// Value types move 1, 2 or 4 bytes between the request's 32-bit data and the
// item, widening on Get; the upper bytes of a narrow Set must not leak.
struct StValueCase {
  ItemId itemId;
  std::uint32_t written;
  std::vector<std::uint8_t> inDriver;
  std::uint32_t readBack;
};

TEST_F(ItemViewTest, GetAndSetMoveValuesByTheItemsType) {
  const StValueCase cases[] = {
      {kByteItem, 0xAABBCC7Eu, {0x7E}, 0x7Eu},
      {kWordItem, 0xAABB1234u, {0x34, 0x12}, 0x1234u},
      {kLongItem, 0xAABBCCDDu, {0xDD, 0xCC, 0xBB, 0xAA}, 0xAABBCCDDu},
  };
  for (const StValueCase& c : cases) {
    SCOPED_TRACE(c.itemId);
    auto view = AttachedView(c.itemId);
    std::uint32_t value = c.written;
    EXPECT_EQ(Send(*view, kViewSet, kControl, &value), kStatusHandled);
    EXPECT_EQ(m_driver->Value(m_data->KeyOf(c.itemId)), c.inDriver);

    std::uint32_t read = 0xFFFFFFFFu;
    EXPECT_EQ(Send(*view, kViewGet, kControl, &read), kStatusHandled);
    EXPECT_EQ(read, c.readBack);
  }
}

// Requests to the view's own id are claimed even when unbound; broadcasts
// and other ids pass on; an unknown operation is an error either way.
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
      {false, kViewApply, kBroadcastId, true, kStatusOk},
      {true, kViewRefresh, kControl + 1, true, kStatusOk},
      {true, kViewSet, kBroadcastId, false, kStatusOk},
      {true, kViewSet, kControl, false, kStatusHandled},
      {true, 9, kControl, true, kStatusNoItem},
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
  EXPECT_EQ(m_driver->Peek<std::uint16_t>(m_data->KeyOf(kWordItem)), 300);
  EXPECT_TRUE(TakeChanges().empty()) << "Attach only marks the state unknown";
}

TEST_F(ItemViewTest, RefreshShowsOnceThenRedisplaysOnlyDriverChanges) {
  auto view = AttachedView();
  EXPECT_EQ(view->GetState(), kStateUnknown);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlShow}, {kControl, kControlRedisplay}}));
  m_driver->ClearRequests();

  EXPECT_EQ(Refresh(*view, kControl), kStatusHandled);
  EXPECT_TRUE(TakeChanges().empty());
  EXPECT_EQ(m_driver->CountRequests(kCommandGet), 1u) << "one read per refresh";

  m_driver->Put<std::uint16_t>(m_data->KeyOf(kWordItem), 512);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlRedisplay}}));
  std::uint32_t value = 0;
  static_cast<void>(Send(*view, kViewGet, kControl, &value));
  EXPECT_EQ(value, 512u);
}

TEST_F(ItemViewTest, UnavailableItemUsesTheUnavailableState) {
  auto view = AttachedView();
  static_cast<void>(Refresh(*view));
  TakeChanges();
  m_driver->FailWith(kCommandGet, m_data->KeyOf(kWordItem), kStatusNotFound);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlHide}})) << "hidden, no redisplay";

  ASSERT_EQ(view->SetStates(kStateDisabled, kStateDisabled), kStatusOk);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlShowDisabled}}));

  m_driver->FailWith(kCommandGet, m_data->KeyOf(kWordItem), kStatusOk);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlShow}, {kControl, kControlRedisplay}}));
}

TEST_F(ItemViewTest, RevertAndDefaultMarkTheViewDirty) {
  auto view = AttachedView();
  static_cast<void>(Refresh(*view));
  TakeChanges();
  // Nothing to revert and no default in the driver: the value stays, yet
  // the control is told to show it again.
  for (std::uint32_t op : {kViewRevert, kViewDefault}) {
    SCOPED_TRACE(op);
    static_cast<void>(Send(*view, op, kBroadcastId));
    EXPECT_TRUE(view->IsDirty());
    static_cast<void>(Refresh(*view));
    EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlRedisplay}}));
    EXPECT_FALSE(view->IsDirty());
  }
}

// The reference comparison decides between the match state (grey by default)
// and shown; the mode names the outcomes that do not match. Bytes compare
// unsigned from the first: {80, 01} is greater than {7F, 02}.
TEST_F(ItemViewTest, ReferenceComparisonByMode) {
  struct StCase {
    std::uint32_t mode;
    std::uint16_t value;
    bool matches;
    std::array<std::uint8_t, 2> reference = {0x00, 0x02};
  };
  const StCase cases[] = {
      {0, 0x0200, true},     {0, 0x0201, false},    {0, 0x0100, false},
      {1, 0x0200, false},    {1, 0x0201, true},     {1, 0x01FF, true},
      {2, 0x0200, true},     {2, 0x0100, true},     {2, 0x0300, false},
      {4, 0x0200, true},     {4, 0x0100, false},    {4, 0x0300, true},
      {kExcludeGreater, 0x0180, false, {0x7F, 0x02}},
  };
  for (const StCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " value " << c.value);
    m_driver->Put<std::uint16_t>(m_data->KeyOf(kWordItem), c.value);
    CItemView view(kControl, kWordItem);
    ASSERT_EQ(view.SetReference(c.reference.data(), 2, c.mode), kStatusOk);
    ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
    static_cast<void>(Refresh(view));
    EXPECT_EQ(view.GetState(), c.matches ? kStateDisabled : kStateShown);
  }

  // The match state is configurable.
  TakeChanges();
  const std::uint8_t zero[] = {0x00, 0x00};
  CItemView view(kControl, kWordItem);
  ASSERT_EQ(view.SetReference(zero, sizeof zero, kExcludeEqual), kStatusOk);
  ASSERT_EQ(view.SetStates(kStateHidden, kStateHidden), kStatusOk);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  static_cast<void>(Refresh(view));
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlHide}, {kControl, kControlRedisplay}}));
}

TEST_F(ItemViewTest, SetReferenceKeepsBuffersOfOneLength) {
  CItemView view(kControl, kWordItem);
  const std::uint8_t two[] = {1, 2};
  const std::uint8_t three[] = {1, 2, 3};
  ASSERT_EQ(view.SetReference(two, 2, 0), kStatusOk);
  ASSERT_EQ(view.SetReference(three, 3, 1), kStatusOk);
  EXPECT_EQ(view.GetReferenceLength(), 3) << "buffers of another length are replaced";
  ASSERT_EQ(view.SetReference(nullptr, 3, 2), kStatusOk);
  EXPECT_EQ(view.GetReferenceLength(), 3) << "same length without bytes keeps the reference";
  ASSERT_EQ(view.SetReference(nullptr, 2, 1), kStatusOk);
  EXPECT_EQ(view.GetReferenceLength(), 0) << "another length without bytes clears it";

  // Without a reference nothing matches: the control is shown enabled.
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  static_cast<void>(Refresh(view));
  EXPECT_EQ(view.GetState(), kStateShown);
}

// The view binds the item in the child at its index; no child, no such item
// or item id zero leave it unbound, but a failing lookup keeps the binding.
TEST_F(ItemViewTest, AttachBindsTheItemOfItsGrouping) {
  CTestGrouping& eraser = m_data->AddChild(4);
  eraser.Define(kWordItem, DataType::kWord);
  m_driver->Put<std::uint16_t>(eraser.KeyOf(kWordItem), 77);
  CItemView view(kControl, kWordItem);
  ASSERT_EQ(view.Attach(m_data.get(), 4), kStatusOk);
  std::uint32_t value = 0;
  static_cast<void>(Send(view, kViewGet, kControl, &value));
  EXPECT_EQ(value, 77u);
  CDriverData* bound = view.GetItem();
  ASSERT_NE(bound, nullptr);

  CTestGrouping failing(2);
  failing.FailLookups(kStatusNoDriverInterface);
  EXPECT_EQ(view.Attach(&failing, kSameData), kStatusNoDriverInterface);
  EXPECT_EQ(view.GetItem(), bound);

  CTestGrouping empty(3);
  ASSERT_EQ(view.Attach(m_data.get(), 3), kStatusOk);
  EXPECT_EQ(view.GetItem(), nullptr);
  ASSERT_EQ(view.Attach(m_data.get(), 4), kStatusOk);
  EXPECT_EQ(view.Attach(&empty, kSameData), kStatusOk);
  EXPECT_EQ(view.GetItem(), nullptr);
  EXPECT_EQ(view.CanAttach(nullptr, kSameData), kStatusNoChild);

  m_data->Define(0, DataType::kWord);
  CItemView zero(kControl, 0);
  ASSERT_EQ(zero.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(zero.GetItem(), nullptr);
}

}  // namespace
