#include "views/CSuperView.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kGroup = 1312;

// A child that answers Dispatch and Perform with `result`, notes in `trace`
// that it was asked, and keeps what it was attached to.
class CScriptedView : public CKelvoView {
 public:
  CScriptedView(std::uint32_t controlId, std::vector<std::uint32_t>* trace, ViewResult result = 0)
      : m_controlId(controlId), m_trace(trace), m_result(result) {}

  ViewResult Dispatch(ViewRequest&) override { return Note(); }
  ViewResult Perform(ViewRequest&) override { return Note(); }
  ViewResult CanAttach(CDataGrouping* data, std::int32_t) override {
    return data != nullptr && m_canAttach ? kStatusOk : kStatusNoChild;
  }
  ViewResult Attach(CDataGrouping* data, std::int32_t index) override {
    m_attachedTo = data;
    m_attachIndex = index;
    return kStatusNoDriverInterface;  // a failing child must not stop its group
  }
  ViewResult Detach() override {
    m_attachedTo = nullptr;
    return kStatusOk;
  }
  ViewResult SetStateAndNotify(std::uint32_t) override { return kStatusOk; }
  std::uint32_t GetControlId() const override { return m_controlId; }

  bool m_canAttach = true;
  CDataGrouping* m_attachedTo = nullptr;
  std::int32_t m_attachIndex = 0;

 private:
  ViewResult Note() {
    m_trace->push_back(m_controlId);
    return m_result;
  }

  std::uint32_t m_controlId;
  std::vector<std::uint32_t>* m_trace;
  ViewResult m_result;
};

class SuperViewTest : public ViewTest {
 protected:
  CScriptedView* Add(std::uint32_t id, std::int32_t index = kSameData,
                     ViewSelector selector = nullptr, std::uint32_t argument = 0) {
    auto view = std::make_unique<CScriptedView>(id, &m_trace);
    CScriptedView* added = view.get();
    EXPECT_EQ(m_group.AddView(std::move(view), index, selector, argument), kStatusOk);
    return added;
  }

  CSuperView m_group{kGroup};
  std::vector<std::uint32_t> m_trace;
};

// Children 1..n answer the case's results, to Dispatch or to Perform.
struct StRoutingCase {
  const char* name;
  std::vector<ViewResult> childResults;
  ViewResult expected;
  std::vector<std::uint32_t> visited;
};

void CheckRouting(const StRoutingCase& c, bool perform) {
  SCOPED_TRACE(c.name);
  CSuperView group(kGroup);
  std::vector<std::uint32_t> trace;
  for (std::uint32_t i = 0; i < c.childResults.size(); ++i) {
    ASSERT_EQ(group.AddView(std::make_unique<CScriptedView>(i + 1, &trace, c.childResults[i])),
              kStatusOk);
  }
  ViewRequest request{kViewSet, kBroadcastId, nullptr};
  EXPECT_EQ(perform ? group.Perform(request) : group.Dispatch(request), c.expected);
  EXPECT_EQ(trace, c.visited);
}

TEST_F(SuperViewTest, DispatchStopsAtTheFirstHandledChildAndIgnoresFailures) {
  const StRoutingCase cases[] = {
      {"second claims", {0, kStatusHandled, 0}, kStatusHandled, {1, 2}},
      {"failure then claim", {kStatusOutOfMemory, 0, kStatusHandled}, kStatusHandled, {1, 2, 3}},
      {"flags are no claim", {0x92, 0x80, 0}, 0, {1, 2, 3}},
      {"handled in the low word", {0x1060C, 0, 0}, kStatusHandled, {1}},
  };
  for (const StRoutingCase& c : cases) CheckRouting(c, false);
}

TEST_F(SuperViewTest, PerformReturnsStatusesAtOnceAndOrsFlagsUntilOwned) {
  const StRoutingCase cases[] = {
      {"flags ored", {0x01, 0x10, 0x02}, 0x13, {1, 2, 3}},
      {"status at once", {0x10, kStatusNoItem, 0x02}, kStatusNoItem, {1, 2}},
      {"owned stops", {0x10, 0x82, 0x01}, 0x92, {1, 2}},
  };
  for (const StRoutingCase& c : cases) CheckRouting(c, true);
}

TEST_F(SuperViewTest, CanAttachShowsOrHidesTheGroupWithoutStoringAState) {
  m_data->AddChild(32);
  EXPECT_EQ(m_group.CanAttach(m_data.get(), 32), kStatusOk);
  EXPECT_EQ(m_group.CanAttach(m_data.get(), 5), kStatusNotFound);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kGroup, kControlShow}, {kGroup, kControlHide}}));
  EXPECT_EQ(m_group.GetState(), kStateShown);
}

TEST_F(SuperViewTest, AttachHandsEachChildItsDataAndSkipsThoseThatCannotAttach) {
  CTestGrouping& mapping = m_data->AddChild(2);
  static CTestGrouping* s_selected = nullptr;
  s_selected = &mapping;
  const ViewSelector pick = [](CDataGrouping* data, std::uint32_t argument) -> CDataGrouping* {
    return data != nullptr && argument == 7 ? s_selected : nullptr;
  };
  CScriptedView* plain = Add(1);
  CScriptedView* indexed = Add(2, 4);
  CScriptedView* selected = Add(3, kSameData, pick, 7);
  CScriptedView* refusing = Add(4);
  refusing->m_canAttach = false;

  EXPECT_EQ(m_group.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(plain->m_attachedTo, m_data.get());
  EXPECT_EQ(indexed->m_attachIndex, 4) << "the child resolves its own index";
  EXPECT_EQ(selected->m_attachedTo, &mapping);
  EXPECT_EQ(refusing->m_attachedTo, nullptr);

  EXPECT_EQ(m_group.Detach(), kStatusOk);
  for (CScriptedView* child : {plain, indexed, selected}) EXPECT_EQ(child->m_attachedTo, nullptr);

  // No child grouping at the index: the group and its children get no data.
  EXPECT_EQ(m_group.Attach(m_data.get(), 9), kStatusOk);
  EXPECT_EQ(m_group.GetData(), nullptr);
  EXPECT_EQ(plain->m_attachedTo, nullptr);
}

TEST_F(SuperViewTest, SetStateAndNotifyTellsOnlyChangesOfAShownState) {
  struct {
    std::uint32_t state;
    std::vector<Change> sent;
  } const steps[] = {
      {kStateShown, {}},
      {kStateHidden, {{kGroup, kControlHide}}},
      {kStateDisabled, {{kGroup, kControlShowDisabled}}},
      {kStateUnknown, {}},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(m_group.SetStateAndNotify(step.state), kStatusOk);
    EXPECT_EQ(TakeChanges(), step.sent) << "state " << step.state;
  }
}

}  // namespace
