#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/controls/ZafNotebook.h"

namespace {

class ZafNotebookTest : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    m_main = Load("TestMain");
    m_notebook = m_main->FindAs<ZafNotebook>("TabsWindow");
  }
  std::vector<std::string> Pages() const {
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < m_notebook->PageCount(); ++i) ids.push_back(m_notebook->Page(i)->StringID());
    return ids;
  }
  std::unique_ptr<ZafWindow> m_main;
  ZafNotebook* m_notebook = nullptr;
};

TEST_F(ZafNotebookTest, RemovedPagesComeBackToTheirOwnPlaceInAnyOrder) {
  auto* stylus = m_main->FindAs<ZafWindow>("StylusTab");
  auto* puck = m_main->FindAs<ZafWindow>("PuckTab");
  auto* tablet = m_main->FindAs<ZafWindow>("TabletTab");
  auto puckPage = m_notebook->RemovePage(*puck);
  auto stylusPage = m_notebook->RemovePage(*stylus);
  EXPECT_EQ(Pages(), std::vector<std::string>{"TabletTab"});
  EXPECT_EQ(m_main->Find("TipFeelSlider"), nullptr);  // a removed page is out of the tree
  EXPECT_EQ(m_notebook->RemovePage(*stylus), nullptr);  // not a page any more

  m_notebook->RestorePage(std::move(puckPage));
  EXPECT_EQ(Pages(), (std::vector<std::string>{"PuckTab", "TabletTab"}));
  m_notebook->RestorePage(std::move(stylusPage));
  EXPECT_EQ(Pages(), (std::vector<std::string>{"StylusTab", "PuckTab", "TabletTab"}));
  EXPECT_NE(m_main->Find("TipFeelSlider"), nullptr);
  EXPECT_EQ(m_notebook->CurrentPage(), tablet);  // putting pages back keeps the current one
}

TEST_F(ZafNotebookTest, RemovingTheCurrentPageMakesAnotherCurrent) {
  m_notebook->SetCurrentPage(2);
  auto last = m_notebook->RemovePage(*m_notebook->Page(2));
  EXPECT_EQ(m_notebook->CurrentPage()->StringID(), "PuckTab");
  m_notebook->SetCurrentPage(0);
  auto first = m_notebook->RemovePage(*m_notebook->Page(0));
  EXPECT_EQ(m_notebook->CurrentPage()->StringID(), "PuckTab");
  auto middle = m_notebook->RemovePage(*m_notebook->Page(0));
  EXPECT_EQ(m_notebook->CurrentIndex(), -1);
  m_notebook->RestorePage(std::move(last));
  EXPECT_EQ(m_notebook->CurrentPage()->StringID(), "TabletTab");
}

TEST_F(ZafNotebookTest, ADisabledTabCannotBeChosenAndFocusLeavesARemovedPage) {
  auto* puck = m_main->FindAs<ZafWindow>("PuckTab");
  m_notebook->SetTabDisabled(*puck, true);
  EXPECT_EQ(m_notebook->UserSelectPage(1), 0);
  EXPECT_EQ(m_notebook->CurrentIndex(), 0);
  m_notebook->SetTabDisabled(*puck, false);
  m_notebook->UserSelectPage(1);
  EXPECT_EQ(m_notebook->CurrentPage(), puck);

  m_main->Find("WFLinesValue")->SetFocus();
  EXPECT_TRUE(m_main->Find("WFLinesValue")->HasFocus());
  auto removed = m_notebook->RemovePage(*puck);
  EXPECT_EQ(m_main->FocusObject(), nullptr);
}

}  // namespace
