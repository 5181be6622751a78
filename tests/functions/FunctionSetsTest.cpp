// Function sets of the wireless profile (three applications, the second and
// third with settings of their own): what reloading, removing and popup
// entries send to the service, and what the service then holds.
#include <filesystem>
#include <string>

#include "functions/AppletModelFixture.h"
#include "service/CProfileReader.h"

namespace {

constexpr std::uint32_t kPaint = 294;

class CFunctionSetsTest : public CAppletModelFixture {
 protected:
  void SetUp() override {
    StProfile profile;
    std::string error;
    ASSERT_TRUE(CProfileReader::ReadFile(
        std::filesystem::path(KELVO_SOURCE_DIR) / "service/profiles/wireless.json", profile, error))
        << error;
    ASSERT_EQ(Connect(profile), kStatusOk);
    ASSERT_EQ(Tablet(0).GetSubGroupCount(kSubGroupMain), 3);
    m_functions = &Child(Tablet(0), 0);
  }

  std::uint16_t SetsInService() { return InService<std::uint16_t>({{2}, {28, 9, 4}, {7}}); }

  CDataGrouping* m_functions = nullptr;
};

TEST_F(CFunctionSetsTest, ReloadingAnUnchangedCountSendsOneRequestAndKeepsTheSets) {
  ASSERT_EQ(m_functions->GetSubGroupCount(kSubGroupMain), 3);
  CDataGrouping* paint = &Child(*m_functions, 1);
  ASSERT_EQ(SetValue(Child(Child(*paint, 2), 0), 175, std::uint32_t{9}), kStatusOk);
  m_driver->ClearRequests();
  EXPECT_EQ(m_functions->GetSubGroupCount(kSubGroupMain), 3);
  EXPECT_EQ(m_driver->GetRequests().size(), 1U);
  EXPECT_EQ(Value<std::uint32_t>(Child(Child(*paint, 2), 0), 175), 9U)
      << "a pending value survives";
}

// Set 0 (the one for all applications) and other kinds of children are never removed.
TEST_F(CFunctionSetsTest, RemovingASetRemovesTheChildrenItMadeAndReloads) {
  CDataGrouping& paint = Child(*m_functions, 1);
  for (const std::int32_t child : {0, 1, 2})
    DropStatus(Child(paint, child).ApplyItems(), "only made here");
  m_driver->ClearRequests();
  EXPECT_EQ(m_functions->RemoveSubGroup(0, kSubGroupMain), kStatusNoItem);
  EXPECT_EQ(m_functions->RemoveSubGroup(1, kSubGroupTabletControl), kStatusNoItem);
  EXPECT_TRUE(m_driver->GetRequests().empty());
  ASSERT_EQ(m_functions->RemoveSubGroup(1, kSubGroupMain), kStatusOk);
  // The buttons area, the tablet menu (the same entry) and the popup menu.
  EXPECT_EQ(m_driver->LastLevels(kCommandRemove),
            (std::vector<StObjectKey>{{1, 158, kPaint}, {1, 158, kPaint}, {1, 157, kPaint}}));
  EXPECT_EQ(SetsInService(), 2);
  ASSERT_EQ(m_functions->GetSubGroupCount(kSubGroupMain), 2);
  EXPECT_EQ(Value<std::uint32_t>(Child(*m_functions, 1), 41), 512U)
      << "the next application moved up";
}

// Only the buttons area was made: its removal takes the tablet menu's entry
// too, so no menu can be made afterwards; the popup stays.
TEST_F(CFunctionSetsTest, RemovingASetRemovesOnlyTheChildrenItMade) {
  CDataGrouping& paint = Child(*m_functions, 1);
  DropStatus(Child(paint, 2).ApplyItems(), "only made here");
  m_driver->ClearRequests();
  ASSERT_EQ(paint.Remove(), kStatusOk);
  EXPECT_EQ(m_driver->CountRequests(kCommandRemove), 1U);
  EXPECT_EQ(paint.GetSubGroup(0, kSubGroupMain), nullptr);
  EXPECT_NE(paint.GetSubGroup(1, kSubGroupMain), nullptr);
  EXPECT_EQ(SetsInService(), 3) << "the set stays while its popup is there";
}

TEST_F(CFunctionSetsTest, PopupEntriesAreCreatedCountedAndDroppedWhenMarked) {
  CDataGrouping& popup = Child(Child(*m_functions, 1), 1);
  ASSERT_EQ(popup.GetSubGroupCount(kSubGroupMain), 3);
  const std::initializer_list<StLevel> count{{2}, {7, kPaint, 1}, {146}};

  EXPECT_EQ(popup.GetSubGroup(5, kSubGroupMain), nullptr) << "only the next entry is made";
  CDataGrouping& added = Child(popup, 3);
  EXPECT_EQ(InService<std::uint16_t>(count), 4);
  EXPECT_EQ(added.GetKey().LastLevel(), (StObjectKey{0, 8, 3}));

  // Marked for deletion, the trailing entry leaves the list and the driver.
  ASSERT_EQ(SetValue(added, 73, std::uint32_t{6}), kStatusOk);
  ASSERT_EQ(popup.ApplyItems(), kStatusOk);
  m_driver->ClearRequests();
  EXPECT_EQ(popup.GetSubGroupCount(kSubGroupMain), 3);
  EXPECT_EQ(m_driver->LastLevels(kCommandRemove), (std::vector<StObjectKey>{{0, 159, 3}}));
  EXPECT_EQ(InService<std::uint16_t>(count), 3);

  // Entries before an unmarked one stay, marked or not.
  ASSERT_EQ(SetValue(Child(popup, 1), 73, std::uint32_t{6}), kStatusOk);
  ASSERT_EQ(popup.ApplyItems(), kStatusOk);
  EXPECT_EQ(popup.GetSubGroupCount(kSubGroupMain), 3);
}

TEST_F(CFunctionSetsTest, ItemsOfTheApplicationComeFromIt) {
  EXPECT_STREQ((Value<std::array<char, 64>>(Child(*m_functions, 1), 42).data()), "Paint");
  CDriverData* item = nullptr;
  // A set whose application has gone lends out nothing.
  CDataGrouping& orphan = Child(*m_functions, 2);
  ASSERT_EQ(CDataKey().AppendLevel(18).AppendLevel(142, 2).Request(kCommandRemove, 0, nullptr),
            kStatusOk);
  EXPECT_EQ(orphan.GetItem(43, item), kStatusOutOfMemory);
}

}  // namespace
