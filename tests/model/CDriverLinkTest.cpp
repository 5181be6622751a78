// The driver link start and stop end to end against the tablet service in
// process, and the whole object model built, walked and torn down for every
// profile the service has.
#include "model/CDriverLink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/CDriverObject.h"
#include "model/CMetaTransducer.h"
#include "model/CTransducer.h"
#include "model/DriverVersion.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "model/ModelTestSupport.h"
#include "service/CTabletService.h"
#include "support/CScopedEnv.h"
#include "support/CRecordingDriverInterface.h"

namespace {

// Notes what the link does with the upper view.
class CTestUpperView : public CLinkedView {
 public:
  explicit CTestUpperView(std::vector<std::string>& journal) : m_journal(journal) {}
  ~CTestUpperView() override { m_journal.push_back("view delete"); }
  Status Attach(CDriverObject& driverObject, std::int32_t index) override {
    m_journal.push_back("attach " + std::to_string(index));
    m_attached = &driverObject;
    return kStatusOk;
  }
  void Detach() override {
    // The model must still be there to let go of.
    m_journal.push_back(GetDriverObject() == m_attached ? "detach" : "detach too late");
  }
  void ShowNoTablet() override { m_journal.push_back("no tablet"); }

 private:
  std::vector<std::string>& m_journal;
  CDriverObject* m_attached = nullptr;
};

class CDriverLinkTest : public ::testing::Test {
 protected:
  void TearDown() override { StopDriverLink(); }

  Status Start(std::unique_ptr<CTabletService> service) {
    if (service) InstallDriverInterface(std::make_unique<CRecordingDriverInterface>(std::move(service)));
    StDriverLinkStart start;
    start.makeUpperView = [this] { return std::make_unique<CTestUpperView>(m_journal); };
    start.makeModelFactory = [] { return std::make_unique<CPartFactory>(); };
    return StartDriverLink(start);
  }

