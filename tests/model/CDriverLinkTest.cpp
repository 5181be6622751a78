// The driver link start and stop end to end against the tablet service in
// process.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/CDriverLink.h"
#include "model/CDriverObject.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "model/ModelTestSupport.h"
#include "service/CTabletService.h"
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
    if (service)
      InstallDriverInterface(std::make_unique<CRecordingDriverInterface>(std::move(service)));
    StDriverLinkStart start;
    start.makeUpperView = [this] { return std::make_unique<CTestUpperView>(m_journal); };
    start.makeModelFactory = [] { return std::make_unique<CPartFactory>(); };
    return StartDriverLink(start);
  }

  std::vector<std::string> m_journal;
};

// A start that fails leaves no upper view; only a start without a tablet
// has a view to tell.
TEST_F(CDriverLinkTest, FailedStartsSayWhyAndKeepNoView) {
  StProfile otherVersion = MakeDefaultProfile();
  otherVersion.driverVersion = {4, 8, 1, 2, 8};
  StProfile noTablet = MakeDefaultProfile();
  noTablet.tablets.clear();
  EXPECT_EQ(Start(std::make_unique<CTabletService>(otherVersion)), kStatusVersionMismatch);
  EXPECT_EQ(GetUpperView(), nullptr);
  EXPECT_TRUE(m_journal.empty());
  StopDriverLink();
  EXPECT_EQ(Start(std::make_unique<CTabletService>(noTablet)), kStatusNoTablet);
  EXPECT_EQ(m_journal, (std::vector<std::string>{"attach -1", "no tablet"}));
  StopDriverLink();
  InstallDriverInterface(
      std::make_unique<CRecordingDriverInterface>(std::make_unique<CTabletService>()));
  EXPECT_EQ(StartDriverLink(StDriverLinkStart{}), kStatusOutOfMemory) << "no upper view to make";
}

TEST_F(CDriverLinkTest, FittingDriverBuildsAttachesAndTearsDownTheModel) {
  ASSERT_EQ(Start(std::make_unique<CTabletService>()), kStatusOk);
  ASSERT_NE(GetDriverObject(), nullptr);
  EXPECT_EQ(m_journal, std::vector<std::string>{"attach -1"});
  CDataGrouping& tablet = *GetDriverObject()->GetSubGroup(0, kSubGroupMain);
  EXPECT_EQ(tablet.GetSubGroupCount(kSubGroupMain), 3) << "functions, a pen and a puck";
  CDataGrouping& pen = *tablet.GetSubGroup(1, kSubGroupMain);
  std::uint32_t serial = 0;
  EXPECT_EQ(ReadItem(pen, kItemToolSerial, serial), kStatusOk);
  EXPECT_EQ(serial, 0x1234U);

  StopDriverLink();
  EXPECT_EQ(GetDriverObject(), nullptr);
  EXPECT_EQ(GetUpperView(), nullptr);
  const std::vector<std::string> order{"attach -1", "detach", "view delete"};
  EXPECT_EQ(m_journal, order);
}

}  // namespace
