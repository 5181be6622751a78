// Tablets, tool groups and tools against a recording driver laid out per test.
#include "model/CTabletObject.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/CMetaTransducer.h"
#include "model/CModelRemovalListener.h"
#include "model/CPuck.h"
#include "model/CStylus.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
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
  bool Noted(const std::string& event) {
    return std::find(Journal().begin(), Journal().end(), event) != Journal().end();
  }

  CTestModelContext m_context;
  CTabletObject m_tablet{m_context};
};

TEST_F(CTabletObjectTest, ToolNumbersOfOneTypeAndSerialFormOneGroup) {
  SetTools({{2, 0x1234}, {2, 0x1234}, {2, 0x9999}, {3, 0x1234}});
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 4);
  EXPECT_EQ(Group(1).GetSubGroupCount(kSubGroupMain), 2);
  EXPECT_EQ(Group(2).GetSubGroupCount(kSubGroupMain), 1);
  EXPECT_EQ(m_tablet.GetSubGroup(4, kSubGroupMain), nullptr);
  EXPECT_TRUE(Group(1).GetSubGroup(1, kSubGroupMain)->GetKey().LastLevel() == (StObjectKey{0, 4, 1}));
  EXPECT_NE(dynamic_cast<CPuck*>(Group(3).GetSubGroup(0, kSubGroupMain)), nullptr);

  // Position 0 is the function object, made once.
  CDataGrouping* functions = m_tablet.GetSubGroup(0, kSubGroupMain);
  ASSERT_NE(functions, nullptr);
  EXPECT_EQ(m_tablet.GetSubGroup(0, kSubGroupMain), functions);
  EXPECT_TRUE(functions->GetKey() == m_tablet.GetKey());

  // Asking again with the same counts makes nothing new.
  m_driver->ClearRequests();
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 4);
  EXPECT_EQ(m_driver->CountRequests(kCommandGet), 2U + 4U) << "two counts, one present flag per tool";
}

// A group is looked up by position in the list as the driver has it now,
// counted or not.
TEST_F(CTabletObjectTest, GroupByPositionRefreshesTheListFirst) {
  SetTools({{2, 7}, {4, 8}});
  CDataGrouping* first = m_tablet.GetSubGroup(1, kSubGroupMain);
  ASSERT_NE(first, nullptr) << "no group before any count";
  EXPECT_TRUE(first->GetKey().LastLevel() == (StObjectKey{0, 4, 0}));
  ASSERT_NE(m_tablet.GetSubGroup(2, kSubGroupMain), nullptr);

  m_driver->SetValue(MakePath({{2}, {4, 1}, {172}}), Bytes(std::uint8_t{0}));
  EXPECT_EQ(m_tablet.GetSubGroup(2, kSubGroupMain), nullptr) << "the puck left the driver";
  EXPECT_EQ(m_tablet.GetSubGroup(1, kSubGroupMain), first);
}

TEST_F(CTabletObjectTest, RefreshStopsAtAFailedCountOrAnUnknownTypeCode) {
  EXPECT_EQ(m_tablet.RefreshToolGroups(), kStatusNotFound);
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 1);

  SetTools({{2, 1}, {9, 2}, {2, 3}});
  EXPECT_EQ(m_tablet.RefreshToolGroups(), kStatusOutOfMemory);
  EXPECT_EQ(m_tablet.GetToolGroupCount(), 1U) << "the tool before it stays";
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 2);
}

TEST_F(CTabletObjectTest, RemovedToolsLeaveAtTheNextRefreshAndAreNotMadeAgain) {
  SetTools({{2, 7}, {2, 7}, {4, 8}});
  ASSERT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 3);
  CStylus& second = static_cast<CStylus&>(*Group(1).GetSubGroup(1, kSubGroupMain));
  CStylus& first = static_cast<CStylus&>(*Group(1).GetSubGroup(0, kSubGroupMain));
  ASSERT_NE(second.GetSubGroup(0, kSubGroupMapping), nullptr);
  ASSERT_NE(first.GetSubGroup(0, kSubGroupMapping), nullptr);

  EXPECT_EQ(Group(1).RemoveSubGroup(0, kSubGroupMain), kStatusNoItem) << "never the first alone";
  EXPECT_EQ(Group(1).RemoveSubGroup(5, kSubGroupMain), kStatusNoItem);
  EXPECT_EQ(Group(1).RemoveSubGroup(1, kSubGroupMain), kStatusOk);
  EXPECT_EQ(m_driver->FindValue(MakePath({{2}, {4, 1}, {172}}))->at(0), 0);
  m_driver->ClearRequests();
  EXPECT_EQ(Group(1).GetSubGroupCount(kSubGroupMain), 1);
  EXPECT_EQ(Group(1).GetTransducersRemoved(), 1);
  // The leaving tool's mapping is removed and deleted; then the first tool's
  // mapping is written again.
  const std::vector<std::string> tail(Journal().end() - 3, Journal().end());
  EXPECT_EQ(tail, (std::vector<std::string>{"mapping 11,7,3 remove", "mapping 11,7,3 delete",
                                            "mapping 10,7,3 rewrite"}));

  // Removing the whole second group through the tablet.
  EXPECT_EQ(m_tablet.RemoveSubGroup(0, kSubGroupMain), kStatusNoItem);
  EXPECT_EQ(m_tablet.RemoveSubGroup(2, kSubGroupMain), kStatusOk);
  EXPECT_EQ(m_tablet.GetToolsRemoved(), 1);
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 2);
  EXPECT_EQ(m_tablet.GetToolGroupCount(), 1U) << "tool 2 is not made again";
}

