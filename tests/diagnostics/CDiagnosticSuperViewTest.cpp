#include "diagnostics/CDiagnosticSuperView.h"

#include <string>

#include "model/ModelCodes.h"
#include "settings/CDriverData.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewTestHarness.h"

namespace {

namespace id = ControlId;

constexpr std::uint32_t kDialog = id::kDiagnosticsDialog;

std::vector<std::uint8_t> Long(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// A driver object with two tablets, tablet 1 selected; tablet 1 has two tool
// groups, serial 100 "Fine Pen" and serial 200 "Airbrush".
class DiagnosticSuperViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_root.Define(kItemSelected, DataType::kWord);
    m_root.Define(kItemDriverVersion, DataType::kType15);
    m_driver->Put(m_root.KeyOf(kItemDriverVersion), {4, 7, 5, 2, 3});
    for (std::int32_t number : {0, 1}) {
      CTestGrouping& tablet = m_root.AddChild(number);
      for (std::int32_t item : {kItemTabletOemCode, kItemLeftTouchStrip, kItemRightTouchStrip, kItemReportProximity,
                                kItemToolName, kItemToolTypeCode, kItemReportPressure, kItemReportRotation,
                                kItemReportWheel, kItemReportTiltX, kItemReportTiltY, kItemModelCode,
                                kItemTabletLeftButtons, kItemTabletRightButtons})
        tablet.Define(item, DataType::kWord);
      for (std::int32_t item : {kItemToolSerial, kItemReportX, kItemReportY, kItemReportSwitches})
        tablet.Define(item, DataType::kLong);
      tablet.Define(kItemTabletVersion, DataType::kType15);
      m_driver->Put(tablet.KeyOf(kItemReportX), Long(1000u + static_cast<std::uint32_t>(number)));
    }
    for (std::int32_t group : {1, 2}) {
      CTestGrouping& tools = Tablet().AddChild(group);
      tools.Define(kItemToolSerial, DataType::kLong);
      tools.Define(kItemToolNameShown, DataType::kText);
      m_driver->Put(tools.KeyOf(kItemToolSerial), Long(group == 1 ? 100 : 200));
      std::vector<std::uint8_t> name(256, 0);
      const std::string text = group == 1 ? "Fine Pen" : "Airbrush";
      std::copy(text.begin(), text.end(), name.begin());
      m_driver->Put(tools.KeyOf(kItemToolNameShown), name);
    }
    m_driver->Put<std::uint16_t>(m_root.KeyOf(kItemSelected), 1);
    ASSERT_EQ(m_view.Build(), kStatusOk);
  }
  void TearDown() override {
    if (m_view.GetData() != nullptr) DropStatus(ResultStatus(m_view.Detach()), "the test is over");
    ViewTest::TearDown();
  }
  CTestGrouping& Tablet() { return *static_cast<CTestGrouping*>(m_root.GetSubGroup(1, 0)); }
  std::string Shown(std::uint32_t control) {
    char text[256] = {};
    const ViewResult result = Send(m_view, kViewGet, control, text);
    return LowWord(result) == kStatusHandled ? std::string(text) : "(" + std::to_string(result) + ")";
  }
  // The codes the window was sent for `control`, in order.
  static std::vector<std::uint32_t> CodesFor(const std::vector<Change>& changes, std::uint32_t control) {
    std::vector<std::uint32_t> codes;
    for (const Change& change : changes)
      if (change.controlId == control) codes.push_back(change.code);
    return codes;
  }

  CTestGrouping m_root{0};
  CDiagnosticSuperView m_view{kDialog};
};

TEST_F(DiagnosticSuperViewTest, EveryFieldShowsTheSelectedTabletInItsFormat) {
  CTestGrouping& tablet = Tablet();
  m_driver->Put(tablet.KeyOf(kItemToolSerial), Long(0xAB12));
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemReportWheel), 0xFFFD);
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemReportTiltX), 0xFFC4);
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemReportRotation), 359);
  m_driver->Put(tablet.KeyOf(kItemReportY), Long(3000000000u));
  m_driver->Put(tablet.KeyOf(kItemTabletVersion), {1, 2, 0, 0, 0});
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemLeftTouchStrip), 40);
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemTabletOemCode), 7);
  m_driver->Put(tablet.KeyOf(kItemReportSwitches), Long(0x80000005u));
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemTabletRightButtons), 0x18);
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  struct Field {
    std::uint32_t control;
    const char* shown;
  };
  const Field fields[] = {
      {id::kDriverVersion, "4.75-3"},    {id::kTabletVersion, "1.20"},
      {id::kDeviceXData, "1001"},        {id::kDeviceYData, "3000000000"},
      {id::kDeviceSerialNumber, "0x0000ab12"}, {id::kDeviceWheel, "-3"},
      {id::kDeviceXTilt, "-60"},         {id::kDeviceRotation, "359"},
      {id::kTabletLeftTrackpad, "40"},   {id::kTabletOemCode, "7"},
      {id::kDeviceSwitches, "1, 3, 32"}, {id::kTabletRightButtons, "4, 5"},
  };
  for (const Field& field : fields) EXPECT_EQ(Shown(field.control), field.shown) << field.control;
}

