// The root of the main window's views against the real tablet service.
#include <cstring>
#include <utility>

#include <gtest/gtest.h>

#include "CUpperViewFixture.h"

namespace {

using CUpperViewTest = CUpperViewFixture;

// It opens on the stylus with the help button, and a second Refresh with
// nothing changed asks the window for nothing.
TEST_F(CUpperViewTest, AttachChoosesTheTabletAndOpensOnTheStylus) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  ASSERT_NE(m_view->GetTablet(), nullptr);
  EXPECT_NE(m_view->GetFirstStylus(), nullptr);
  EXPECT_EQ(m_view->GetCurrentTool(), m_view->GetFirstStylus());
  EXPECT_EQ(m_view->GetCurrentTabView(), m_view->GetOwnedView(ControlId::kStylusView));
  EXPECT_TRUE(Saw(ControlId::kHelpButton, kControlShow));
  EXPECT_EQ(m_translator->GetListener(), m_view.get());
  Refresh();
  m_translator->Clear();
  Refresh();
  EXPECT_TRUE(m_translator->Changes().empty());
}

// An unaddressed model request is answered with the tablet's model; the
// tablet list names each entry by the model of the tablet it stands for.
TEST_F(CUpperViewTest, ModelRequestsAnswerTheTabletAskedFor) {
  ASSERT_NO_FATAL_FAILURE(StartAttached("two-tablets.json"));
  std::uint16_t current = 0;
  ViewRequest plain{kViewGet, ControlId::kTabletModel, &current};
  EXPECT_EQ(m_view->Dispatch(plain), kStatusHandled);
  EXPECT_EQ(current, 130);
  for (const auto& [key, model] : {std::pair{1U, 150}, std::pair{0U, 130}}) {
    char buffer[256] = {};
    StTabletModelQuery query;
    query.key = key;
    std::memcpy(buffer, &query, sizeof query);
    ViewRequest get{kViewGet, ControlId::kTabletModel, buffer};
    EXPECT_EQ(m_view->Dispatch(get), kStatusHandled);
    std::uint16_t answered = 0;
    std::memcpy(&answered, buffer, sizeof answered);
    EXPECT_EQ(answered, model) << "tablet " << key;
  }
  StTabletModelQuery nowhere;
  nowhere.key = 7;
  ViewRequest get{kViewGet, ControlId::kTabletModel, &nowhere};
  EXPECT_NE(m_view->Dispatch(get), kStatusHandled) << "no tablet has that key";
}

TEST_F(CUpperViewTest, RootStackTakesEveryRequest) {
  ASSERT_NO_FATAL_FAILURE(StartAttached());
  CItemView dialogItem(4242, 0);
  m_view->PushRoot(&dialogItem);
  std::uint32_t sound = 0;
  ViewRequest get{kViewGet, ControlId::kClickSound, &sound};
  EXPECT_EQ(m_view->Dispatch(get), kStatusOk) << "the click sound is not in the dialog";
  m_view->PopRoot();
  m_view->PopRoot();  // an empty stack stays empty
  EXPECT_EQ(m_view->RootCount(), 0U);
  EXPECT_EQ(m_view->Dispatch(get), kStatusHandled);
}

TEST_F(CUpperViewTest, PuckOnlyTabletHasNoStylusTab) {
  Start("puck-only.json");
  EXPECT_EQ(m_view->Attach(m_driverObject.get(), -1), kStatusUnknown);
  EXPECT_TRUE(Saw(ControlId::kStylusTab, kControlHide));
  EXPECT_EQ(m_view->GetFirstStylus(), nullptr);
  EXPECT_NE(m_view->GetFirstPuck(), nullptr);
}

}  // namespace
