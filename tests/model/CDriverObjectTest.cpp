// The driver object against a recording driver laid out per test.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "model/CDriverObject.h"
#include "model/CStylus.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "model/ModelTestSupport.h"

namespace {

std::vector<std::uint8_t> Text(const std::string& text) {
  std::vector<std::uint8_t> bytes(256, 0);
  std::memcpy(bytes.data(), text.data(), text.size());
  return bytes;
}

class CDriverObjectTest : public CRecordingModelTest {
 protected:
  void SetUp() override {
    CRecordingModelTest::SetUp();
    m_driver->SetValue(MakePath({{219}}), {4, 8, 2, 2, 8});
    SetTablets(0, 0);
    SetApplications({});
  }

  void SetTablets(std::uint16_t inUse, std::uint16_t total) {
    m_driver->SetValue(MakePath({{251, 2}}), Bytes(inUse));
    m_driver->SetValue(MakePath({{28, 2}}), Bytes(total));
    for (std::uint32_t n = 0; n < total; ++n)
      m_driver->SetValue(MakePath({{2, n}, {172}}), Bytes(std::uint8_t{1}));
  }
  struct StApp {
    std::uint32_t id;
    std::string program;
  };
  void SetApplications(const std::vector<StApp>& applications) {
    const auto count = static_cast<std::uint16_t>(applications.size());
    m_driver->SetValue(MakePath({{18}, {251}}), Bytes(count));
    m_driver->SetValue(MakePath({{18}, {28}}), Bytes(count));
    for (std::uint32_t n = 0; n < count; ++n) {
      m_driver->SetValue(MakePath({{18}, {9, n}, {116}}), Bytes(applications[n].id));
      m_driver->SetValue(MakePath({{18}, {9, n}, {118}}), Text(applications[n].program));
      m_driver->SetValue(MakePath({{18}, {9, n}, {117}}), Text(""));
    }
  }
};

TEST_F(CDriverObjectTest, ConnectAnnouncesTheAppletAndRefusesAnotherVersion) {
  for (const auto& [version, expected] :
       {std::pair{VersionRecord{4, 8, 2, 2, 8}, kStatusOk},
        std::pair{VersionRecord{4, 8, 1, 2, 8}, kStatusVersionMismatch}}) {
    m_driver->SetValue(MakePath({{219}}),
                       std::vector<std::uint8_t>(version.begin(), version.end()));
    m_driver->ClearRequests();
    {
      CDriverObject driverObject;
      EXPECT_EQ(driverObject.SetKey(CDataKey()), expected);
      EXPECT_EQ(m_driver->FindValue(MakePath({{193}}))->at(0), 1);
      // Nothing else is read from a driver of another version.
      EXPECT_EQ(m_driver->CountRequests(kCommandGet, MakePath({{18}, {28}})),
                expected == kStatusOk ? 1U : 0U);
    }
    EXPECT_EQ(m_driver->FindValue(MakePath({{193}}))->at(0), 0) << "closing clears the open flag";
    EXPECT_EQ(m_driver->CountRequests(kCommandSet, MakePath({{244, 6}})), 2U);
  }
  m_driver->FailWith(kCommandSet, MakePath({{193}}), kStatusNotFound);
  CDriverObject refused;
  EXPECT_EQ(refused.SetKey(CDataKey()), kStatusNotFound);
}

// Tablets leave the list only when the driver has fewer in use and marks them
// gone, which it is told for a removed one; a flag read at one count says
// nothing about the next, and no tablet is made twice.
TEST_F(CDriverObjectTest, TabletsMarkedGoneLeaveAtTheNextCount) {
  SetTablets(2, 3);
  CDriverObject driverObject;
  ASSERT_EQ(driverObject.SetKey(CDataKey()), kStatusOk);
  ASSERT_EQ(driverObject.GetSubGroupCount(kSubGroupMain), 3) << "none is marked gone";
  const CDataGrouping* last = driverObject.GetSubGroup(2, kSubGroupMain);
  EXPECT_EQ(driverObject.RemoveSubGroup(0, kSubGroupApplication), kStatusNoItem);
  EXPECT_EQ(driverObject.RemoveSubGroup(3, kSubGroupMain), kStatusNoItem);
  EXPECT_EQ(driverObject.RemoveSubGroup(1, kSubGroupMain), kStatusOk);
  EXPECT_EQ(m_driver->FindValue(MakePath({{2, 1}, {172}}))->at(0), 0);
  ASSERT_EQ(driverObject.GetSubGroupCount(kSubGroupMain), 2);

  m_driver->SetValue(MakePath({{2, 0}, {172}}), Bytes(std::uint8_t{0}));
  m_driver->SetValue(MakePath({{251, 2}}), Bytes(std::uint16_t{1}));
  ASSERT_EQ(driverObject.GetSubGroupCount(kSubGroupMain), 1);
  EXPECT_EQ(driverObject.GetSubGroup(0, kSubGroupMain), last);
  EXPECT_EQ(driverObject.GetTabletsMade(), 3);
}

TEST_F(CDriverObjectTest, MadeIdentifierSkipsThoseOtherProgramsHold) {
  struct StCase {
    std::vector<StApp> held;
    std::string name;
    std::uint32_t expected;  // the sum of the name's (signed) characters, or the next free one
  };
  const StCase cases[] = {
      {{}, "abc", 294},
      {{{294, "x.exe"}, {295, "y.exe"}}, "abc", 296},
      {{{294, "abc"}}, "abc", 294},
      {{}, "\xE9", static_cast<std::uint32_t>(-23)},
      {{}, "", 0},
  };
  for (const StCase& c : cases) {
    SetApplications(c.held);
    CDriverObject driverObject;
    ASSERT_EQ(driverObject.SetKey(CDataKey()), kStatusOk);
    std::uint32_t id = 0;
    EXPECT_EQ(driverObject.MakeApplicationId(c.name, id), kStatusOk);
    EXPECT_EQ(id, c.expected) << c.name;
  }
}

TEST_F(CDriverObjectTest, CheckApplicationRemovesDuplicatesAndNamelessEntries) {
  SetApplications({{0, "paint.exe"}, {7, "draw.exe"}, {0, ""}, {8, "draw.exe"}});
  CDriverObject driverObject;
  ASSERT_EQ(driverObject.SetKey(CDataKey()), kStatusOk);

  std::int32_t position = 9;
  EXPECT_EQ(driverObject.CheckApplication(position), kStatusNoItem);

  // A unique program without identifier gets one and stays.
  position = 0;
  EXPECT_EQ(driverObject.CheckApplication(position), kStatusOk);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(*m_driver->FindValue(MakePath({{18}, {9, 0}, {116}})), Bytes(std::uint32_t{908}));
  EXPECT_EQ(m_driver->CountRequests(kCommandRemove, MakePath({{18}, {142, 0}})), 0U);

  // A second entry for a program goes; the position names the first.
  position = 3;
  EXPECT_EQ(driverObject.CheckApplication(position), kStatusOk);
  EXPECT_EQ(position, 1);
  EXPECT_EQ(m_driver->CountRequests(kCommandRemove, MakePath({{18}, {142, 3}})), 1U);

  // A nameless entry goes with no other to point at.
  position = 2;
  EXPECT_EQ(driverObject.CheckApplication(position), kStatusOk);
  EXPECT_EQ(position, -1);
  EXPECT_EQ(m_driver->CountRequests(kCommandRemove, MakePath({{18}, {142, 2}})), 1U);
}

TEST_F(CDriverObjectTest, ToolItemsOfAnApplicationComeFromThatApplication) {
  SetApplications({{0, "any"}, {5, "paint.exe"}});
  SetTablets(1, 1);
  m_driver->SetValue(MakePath({{2, 0}, {4, 0}, {116}}), Bytes(std::uint32_t{5}));
  CDriverObject driverObject;
  ASSERT_EQ(driverObject.SetKey(CDataKey()), kStatusOk);
  CStylus stylus(driverObject);
  CDataKey key;
  key.AppendLevel(2, 0).AppendLevel(4, 0);
  ASSERT_EQ(stylus.SetKey(key), kStatusOk);
  std::string program;
  EXPECT_EQ(ReadItemText(stylus, kItemProgramName, program), kStatusOk);
  EXPECT_EQ(program, "paint.exe");
  CDriverData* fromTool = nullptr;
  CDriverData* fromApplication = nullptr;
  ASSERT_EQ(stylus.GetItem(41, fromTool), kStatusOk);
  ASSERT_EQ(driverObject.GetSubGroup(1, kSubGroupApplication)->GetItem(41, fromApplication),
            kStatusOk);
  EXPECT_EQ(fromTool, fromApplication);

  m_driver->SetValue(MakePath({{2, 0}, {4, 1}, {116}}), Bytes(std::uint32_t{6}));
  CStylus orphan(driverObject);
  ASSERT_EQ(orphan.SetKey(CDataKey(key).RemoveLastLevel().AppendLevel(4, 1)), kStatusOk);
  CDriverData* none = nullptr;
  EXPECT_EQ(orphan.GetItem(42, none), kStatusOutOfMemory);
}

}  // namespace
