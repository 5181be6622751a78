// Tablets, tool groups and tools against a recording driver laid out per test.
#include <gtest/gtest.h>

#include "model/CMetaTransducer.h"
#include "model/CModelRemovalListener.h"
#include "model/CPuck.h"
#include "model/CStylus.h"
#include "model/CTabletObject.h"
#include "model/ModelCodes.h"
#include "model/ModelTestSupport.h"

namespace {

struct StTool {
  std::uint16_t type;
  std::uint32_t serial;
};

// Notes each object it is told of, by the last level of its key, in the
// factory's journal, so the order against the parts' deletions shows.
class CRemovalJournal : public CModelRemovalListener {
 public:
  explicit CRemovalJournal(std::vector<std::string>& journal) : m_journal(journal) {}
  void ModelObjectRemoving(const CDataGrouping& leaving) override {
    const StObjectKey last = leaving.GetKey().LastLevel();
    m_journal.push_back("removing " + std::to_string(last.code) + "," + std::to_string(last.index));
  }

 private:
  std::vector<std::string>& m_journal;
};

class CTabletObjectTest : public CRecordingModelTest {
 protected:
  void SetUp() override {
    CRecordingModelTest::SetUp();
    CDataKey key;
    key.AppendLevel(kCodeTablet, 0);
    ASSERT_EQ(m_tablet.SetKey(key), kStatusOk);
  }

  void SetTools(const std::vector<StTool>& tools) {
    const auto count = static_cast<std::uint16_t>(tools.size());
    m_driver->SetValue(MakePath({{2}, {251, 4}}), Bytes(count));
    m_driver->SetValue(MakePath({{2}, {28, 4}}), Bytes(count));
    for (std::uint32_t n = 0; n < count; ++n) {
      m_driver->SetValue(MakePath({{2}, {4, n}, {115}}), Bytes(tools[n].type));
      m_driver->SetValue(MakePath({{2}, {4, n}, {38}}), Bytes(tools[n].serial));
      m_driver->SetValue(MakePath({{2}, {4, n}, {172}}), Bytes(std::uint8_t{1}));
      m_driver->SetValue(MakePath({{2}, {4, n}, {116}}), Bytes(std::uint32_t{10 + n}));
      m_driver->SetValue(MakePath({{2}, {4, n}, {37}}), Bytes(std::uint16_t{3}));
      m_driver->SetValue(MakePath({{2}, {4, n}, {71}}), Bytes(std::uint8_t{3}));
    }
  }
  CMetaTransducer& Group(std::int32_t position) {
    return *static_cast<CMetaTransducer*>(m_tablet.GetSubGroup(position, kSubGroupMain));
  }
  std::vector<std::string>& Journal() { return m_context.factory.journal; }
  static std::string What(CDataGrouping* part) {
    return part != nullptr ? static_cast<CPartGrouping*>(part)->What() : "none";
  }

  CTestModelContext m_context;
  CTabletObject m_tablet{m_context};
};

// Tools of one type and serial form one group; a position names the group at
// it in the driver's list as it is now, position 0 being the function object.
TEST_F(CTabletObjectTest, ToolsOfOneTypeAndSerialFormOneGroup) {
  SetTools({{2, 0x1234}, {2, 0x1234}, {2, 0x9999}, {3, 0x1234}});
  ASSERT_NE(m_tablet.GetSubGroup(3, kSubGroupMain), nullptr) << "no count needed first";
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 4);
  EXPECT_EQ(Group(1).GetSubGroupCount(kSubGroupMain), 2);
  EXPECT_TRUE(Group(1).GetSubGroup(1, kSubGroupMain)->GetKey().LastLevel() ==
              (StObjectKey{0, 4, 1}));
  EXPECT_NE(dynamic_cast<CPuck*>(Group(3).GetSubGroup(0, kSubGroupMain)), nullptr);
  EXPECT_TRUE(m_tablet.GetSubGroup(0, kSubGroupMain)->GetKey() == m_tablet.GetKey());

  m_driver->SetValue(MakePath({{2}, {4, 3}, {172}}), Bytes(std::uint8_t{0}));
  EXPECT_EQ(m_tablet.GetSubGroup(3, kSubGroupMain), nullptr) << "the puck left the driver";
}

TEST_F(CTabletObjectTest, RefreshStopsAtAFailedCountOrAnUnknownTypeCode) {
  EXPECT_EQ(m_tablet.RefreshToolGroups(), kStatusNotFound);
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 1);

  SetTools({{2, 1}, {9, 2}, {2, 3}});
  EXPECT_EQ(m_tablet.RefreshToolGroups(), kStatusOutOfMemory);
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 2) << "the tool before it stays";
}