// Whoever points into the model hears of a tool and then its emptied group
// before either is deleted, and before the tool's mappings go.
TEST_F(CTabletObjectTest, RemovalIsToldBeforeToolAndGroupAreDeleted) {
  SetTools({{2, 7}, {4, 8}});
  CRemovalJournal listener(Journal());
  m_context.SetRemovalListener(&listener);
  ASSERT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 3);
  ASSERT_NE(Group(1).GetSubGroup(0, kSubGroupMain)->GetSubGroup(0, kSubGroupMapping), nullptr);
  m_driver->SetValue(MakePath({{2}, {4, 0}, {172}}), Bytes(std::uint8_t{0}));
  Journal().clear();

  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 2);
  m_context.SetRemovalListener(nullptr);
  const std::vector<std::string> told{"removing 4,0", "removing 4,0"};
  std::vector<std::string> removals;
  std::copy_if(Journal().begin(), Journal().end(), std::back_inserter(removals),
               [](const std::string& entry) { return entry.starts_with("removing"); });
  EXPECT_EQ(removals, told) << "the tool, then its group; the puck's group stays";
  ASSERT_FALSE(Journal().empty());
  EXPECT_EQ(Journal().front(), "removing 4,0") << "before its mapping is removed";
}

TEST_F(CTabletObjectTest, SelectedGroupFollowsTheDriversCurrentTool) {
  SetTools({{2, 7}, {4, 8}, {2, 7}});
  struct Case {
    std::uint16_t current;
    std::uint16_t expected;
  };
  for (const Case c : {Case{1, 2}, Case{2, 1}, Case{0, 1}, Case{40, 0}}) {
    CTabletObject tablet(m_context);
    ASSERT_EQ(tablet.SetKey(m_tablet.GetKey()), kStatusOk);
    m_driver->SetValue(MakePath({{2}, {203}}), Bytes(c.current));
    std::uint16_t selected = 0xFFFF;
    ASSERT_EQ(ReadItem(tablet, kItemSelected, selected), kStatusOk);
    EXPECT_EQ(selected, c.expected) << "current tool " << c.current;
    if (c.expected != 0) {
      std::uint16_t inGroup = 0xFFFF;
      ASSERT_EQ(ReadItem(*tablet.GetSubGroup(c.expected, kSubGroupMain), kItemSelected, inGroup), kStatusOk);
      EXPECT_EQ(inGroup, c.expected);
    }
  }
}

TEST_F(CTabletObjectTest, TabletControlsAreMadeOnceAndOnlyForTheirNumbers) {
  CDataGrouping* battery = m_tablet.GetSubGroup(0, kSubGroupTabletControl);
  ASSERT_NE(battery, nullptr);
  EXPECT_TRUE(battery->GetKey().LastLevel() == (StObjectKey{0, 3, 0}));
  CDataGrouping* joystick = m_tablet.GetSubGroup(1, kSubGroupTabletControl);
  ASSERT_NE(joystick, nullptr);
  EXPECT_TRUE(joystick->GetKey().LastLevel() == (StObjectKey{0, 6, 0}));
  EXPECT_EQ(m_tablet.GetSubGroup(2, kSubGroupTabletControl), nullptr);
  EXPECT_EQ(m_tablet.GetSubGroup(0, 7), nullptr);
  EXPECT_EQ(m_tablet.GetSubGroupCount(kSubGroupTabletControl), 2);
  EXPECT_EQ(m_tablet.GetSubGroup(0, kSubGroupTabletControl), battery);
  EXPECT_EQ(std::count(Journal().begin(), Journal().end(), "battery make"), 1);
}