  std::vector<std::string> m_journal;
};

TEST_F(CDriverLinkTest, DriverOfAnotherVersionStopsBeforeTheView) {
  StProfile profile = MakeDefaultProfile();
  profile.driverVersion = {4, 8, 1, 2, 8};
  EXPECT_EQ(Start(std::make_unique<CTabletService>(profile)), kStatusVersionMismatch);
  EXPECT_EQ(GetUpperView(), nullptr);
  EXPECT_TRUE(m_journal.empty());
}

TEST_F(CDriverLinkTest, NoTabletTellsTheView) {
  StProfile profile = MakeDefaultProfile();
  profile.tablets.clear();
  EXPECT_EQ(Start(std::make_unique<CTabletService>(profile)), kStatusNoTablet);
  const std::vector<std::string> told{"attach -1", "no tablet"};
  EXPECT_EQ(m_journal, told);
}

TEST_F(CDriverLinkTest, NoDriverInterface) {
  ReleaseDriverInterface();
  CScopedEnv library("KELVO_WINTAB_LIBRARY", std::string("/nonexistent/libwintab32.so"));
  EXPECT_EQ(Start(nullptr), kStatusNoDriverInterface);
  EXPECT_TRUE(m_journal.empty());
}

TEST_F(CDriverLinkTest, NoUpperViewIsOutOfMemory) {
  InstallDriverInterface(std::make_unique<CRecordingDriverInterface>(std::make_unique<CTabletService>()));
  StDriverLinkStart start;
  EXPECT_EQ(StartDriverLink(start), kStatusOutOfMemory);
}

// Visits everything the model offers and counts what it found.
struct StWalk {
  std::size_t tablets = 0;
  std::size_t groups = 0;
  std::size_t tools = 0;
  std::size_t buttons = 0;
  std::size_t items = 0;
};

void WalkItems(CDataGrouping& grouping, std::initializer_list<ItemId> ids, StWalk& walk) {
  for (const ItemId id : ids) {
    CDriverData* item = nullptr;
    if (grouping.GetItem(id, item) != kStatusOk || item == nullptr) continue;
    std::vector<std::byte> value(item->GetSize());
    if (item->Get(value.data()) == kStatusOk) ++walk.items;
  }
}

StWalk WalkModel(CDriverObject& driverObject) {
  StWalk walk;
  WalkItems(driverObject, {1, 2, 3, 5, 6, 10, 12}, walk);
  for (std::int32_t a = 0; a < driverObject.GetSubGroupCount(kSubGroupApplication); ++a)
    WalkItems(*driverObject.GetSubGroup(a, kSubGroupApplication), {41, 42, 43, 44}, walk);
  for (std::int32_t t = 0; t < driverObject.GetSubGroupCount(kSubGroupMain); ++t) {
    CDataGrouping& tablet = *driverObject.GetSubGroup(t, kSubGroupMain);
    ++walk.tablets;
    WalkItems(tablet, {12, 14, 17, 18, 19, 23, 30, 31, 34, 29, 28}, walk);
    const std::int32_t positions = tablet.GetSubGroupCount(kSubGroupMain);
    for (std::int32_t g = 1; g < positions; ++g) {
      auto& group = static_cast<CMetaTransducer&>(*tablet.GetSubGroup(g, kSubGroupMain));
      ++walk.groups;
      WalkItems(group, {12, 45, 46, 48, 49}, walk);
      for (std::int32_t n = 0; n < group.GetSubGroupCount(kSubGroupMain); ++n) {
        auto& tool = static_cast<CTransducer&>(*group.GetSubGroup(n, kSubGroupMain));
        ++walk.tools;
        WalkItems(tool, {18, 41, 45, 46, 48, 49, 50, 55, 58, 81, 85}, walk);
        for (std::int32_t b = 0; b <= 32; ++b)
          walk.buttons += tool.GetSubGroup(b, kSubGroupMain) != nullptr ? 1U : 0U;
        EXPECT_NE(tool.GetSubGroup(0, kSubGroupMapping), nullptr);
      }
    }
    (void)tablet.GetSubGroup(0, kSubGroupTabletControl);
    (void)tablet.GetSubGroup(1, kSubGroupTabletControl);
  }
  (void)driverObject.ApplyItems();
  return walk;
}

TEST_F(CDriverLinkTest, FittingDriverBuildsAttachesAndTearsDownTheModel) {
  ASSERT_EQ(Start(std::make_unique<CTabletService>()), kStatusOk);
  ASSERT_NE(GetDriverObject(), nullptr);
  EXPECT_EQ(m_journal, std::vector<std::string>{"attach -1"});
  const StWalk walk = WalkModel(*GetDriverObject());
  EXPECT_EQ(walk.tablets, 1U);
  EXPECT_EQ(walk.groups, 2U) << "a pen and a puck";
  EXPECT_GE(walk.tools, 2U);
  // A pen's 1 to 4 and 32, a puck's every number but 16: the factory makes them all.
  EXPECT_GE(walk.buttons, 4U);
  EXPECT_GT(walk.items, 40U);
  CDataGrouping& pen = *GetDriverObject()->GetSubGroup(0, kSubGroupMain)->GetSubGroup(1, kSubGroupMain);
  std::uint32_t serial = 0;
  EXPECT_EQ(ReadItem(pen, kItemToolSerial, serial), kStatusOk);
  EXPECT_EQ(serial, 0x1234U);

  StopDriverLink();
  EXPECT_EQ(GetDriverObject(), nullptr);
  EXPECT_EQ(GetUpperView(), nullptr);
  const std::vector<std::string> order{"attach -1", "detach", "view delete"};
  EXPECT_EQ(m_journal, order);
}

TEST_F(CDriverLinkTest, EveryProfileOfTheServiceIsWalkedAndTornDown) {
  const std::filesystem::path folder = std::filesystem::path(KELVO_SOURCE_DIR) / "service" / "profiles";
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(folder)) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.path().extension() == ".json") files.push_back(entry.path());
  }
  const VersionRecord applet{4, 8, 2, 2, 8};
  for (const auto& file : files) {
    std::string error;
    std::unique_ptr<CTabletService> service = CTabletService::FromFiles(file, {}, error);
    ASSERT_TRUE(service) << file << ": " << error;
    const StProfile profile = service->Model().Profile();
    const Status expected = !VersionsFit(profile.driverVersion, applet) ? kStatusVersionMismatch
                            : profile.tablets.empty()                   ? kStatusNoTablet
                                                                        : kStatusOk;
    EXPECT_EQ(Start(std::move(service)), expected) << file;
    if (expected == kStatusOk) {
      const StWalk walk = WalkModel(*GetDriverObject());
      EXPECT_EQ(walk.tablets, profile.tablets.size()) << file;
    }
    StopDriverLink();
    EXPECT_EQ(GetDriverObject(), nullptr);
  }
}

}  // namespace
