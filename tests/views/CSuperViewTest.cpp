#include "views/CSuperView.h"

#include "views/ViewCreation.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kGroup = 1312;

// A child that answers what the test tells it and notes what it was asked.
class CScriptedView : public CKelvoView {
 public:
  CScriptedView(std::uint32_t controlId, std::vector<std::uint32_t>* trace,
                ViewResult dispatchResult = 0, ViewResult performResult = 0)
      : m_controlId(controlId), m_trace(trace), m_dispatch(dispatchResult), m_perform(performResult) {}

  ViewResult Dispatch(ViewRequest&) override { return Note(m_dispatch); }
  ViewResult Perform(ViewRequest&) override { return Note(m_perform); }
  ViewResult CanAttach(CDataGrouping* data, std::int32_t) override {
    return data != nullptr && m_canAttach ? kStatusOk : kStatusNoChild;
  }
  ViewResult Attach(CDataGrouping* data, std::int32_t index) override {
    m_attachedTo = data;
    m_attachIndex = index;
    ++m_attachCount;
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
  int m_attachCount = 0;

 private:
  ViewResult Note(ViewResult result) {
    m_trace->push_back(m_controlId);
    return result;
  }

  std::uint32_t m_controlId;
  std::vector<std::uint32_t>* m_trace;
  ViewResult m_dispatch;
  ViewResult m_perform;
};

class SuperViewTest : public ViewTest {
 protected:
  CScriptedView* AddScripted(std::uint32_t id, ViewResult dispatchResult = 0,
                             ViewResult performResult = 0, const StChildPlace& place = {}) {
    CScriptedView* added = nullptr;
    EXPECT_EQ(AddChildView(m_group, place, &added, id, &m_trace, dispatchResult, performResult),
              kStatusOk);
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
    const ViewResult dispatch = perform ? 0 : c.childResults[i];
    const ViewResult performed = perform ? c.childResults[i] : 0;
    ASSERT_EQ(group.AddView(std::make_unique<CScriptedView>(i + 1, &trace, dispatch, performed)),
              kStatusOk);
  }
  ViewRequest request{kViewSet, kBroadcastId, nullptr};
  EXPECT_EQ(perform ? group.Perform(request) : group.Dispatch(request), c.expected);
  EXPECT_EQ(trace, c.visited);
}

TEST_F(SuperViewTest, DispatchStopsAtTheFirstHandledChildAndIgnoresFailures) {
  const StRoutingCase cases[] = {
      {"nobody claims", {0, 0, 0}, 0, {1, 2, 3}},
      {"second claims", {0, kStatusHandled, 0}, kStatusHandled, {1, 2}},
      {"failures ignored", {kStatusNoItem, kStatusNotFound, 0}, 0, {1, 2, 3}},
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
      {"handled is a status", {kStatusHandled, 0x10}, kStatusHandled, {1}},
      {"owned stops", {0x10, 0x82, 0x01}, 0x92, {1, 2}},
      {"all zero", {0, 0}, 0, {1, 2}},
  };
  for (const StRoutingCase& c : cases) CheckRouting(c, true);
}

TEST_F(SuperViewTest, CanAttachShowsOrHidesTheGroupWithoutStoringAState) {
  m_data->AddChild(32);
  EXPECT_EQ(m_group.CanAttach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(m_group.CanAttach(m_data.get(), 32), kStatusOk);
  EXPECT_EQ(m_group.CanAttach(m_data.get(), 5), kStatusNotFound);
  EXPECT_EQ(m_group.CanAttach(nullptr, kSameData), kStatusNotFound);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kGroup, kControlShow},
                                                {kGroup, kControlShow},
                                                {kGroup, kControlHide},
                                                {kGroup, kControlHide}}));
  EXPECT_EQ(m_group.GetState(), kStateShown);
}

TEST_F(SuperViewTest, AttachHandsEachChildItsDataAndSkipsThoseThatCannotAttach) {
  CTestGrouping& mapping = m_data->AddChild(2);
  static CTestGrouping* s_selected = nullptr;
  s_selected = &mapping;
  const ViewSelector pick = [](CDataGrouping* data, std::uint32_t argument) -> CDataGrouping* {
    return data != nullptr && argument == 7 ? s_selected : nullptr;
  };

  CScriptedView* plain = AddScripted(1);
  CScriptedView* indexed = AddScripted(2, 0, 0, {4, nullptr, 0});
  CScriptedView* selected = AddScripted(3, 0, 0, {kSameData, pick, 7});
  CScriptedView* refusing = AddScripted(4);
  refusing->m_canAttach = false;

  EXPECT_EQ(m_group.Attach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(m_group.GetData(), m_data.get());
  EXPECT_EQ(plain->m_attachedTo, m_data.get());
  EXPECT_EQ(indexed->m_attachedTo, m_data.get());
  EXPECT_EQ(indexed->m_attachIndex, 4) << "the child resolves its own index";
  EXPECT_EQ(selected->m_attachedTo, &mapping);
  EXPECT_EQ(refusing->m_attachCount, 0);

  EXPECT_EQ(m_group.Detach(), kStatusOk);
  EXPECT_EQ(m_group.GetData(), nullptr);
  for (CScriptedView* child : {plain, indexed, selected}) EXPECT_EQ(child->m_attachedTo, nullptr);

  // No child grouping at the index: the children get no data at all.
  EXPECT_EQ(m_group.Attach(m_data.get(), 9), kStatusOk);
  EXPECT_EQ(m_group.GetData(), nullptr);
  EXPECT_EQ(plain->m_attachCount, 1);
}

TEST_F(SuperViewTest, FindAndRemoveViews) {
  CScriptedView* a = AddScripted(11);
  CScriptedView* b = AddScripted(12);
  CScriptedView* c = AddScripted(11);
  CScriptedView stranger(99, &m_trace);
  EXPECT_EQ(m_group.FindView(11), a) << "the first of two with the id";
  EXPECT_EQ(m_group.IndexOf(&stranger), -1);
  EXPECT_EQ(m_group.ViewAt(3), nullptr);

  std::unique_ptr<CKelvoView> removed;
  EXPECT_EQ(m_group.RemoveView(&stranger, removed), kStatusNoChild);
  EXPECT_EQ(m_group.RemoveView(b, removed), kStatusOk);
  EXPECT_EQ(removed.get(), b) << "the removed view is handed back, not deleted";
  EXPECT_EQ(m_group.Count(), 2u);
  EXPECT_EQ(m_group.IndexOf(c), 1);
}

TEST_F(SuperViewTest, SetStateAndNotifyMapsStatesToCodes) {
  struct {
    std::uint32_t state;
    std::vector<Change> sent;
  } const steps[] = {
      {kStateShown, {}},
      {kStateHidden, {{kGroup, kControlHide}}},
      {kStateHidden, {}},
      {kStateDisabled, {{kGroup, kControlShowDisabled}}},
      {kStateUnknown, {}},
      {kStateShown, {{kGroup, kControlShow}}},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(m_group.SetStateAndNotify(step.state), kStatusOk);
    EXPECT_EQ(m_group.GetState(), step.state);
    EXPECT_EQ(TakeChanges(), step.sent) << "state " << step.state;
  }
}

}  // namespace
