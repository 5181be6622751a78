// A tick of the refresh timer on each tab reads every value a control is
// bound to exactly once, and reads nothing else but the tablet and tool lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "CTabsFixture.h"
#include "host/upperview/CUpperView.h"
#include "model/CDriverLink.h"
#include "model/CDriverObject.h"
#include "model/ModelCodes.h"
#include "service/CPathText.h"
#include "settings/CDriverData.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"

namespace {

class RefreshReadsTest : public CTabsFixture {
 protected:
  CRecordingDriverInterface& Driver() { return *static_cast<CRecordingDriverInterface*>(GetDriverInterface()); }
  // The requests sent while `act` runs.
  template <typename Act>
  std::vector<StRecordedRequest> Sent(Act act) {
    Driver().ClearRequests();
    act();
    return Driver().GetRequests();
  }
};

TEST_F(RefreshReadsTest, EachBoundValueIsReadOnceATick) {
  struct Case {
    const char* profile;
    const char* tab;
    std::size_t bound;  // views bound on that tab and around it
  };
  const Case cases[] = {{"default", "StylusTab", 15}, {"default", "PuckTab", 14},
                        {"pen-display", "StylusTab", 13}, {"model-230", "TabletTab", 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.profile) + " " + c.tab);
    CloseWindow();
    ASSERT_NO_FATAL_FAILURE(OpenProfile(c.profile));
    SelectTab(c.tab);
    Tick();

    const auto tick = Sent([&] { Tick(); });

    CUpperView* upper = CUpperView::Instance();
    const std::size_t lists = Sent([&] {
                                (void)GetDriverObject()->GetSubGroupCount(kSubGroupMain);
                                (void)upper->GetTablet()->GetSubGroupCount(kSubGroupMain);
                              }).size();

    const std::vector<CItemView*> bound = BoundViews();
    EXPECT_EQ(bound.size(), c.bound);
    // What each bound item reads when it alone is refreshed.
    std::size_t itemReads = 0;
    for (CItemView* view : bound) {
      bool changed = false;
      const std::size_t reads =
          Sent([&] { DropStatus(view->GetItem()->Refresh(changed, view), "the count is what matters"); }).size();
      EXPECT_GE(reads, 1U) << view->GetControlId();
      itemReads += reads;
    }

    EXPECT_EQ(tick.size(), itemReads + lists);
    std::vector<std::string> paths;
    for (const auto& request : tick) {
      EXPECT_EQ(request.command, kCommandGet) << CPathText::Format(request.levels);
      paths.push_back(CPathText::Format(request.levels));
    }
    std::sort(paths.begin(), paths.end());
    const auto twice = std::adjacent_find(paths.begin(), paths.end());
    EXPECT_TRUE(twice == paths.end()) << "read twice: " << (twice != paths.end() ? *twice : "");
  }
}

}  // namespace
