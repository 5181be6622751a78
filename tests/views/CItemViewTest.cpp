#include "views/CItemView.h"

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
    m_driver->PutWord(m_data->KeyOf(kWordItem), 300);
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

TEST_F(ItemViewTest, DetachedViewClaimsItsOwnRequestsAndChangesNothing) {
  CItemView view(kControl, kWordItem);
  std::uint32_t value = 5;
  for (std::uint32_t op : {kViewGet, kViewSet, kViewRevert, kViewRefresh, kViewApply}) {
    EXPECT_EQ(Send(view, op, kControl, &value), kStatusHandled) << op;
    EXPECT_EQ(Send(view, op, kBroadcastId, &value), kStatusOk) << op;
  }
  EXPECT_EQ(value, 5u);
  EXPECT_TRUE(m_driver->NothingSent());
  EXPECT_TRUE(TakeChanges().empty());
}

TEST_F(ItemViewTest, RequestsForOtherControlsAreNotTouched) {
  auto view = AttachedView();
  m_driver->ClearRequests();
  std::uint32_t value = 7;
  EXPECT_EQ(Send(*view, kViewSet, kControl + 1, &value), kStatusOk);
  EXPECT_EQ(Send(*view, kViewRefresh, kControl + 1), kStatusOk);
  EXPECT_TRUE(m_driver->NothingSent());
  EXPECT_EQ(m_driver->Word(m_data->KeyOf(kWordItem)), 300);
}

TEST_F(ItemViewTest, UnknownOperationAndNullDataAnswers) {
  auto view = AttachedView();
  EXPECT_EQ(Send(*view, 9, kControl), kStatusNoItem);
  EXPECT_EQ(Send(*view, 9, kBroadcastId), kStatusNoItem);
  m_driver->ClearRequests();
  // Get and Set without data do nothing and report nothing.
  EXPECT_EQ(Send(*view, kViewSet, kBroadcastId, nullptr), kStatusOk);
  EXPECT_EQ(Send(*view, kViewGet, kBroadcastId, nullptr), kStatusOk);
  EXPECT_EQ(Send(*view, kViewSet, kControl, nullptr), kStatusHandled);
  EXPECT_EQ(m_driver->Count(kCommandSet), 0u);
}

TEST_F(ItemViewTest, FirstRefreshShowsAndRedisplaysOnceThenStaysQuiet) {
  auto view = AttachedView();
  EXPECT_TRUE(TakeChanges().empty()) << "Attach only marks the state unknown";
  EXPECT_EQ(view->GetState(), kStateUnknown);

  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlShow}, {kControl, kControlRedisplay}}));
  m_driver->ClearRequests();

  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_TRUE(TakeChanges().empty());
  EXPECT_EQ(m_driver->Count(kCommandGet), 1u) << "one read per refresh";
}

TEST_F(ItemViewTest, DriverChangeIsRedisplayedWithoutAStateChange) {
  auto view = AttachedView();
  static_cast<void>(Refresh(*view));
  TakeChanges();
  m_driver->PutWord(m_data->KeyOf(kWordItem), 512);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlRedisplay}}));
  std::uint32_t value = 0;
  static_cast<void>(Send(*view, kViewGet, kControl, &value));
  EXPECT_EQ(value, 512u);
}

TEST_F(ItemViewTest, RefreshToOwnIdIsHandled) {
  auto view = AttachedView();
  EXPECT_EQ(Refresh(*view, kControl), kStatusHandled);
  EXPECT_EQ(Refresh(*view, kControl), kStatusHandled) << "even with nothing to send";
}

TEST_F(ItemViewTest, UnavailableItemUsesTheUnavailableState) {
  auto view = AttachedView();
  static_cast<void>(Refresh(*view));
  TakeChanges();
  m_driver->Fail(m_data->KeyOf(kWordItem), kStatusNotFound);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlHide}})) << "hidden, no redisplay";

  ASSERT_EQ(view->SetStates(kStateDisabled, kStateDisabled), kStatusOk);
  EXPECT_EQ(Refresh(*view), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kControl, kControlShowDisabled}}));

  m_driver->Fail(m_data->KeyOf(kWordItem), kStatusOk);
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

// SetState answers the code to send: 1..3 for a change to 0..2, else 0.
TEST_F(ItemViewTest, SetStateAnswersTheCodeOfAChange) {
  struct {
    std::uint32_t state;
    std::uint32_t code;
  } const steps[] = {{1, 0}, {0, 1}, {0, 0}, {2, 3}, {1, 2}, {3, 0}, {3, 0}, {7, 0}, {2, 3}};
  CItemView view(kControl, kWordItem);
  for (const auto& step : steps) {
    EXPECT_EQ(view.SetState(step.state), step.code) << "state " << step.state;
    EXPECT_EQ(view.GetState(), step.state);
  }
}

// The reference comparison decides between the match state (grey by default)
// and shown; the mode names the outcomes that do not match.
struct StReferenceCase {
  std::uint32_t mode;
  std::uint16_t value;  // compared with the reference 0x0200 as bytes {00, 02}
  bool matches;
};

