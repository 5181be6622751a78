// List views: entries follow the data's children, and the list requests by code.
#include <vector>

#include "views/CListSuperView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kList = 3100;
constexpr std::uint32_t kEntries = 3101;
constexpr std::uint32_t kSelection = 3102;
constexpr std::uint32_t kCompanion = 3103;
constexpr std::uint32_t kDialog = 3104;
constexpr std::uint32_t kSelectionShown = 3105;
constexpr ItemId kShownItem = 30;

// A list whose entries are keyed 100, 101 ... in the order they were made,
// and which notes what its hooks were given.
class CTestList : public CListSuperView {
 public:
  using CListSuperView::CListSuperView;

  [[nodiscard]] Status CreateEntry(std::unique_ptr<CListSuperView>& entry) override {
    auto made = std::make_unique<CTestList>(kEntries);
    made->m_key = 100 + m_made++;
    entry = std::move(made);
    return kStatusOk;
  }
  [[nodiscard]] Status EntryKey(std::uint32_t& key) const override {
    key = m_key;
    return kStatusOk;
  }
  [[nodiscard]] ViewResult OnSelect(std::uint32_t key) override {
    selected.push_back(key);
    return kStatusHandled;
  }
  [[nodiscard]] ViewResult OnCompanion(std::uint32_t id) override {
    companions.push_back(id);
    return kStatusHandled;
  }
  [[nodiscard]] ViewResult OnDialogClosed(ViewRequest& request) override {
    closed.push_back(request.operation);
    return kStatusHandled;
  }
  void WaitFor(std::uint32_t dialog) { SetPendingDialog(dialog); }

  std::vector<std::uint32_t> selected;
  std::vector<std::uint32_t> companions;
  std::vector<std::uint32_t> closed;

 private:
  std::uint32_t m_key = 0;
  std::uint32_t m_made = 0;
};

std::vector<std::uint32_t> Keys(const CListSuperView& list) {
  std::vector<std::uint32_t> keys;
  for (std::size_t i = 0; i < list.EntryCount(); ++i) {
    std::uint32_t key = 0;
    EXPECT_EQ(list.EntryAt(i)->EntryKey(key), kStatusOk);
    keys.push_back(key);
  }
  return keys;
}

// A grouping with as many children as the test gives it.
class CCountedGrouping : public CTestGrouping {
 public:
  using CTestGrouping::CTestGrouping;
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override {
    return kind == 0 ? count : 0;
  }
  std::int32_t count = 0;
};

// A list of three entries whose selection view shows an item of the list's data.
class ListSuperViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_list = std::make_unique<CTestList>(kList, kEntries, kSelection, kCompanion);
    m_grouping.Define(kListSelectionItem, DataType::kWord, BehaviourKind::kNoDriver);
    m_grouping.Define(kShownItem, DataType::kWord);
    m_driver->Put(m_grouping.KeyOf(kShownItem), std::uint16_t{9});
    for (std::int32_t i = 0; i < 3; ++i) m_grouping.AddChild(i);
    m_grouping.count = 3;
    std::unique_ptr<CItemView> shown;
    ASSERT_EQ(MakeView(shown, kSelectionShown, kShownItem), kStatusOk);
    m_list->SetSelectionView(std::move(shown));
    ASSERT_EQ(m_list->Attach(&m_grouping, kSameData), kStatusOk);
    ASSERT_EQ(Refresh(*m_list), kStatusOk);
    TakeChanges();
  }

  std::unique_ptr<CTestList> m_list;
  CCountedGrouping m_grouping{7};
};

TEST_F(ListSuperViewTest, EntriesFollowTheDataAndTheWindowRedrawsTheList) {
  EXPECT_EQ(Keys(*m_list), (std::vector<std::uint32_t>{100, 101, 102}));
  m_grouping.count = 1;
  ASSERT_EQ(Refresh(*m_list), kStatusOk);
  EXPECT_EQ(Keys(*m_list), (std::vector<std::uint32_t>{100}));
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kList, kControlRedisplay}}));
  ASSERT_EQ(Refresh(*m_list), kStatusOk);
  EXPECT_TRUE(TakeChanges().empty()) << "nothing changed, nothing to redraw";
}

TEST_F(ListSuperViewTest, MovesAnEntryWithinItsListOnly) {
  CListSuperView* first = m_list->EntryAt(0);
  StListMove after{first, m_list->EntryAt(2), 1};
  EXPECT_EQ(Send(*m_list, ListRequest::kMove, kList, &after), kStatusHandled);
  EXPECT_EQ(Keys(*m_list), (std::vector<std::uint32_t>{101, 102, 100}));
  StListMove before{first, m_list->EntryAt(0), 0};
  EXPECT_EQ(Send(*m_list, ListRequest::kMove, kList, &before), kStatusHandled);
  EXPECT_EQ(Keys(*m_list), (std::vector<std::uint32_t>{100, 101, 102}));
  CTestList stranger(kEntries);
  StListMove elsewhere{first, &stranger, 1};
  // Addressed to the entries' id: a refusal does not go on to the selection view.
  EXPECT_EQ(Send(*m_list, ListRequest::kMove, kEntries, &elsewhere), kStatusNotSupported);
}

TEST_F(ListSuperViewTest, SelectingAnEntryStoresItsIndexAndRebindsTheSelection) {
  std::uint32_t key = 102;
  StListForward select{nullptr, kListByKey, &key};
  EXPECT_EQ(Send(*m_list, kViewSet, kList, &select), kStatusHandled);
  const std::vector<Change> changes = TakeChanges();
  EXPECT_NE(std::find(changes.begin(), changes.end(), Change{kSelectionShown, kControlRedisplay}),
            changes.end())
      << "the selection view shows the selected entry's data again";

  std::uint32_t got = 0;
  StListForward get{nullptr, kListByKey, &got};
  EXPECT_EQ(Send(*m_list, kViewGet, kList, &get), kStatusHandled);
  EXPECT_EQ(got, 102u);
  // The selection control and the companion reach their hooks.
  EXPECT_EQ(Send(*m_list, kViewSet, kSelection), kStatusHandled);
  std::uint32_t word = 5;
  EXPECT_EQ(Send(*m_list, ListRequest::kSelect, kList, &word), kStatusHandled);
  EXPECT_EQ(Send(*m_list, ListRequest::kCompanion, kList, &word), kStatusHandled);
  EXPECT_EQ(m_list->selected, (std::vector<std::uint32_t>{102, 5}));
  EXPECT_EQ(m_list->companions, (std::vector<std::uint32_t>{5}));
  // What the list does not take goes on to the selection view.
  std::uint32_t shown = 0;
  EXPECT_EQ(Send(*m_list, kViewGet, kSelectionShown, &shown), kStatusHandled);
  EXPECT_EQ(shown, 9u);
}

TEST_F(ListSuperViewTest, TheClosingOfItsDialogIsHandedToTheList) {
  m_list->WaitFor(kDialog);
  EXPECT_EQ(Send(*m_list, kViewCommit, kDialog), kStatusOk);
  m_roots.ClearLog();
  EXPECT_EQ(Send(*m_list, kViewApply, kDialog), kStatusHandled);
  EXPECT_EQ(m_roots.Log(), (std::vector<CTestRootStack::StLogged>{{kViewRefresh, kBroadcastId}}));
  EXPECT_EQ(Send(*m_list, kViewRevert, kDialog), kStatusOk) << "no longer waiting";
  EXPECT_EQ(m_list->closed, (std::vector<std::uint32_t>{kViewApply}));
}

}  // namespace
