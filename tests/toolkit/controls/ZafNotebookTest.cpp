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
  std::unique_ptr<ZafWindow> Remove(const char* page) {
    return m_notebook->RemovePage(*m_main->FindAs<ZafWindow>(page));
  }
  std::vector<std::string> Pages() const {
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < m_notebook->PageCount(); ++i) {
      ids.push_back(m_notebook->Page(i)->StringID());
    }
    return ids;
  }
  std::unique_ptr<ZafWindow> m_main;
  ZafNotebook* m_notebook = nullptr;
};

TEST_F(ZafNotebookTest, RemovedPagesComeBackToTheirOwnPlaceInAnyOrder) {
  m_notebook->SetCurrentPage(2);
  auto puck = Remove("PuckTab");
  auto stylus = Remove("StylusTab");
  EXPECT_EQ(Pages(), std::vector<std::string>{"TabletTab"});
  EXPECT_EQ(m_main->Find("TipFeelSlider"), nullptr);  // a removed page is out of the tree
  m_notebook->RestorePage(std::move(puck));
  m_notebook->RestorePage(std::move(stylus));
  EXPECT_EQ(Pages(), (std::vector<std::string>{"StylusTab", "PuckTab", "TabletTab"}));
  EXPECT_NE(m_main->Find("TipFeelSlider"), nullptr);
  EXPECT_EQ(m_notebook->CurrentIndex(), 2);  // putting pages back keeps the current one
}

// Another page becomes current, a disabled tab cannot be chosen, and the
// focus leaves a page that goes.
TEST_F(ZafNotebookTest, RemovingOrDisablingPagesLeavesAPageTheUserCanHave) {
  m_notebook->SetCurrentPage(2);
  auto last = Remove("TabletTab");
  EXPECT_EQ(m_notebook->CurrentPage()->StringID(), "PuckTab");
  m_notebook->SetTabDisabled(*m_notebook->Page(0), true);
  EXPECT_EQ(m_notebook->UserSelectPage(0), 0);
  EXPECT_EQ(m_notebook->CurrentIndex(), 1);
  m_main->Find("WFLinesValue")->SetFocus();
  auto middle = Remove("PuckTab");
  EXPECT_EQ(m_main->FocusObject(), nullptr);
  auto first = Remove("StylusTab");
  EXPECT_EQ(m_notebook->CurrentIndex(), -1);
  m_notebook->RestorePage(std::move(last));
  EXPECT_EQ(m_notebook->CurrentPage()->StringID(), "TabletTab");
}

}  // namespace