TEST_F(CTabletObjectTest, ApplyReachesOnlyWhatWasMadeAndDefaultMakesTheRest) {
  SetTools({{2, 7}});
  ASSERT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 2);
  EXPECT_EQ(m_tablet.ApplyItems(), kStatusOk);
  EXPECT_FALSE(Noted("functions apply"));
  EXPECT_FALSE(Noted("battery make"));

  m_driver->SetDefault(MakePath({{2}, {185}}), Bytes(std::uint16_t{4}));
  m_driver->SetValue(MakePath({{2}, {185}}), Bytes(std::uint16_t{9}));
  (void)m_tablet.DefaultItems();
  EXPECT_EQ(*m_driver->FindValue(MakePath({{2}, {185}})), Bytes(std::uint16_t{4}));
  for (const char* event : {"functions default", "battery default", "joystick default"})
    EXPECT_TRUE(Noted(event)) << event;

  Journal().clear();
  EXPECT_EQ(m_tablet.ApplyItems(), kStatusOk);
  const std::vector<std::string> applied{"functions apply", "battery apply", "joystick apply"};
  EXPECT_EQ(Journal(), applied);
}

TEST_F(CTabletObjectTest, ButtonsByNumberFollowTheToolsClass) {
  SetTools({{2, 7}, {3, 8}});
  ASSERT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 3);
  CDataGrouping& stylus = *Group(1).GetSubGroup(0, kSubGroupMain);
  CDataGrouping& puck = *Group(2).GetSubGroup(0, kSubGroupMain);
  EXPECT_EQ(stylus.GetSubGroup(5, kSubGroupMain), nullptr);
  CDataGrouping* button = puck.GetSubGroup(5, kSubGroupMain);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(static_cast<CPartGrouping*>(button)->What(), "button");
  EXPECT_TRUE(button->GetKey().LastLevel() == (StObjectKey{0, 11, 5}));
  EXPECT_EQ(static_cast<CPartGrouping*>(stylus.GetSubGroup(1, kSubGroupMain))->What(), "pressure");
  EXPECT_EQ(static_cast<CPartGrouping*>(puck.GetSubGroup(16, kSubGroupMain))->What(), "roller");
  EXPECT_EQ(puck.GetSubGroup(5, kSubGroupMain), button);
  EXPECT_EQ(stylus.GetSubGroupCount(kSubGroupMain), 3) << "the driver's button count";

  m_driver->FailWith(kCommandGet, MakePath({{2}, {4, 1}, {71}}), kStatusNotFound);
  CPuck fresh(m_context);
  ASSERT_EQ(fresh.SetKey(puck.GetKey()), kStatusOk);
  EXPECT_EQ(fresh.GetSubGroupCount(kSubGroupMain), kStatusNotFound);
}

TEST_F(CTabletObjectTest, MappingsAreMadeOnlyAtTheEndOfTheList) {
  SetTools({{2, 7}});
  ASSERT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 2);
  CDataGrouping& stylus = *Group(1).GetSubGroup(0, kSubGroupMain);
  EXPECT_EQ(stylus.GetSubGroup(1, kSubGroupMapping), nullptr);
  CDataGrouping* mapping = stylus.GetSubGroup(0, kSubGroupMapping);
  ASSERT_NE(mapping, nullptr);
  EXPECT_EQ(static_cast<CPartGrouping*>(mapping)->What(), "mapping 10,7,3");
  EXPECT_EQ(stylus.GetSubGroup(0, kSubGroupMapping), mapping);
  EXPECT_EQ(stylus.GetSubGroupCount(kSubGroupMapping), 1);

  // Resetting a tool without mappings makes mapping 0 first.
  CStylus other(m_context);
  ASSERT_EQ(other.SetKey(stylus.GetKey()), kStatusOk);
  EXPECT_EQ(other.DefaultItems(), kStatusOk);
  EXPECT_EQ(other.GetSubGroupCount(kSubGroupMapping), 1);
  EXPECT_EQ(Journal().back(), "mapping 10,7,3 default");
}

TEST_F(CTabletObjectTest, DestructionDeletesFunctionsThenGroupsFromTheBackThenControls) {
  SetTools({{2, 7}, {3, 8}});
  {
    CTabletObject tablet(m_context);
    ASSERT_EQ(tablet.SetKey(m_tablet.GetKey()), kStatusOk);
    ASSERT_EQ(tablet.GetSubGroupCount(kSubGroupMain), 3);
    ASSERT_NE(tablet.GetSubGroup(1, kSubGroupTabletControl), nullptr);
    ASSERT_NE(tablet.GetSubGroup(0, kSubGroupMain), nullptr);
    // Each group's tool owns one mapping, so the order of groups shows.
    (void)tablet.GetSubGroup(1, kSubGroupMain)->GetSubGroup(0, kSubGroupMain)->GetSubGroup(0, kSubGroupMapping);
    (void)tablet.GetSubGroup(2, kSubGroupMain)->GetSubGroup(0, kSubGroupMain)->GetSubGroup(0, kSubGroupMapping);
    Journal().clear();
  }
  const std::vector<std::string> order{"functions delete", "mapping 11,8,3 delete",
                                       "mapping 10,7,3 delete", "joystick delete"};
  EXPECT_EQ(Journal(), order);
}

}  // namespace