TEST_F(DiagnosticSuperViewTest, UnusedControlsAreHiddenWhileAttachedAndShownAfter) {
  constexpr std::uint32_t kUnused[] = {3040, 3041, 3068, 3069, 3070, 3071, 3002};
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  // Hiding them is checked where the real window opens; here, their return.
  std::vector<Change> changes = TakeChanges();
  // The window redraws the list once these views answer for it.
  EXPECT_EQ(CodesFor(changes, id::kTabletComboBox).back(), 0u);

  ASSERT_EQ(m_view.Detach(), kStatusOk);
  changes = TakeChanges();
  for (std::uint32_t control : kUnused) EXPECT_EQ(CodesFor(changes, control), std::vector<std::uint32_t>{2}) << control;
  EXPECT_EQ(CodesFor(changes, id::kDeviceXData).front(), 2u) << "every field is shown again";
  EXPECT_EQ(Shown(id::kDeviceXData), "(0)");
}

TEST_F(DiagnosticSuperViewTest, AnUnreadableSelectionAttachesNothing) {
  m_driver->FailWith(kCommandGet, m_root.KeyOf(kItemSelected), 0x0203);
  EXPECT_EQ(LowWord(m_view.Attach(&m_root, kSameData)), 0x0203u);
  EXPECT_TRUE(m_roots.Stack().empty());
  EXPECT_TRUE(TakeChanges().empty());
}

TEST_F(DiagnosticSuperViewTest, RevertLeavesAsApplyAndCommitIsIgnored) {
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  m_roots.ClearLog();
  EXPECT_EQ(Send(m_view, kViewCommit, kDialog), kStatusOk);  // not even "handled"
  EXPECT_EQ(Send(m_view, kViewRevert, kDialog), kStatusHandled);
  EXPECT_TRUE(m_roots.Stack().empty());
  ASSERT_EQ(m_roots.Log().size(), 1u);
  EXPECT_EQ(m_roots.Log()[0].operation, kViewApply);
}

// The name is the tool group's whose serial number the tablet reports, read
// when the window reads the serial number; no such group hides it.
TEST_F(DiagnosticSuperViewTest, TheToolNameFollowsTheReportedSerialNumber) {
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  const auto* name = dynamic_cast<const CItemView*>(m_view.FindView(id::kDeviceName));
  ASSERT_NE(name, nullptr);
  struct Step {
    std::uint32_t serial;
    const char* name;
    std::uint32_t state;
  };
  for (const Step& step : {Step{200, "Airbrush", kStateShown}, Step{100, "Fine Pen", kStateShown},
                           Step{999, "(0)", kStateHidden}, Step{200, "Airbrush", kStateShown}}) {
    SCOPED_TRACE(step.serial);
    m_driver->Put(Tablet().KeyOf(kItemToolSerial), Long(step.serial));
    DropStatus(ResultStatus(Refresh(m_view)), "the fields are read below");
    Shown(id::kDeviceSerialNumber);  // the window reads it before the name
    EXPECT_EQ(Shown(id::kDeviceName), step.name);
    EXPECT_EQ(name->GetState(), step.state);
  }
  // Greying the serial number greys the name at the next refresh, whoever it is for.
  auto* serial = dynamic_cast<CItemView*>(m_view.FindView(id::kDeviceSerialNumber));
  ASSERT_NE(serial, nullptr);
  DropStatus(ResultStatus(serial->SetState(kStateDisabled)), "the state is what is checked");
  DropStatus(ResultStatus(Send(m_view, kViewRefresh, 4242)), "the state is what is checked");
  EXPECT_EQ(name->GetState(), kStateDisabled);
}

TEST_F(DiagnosticSuperViewTest, ATickReadsEachBoundItemOnce) {
  m_driver->Put(Tablet().KeyOf(kItemToolSerial), Long(200));
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  std::size_t before = 0;
  for (int tick = 0; tick < 2; ++tick) {  // the first tick loads the tool name as well
    Shown(id::kDeviceSerialNumber);  // the tool name is bound
    before = m_driver->CountRequests(kCommandGet);
    CDriverData::OpenReadRound();  // as the dialog's tick does
    DropStatus(ResultStatus(Refresh(m_view)), "the reads are counted");
    CDriverData::CloseReadRound();
  }
  // The tablet's 19 items, the driver version, the tool name and the other
  // tablet's model for its list entry: a prompt shares its field's read, the
  // selected tablet's entry the model field's.
  EXPECT_EQ(m_driver->CountRequests(kCommandGet) - before, 22u);
}

TEST_F(DiagnosticSuperViewTest, OnlyAnEntryOfTheListPicksATablet) {
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  int stray = 0;
  EXPECT_EQ(LowWord(Send(m_view, kViewSet, id::kTabletComboBox, &stray)), 0u);
  EXPECT_EQ(Shown(id::kDeviceXData), "1001") << "tablet 1 stays selected";
}

}  // namespace