// A removed tool (never the first of its group alone) leaves at the next
// count: whoever points into the model hears of it before its mapping goes,
// and the group's first tool has its mapping written again. A whole group
// goes with its tool, and neither is made again.
TEST_F(CTabletObjectTest, RemovedToolsAreToldAndLeaveAtTheNextCount) {
  SetTools({{2, 7}, {2, 7}, {4, 8}});
  CRemovalJournal listener(Journal());
  m_context.SetRemovalListener(&listener);
  ASSERT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 3);
  for (const std::int32_t tool : {0, 1})
    ASSERT_NE(Group(1).GetSubGroup(tool, kSubGroupMain)->GetSubGroup(0, kSubGroupMapping), nullptr);
  EXPECT_EQ(Group(1).RemoveSubGroup(0, kSubGroupMain), kStatusNoItem);
  EXPECT_EQ(Group(1).RemoveSubGroup(5, kSubGroupMain), kStatusNoItem);
  EXPECT_EQ(Group(1).RemoveSubGroup(1, kSubGroupMain), kStatusOk);
  EXPECT_EQ(m_driver->FindValue(MakePath({{2}, {4, 1}, {172}}))->at(0), 0);
  Journal().clear();
  EXPECT_EQ(Group(1).GetSubGroupCount(kSubGroupMain), 1);
  EXPECT_EQ(Group(1).GetTransducersRemoved(), 1);
  EXPECT_EQ(Journal(),
            (std::vector<std::string>{"removing 4,1", "mapping 11,7,3 remove",
                                      "mapping 11,7,3 delete", "mapping 10,7,3 rewrite"}));

  Journal().clear();
  EXPECT_EQ(m_tablet.RemoveSubGroup(0, kSubGroupMain), kStatusNoItem);
  EXPECT_EQ(m_tablet.RemoveSubGroup(2, kSubGroupMain), kStatusOk);
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 2);
  m_context.SetRemovalListener(nullptr);
  EXPECT_EQ(Journal(), (std::vector<std::string>{"removing 4,2", "removing 4,2"}))
      << "the tool, then its group";
  EXPECT_EQ(m_tablet.GetToolsRemoved(), 1);
  EXPECT_EQ(m_tablet.GetToolGroupCount(), 1U);
}

// Buttons by number as the tool's class has them; mappings only at the end of
// the list, and a reset of a tool without one makes mapping 0 first.
TEST_F(CTabletObjectTest, ToolPartsByNumberFollowTheToolsClass) {
  SetTools({{2, 7}, {3, 8}});
  ASSERT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 3);
  CDataGrouping& stylus = *Group(1).GetSubGroup(0, kSubGroupMain);
  CDataGrouping& puck = *Group(2).GetSubGroup(0, kSubGroupMain);
  EXPECT_EQ(stylus.GetSubGroup(5, kSubGroupMain), nullptr);
  CDataGrouping* button = puck.GetSubGroup(5, kSubGroupMain);
  EXPECT_EQ(What(button), "button");
  EXPECT_TRUE(button->GetKey().LastLevel() == (StObjectKey{0, 11, 5}));
  EXPECT_EQ(puck.GetSubGroup(5, kSubGroupMain), button);
  EXPECT_EQ(What(stylus.GetSubGroup(1, kSubGroupMain)), "pressure");
  EXPECT_EQ(What(puck.GetSubGroup(16, kSubGroupMain)), "roller");
  EXPECT_EQ(stylus.GetSubGroupCount(kSubGroupMain), 3) << "the driver's button count";
  m_driver->FailWith(kCommandGet, MakePath({{2}, {4, 1}, {71}}), kStatusNotFound);
  EXPECT_EQ(puck.GetSubGroupCount(kSubGroupMain), kStatusNotFound);

  EXPECT_EQ(stylus.GetSubGroup(1, kSubGroupMapping), nullptr);
  EXPECT_EQ(What(stylus.GetSubGroup(0, kSubGroupMapping)), "mapping 10,7,3");
  CStylus other(m_context);
  ASSERT_EQ(other.SetKey(stylus.GetKey()), kStatusOk);
  EXPECT_EQ(other.DefaultItems(), kStatusOk);
  EXPECT_EQ(other.GetSubGroupCount(kSubGroupMapping), 1);
  EXPECT_EQ(Journal().back(), "mapping 10,7,3 default");
}

}  // namespace