TEST_F(ItemViewTest, ReferenceComparisonByMode) {
  const StReferenceCase cases[] = {
      {0, 0x0200, true},     {0, 0x0201, false},    {0, 0x0100, false},
      {1, 0x0200, false},    {1, 0x0201, true},     {1, 0x01FF, true},
      {2, 0x0200, true},     {2, 0x0100, true},     {2, 0x0300, false},
      {4, 0x0200, true},     {4, 0x0100, false},    {4, 0x0300, true},
      {3, 0x0201, false},    {3, 0x0100, true},     {6, 0x0200, true},
      {6, 0x0300, false},    {7, 0x0200, false},    {5, 0x0300, true},
  };
  const std::uint8_t reference[] = {0x00, 0x02};
  for (const StReferenceCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " value " << c.value);
    m_driver->PutWord(m_data->KeyOf(kWordItem), c.value);
    CItemView view(kControl, kWordItem);
    ASSERT_EQ(view.SetReference(reference, sizeof reference, c.mode), kStatusOk);
    ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
    static_cast<void>(Refresh(view));
    EXPECT_EQ(view.GetState(), c.matches ? kStateDisabled : kStateShown);
  }
}

TEST_F(ItemViewTest, ComparisonIsByteWiseUnsigned) {
  // Little-endian 0x0180 is {80, 01}: greater than {7F, 02} in its first
  // byte, although the number is smaller.
  m_driver->PutWord(m_data->KeyOf(kWordItem), 0x0180);
  const std::uint8_t reference[] = {0x7F, 0x02};
  CItemView view(kControl, kWordItem);
  ASSERT_EQ(view.SetReference(reference, sizeof reference, kExcludeGreater), kStatusOk);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  static_cast<void>(Refresh(view));
  EXPECT_EQ(view.GetState(), kStateShown);
}

TEST_F(ItemViewTest, MatchStateIsConfigurable) {
  m_driver->PutWord(m_data->KeyOf(kWordItem), 1);
  const std::uint8_t reference[] = {0x00, 0x00};
  CItemView view(kControl, kWordItem);
  ASSERT_EQ(view.SetReference(reference, sizeof reference, kExcludeEqual), kStatusOk);
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
  EXPECT_EQ(view.GetReferenceLength(), 2);
  ASSERT_EQ(view.SetReference(three, 3, 1), kStatusOk);
  EXPECT_EQ(view.GetReferenceLength(), 3) << "buffers of another length are replaced";
  EXPECT_EQ(view.GetComparisonMode(), 1u);
  ASSERT_EQ(view.SetReference(nullptr, 3, 2), kStatusOk);
  EXPECT_EQ(view.GetReferenceLength(), 3) << "same length without bytes keeps the reference";
  EXPECT_EQ(view.GetComparisonMode(), 2u);
  ASSERT_EQ(view.SetReference(nullptr, 2, 1), kStatusOk);
  EXPECT_EQ(view.GetReferenceLength(), 0) << "another length without bytes clears it";

  // Without a reference nothing matches: the control is shown enabled.
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  static_cast<void>(Refresh(view));
  EXPECT_EQ(view.GetState(), kStateShown);
}

TEST_F(ItemViewTest, AttachFindsTheItemInTheChildAtIndex) {
  CTestGrouping& eraser = m_data->AddChild(4);
  eraser.Define(kWordItem, DataType::kWord);
  m_driver->PutWord(eraser.KeyOf(kWordItem), 77);
  CItemView view(kControl, kWordItem);
  ASSERT_EQ(view.Attach(m_data.get(), 4), kStatusOk);
  std::uint32_t value = 0;
  static_cast<void>(Send(view, kViewGet, kControl, &value));
  EXPECT_EQ(value, 77u);

  // No child there: the view is left unbound.
  ASSERT_EQ(view.Attach(m_data.get(), 3), kStatusOk);
  EXPECT_EQ(view.GetItem(), nullptr);
}

TEST_F(ItemViewTest, MissingIdUnbindsButALookupErrorKeepsTheBinding) {
  auto view = AttachedView();
  CDriverData* bound = view->GetItem();
  ASSERT_NE(bound, nullptr);

  CTestGrouping failing(2);
  failing.FailLookups(kStatusNoDriverInterface);
  EXPECT_EQ(view->Attach(&failing, kSameData), kStatusNoDriverInterface);
  EXPECT_EQ(view->GetItem(), bound);

  CTestGrouping empty(3);
  EXPECT_EQ(view->Attach(&empty, kSameData), kStatusOk);
  EXPECT_EQ(view->GetItem(), nullptr);

  ASSERT_EQ(view->Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(view->Detach(), kStatusOk);
  EXPECT_EQ(view->GetItem(), nullptr);
  EXPECT_EQ(view->CanAttach(nullptr, kSameData), kStatusNoChild);
  EXPECT_EQ(view->CanAttach(m_data.get(), kSameData), kStatusOk);
}

TEST_F(ItemViewTest, ItemIdZeroBindsNothing) {
  m_data->Define(0, DataType::kWord);
  CItemView view(kControl, 0);
  ASSERT_EQ(view.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(view.GetItem(), nullptr);
}

}  // namespace
