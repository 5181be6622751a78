#include "diagnostics/CDiagnosticSuperView.h"

#include <algorithm>
#include <string>

#include "model/ModelCodes.h"
#include "settings/CDriverData.h"
#include "views/CItemView.h"
#include "views/CListSuperView.h"
#include "views/ControlIds.h"
#include "views/info/CReadOnlyTabletListView.h"
#include "views/ViewTestHarness.h"

namespace {

namespace id = ControlId;

constexpr std::uint32_t kDialog = id::kDiagnosticsDialog;

std::vector<std::uint8_t> Long(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::vector<std::uint8_t> Text(const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.resize(256, 0);
  return bytes;
}

// A driver object with two tablets; tablet 1 has two tool groups.
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
    CTestGrouping& tablet = Tablet(1);
    for (std::int32_t group : {1, 2}) {
      CTestGrouping& tools = tablet.AddChild(group);
      tools.Define(kItemToolSerial, DataType::kLong);
      tools.Define(kItemToolNameShown, DataType::kText);
      m_driver->Put(tools.KeyOf(kItemToolSerial), Long(group == 1 ? 100 : 200));
      m_driver->Put(tools.KeyOf(kItemToolNameShown), Text(group == 1 ? "Fine Pen" : "Airbrush"));
    }
    m_driver->Put<std::uint16_t>(m_root.KeyOf(kItemSelected), 1);
    ASSERT_EQ(m_view.Build(), kStatusOk);
  }
  void TearDown() override {
    if (m_view.GetData() != nullptr) static_cast<void>(m_view.Detach());
    ViewTest::TearDown();
  }
  CTestGrouping& Tablet(std::int32_t number) {
    return *static_cast<CTestGrouping*>(m_root.GetSubGroup(number, 0));
  }
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

constexpr std::uint32_t kUnused[] = {3040, 3041, 3068, 3069, 3070, 3071, 3002};

TEST_F(DiagnosticSuperViewTest, EveryFieldShowsTheSelectedTabletInItsFormat) {
  CTestGrouping& tablet = Tablet(1);
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemReportProximity), 1);
  m_driver->Put(tablet.KeyOf(kItemToolSerial), Long(0xAB12));
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemReportWheel), 0xFFFD);
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemReportTiltX), 0xFFC4);
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemReportTiltY), 45);
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemReportRotation), 359);
  m_driver->Put(tablet.KeyOf(kItemReportY), Long(3000000000u));
  m_driver->Put(tablet.KeyOf(kItemTabletVersion), {1, 2, 0, 0, 0});
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemLeftTouchStrip), 40);
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemTabletOemCode), 7);
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  EXPECT_EQ(m_view.GetSelectedTablet(), 1);
  EXPECT_EQ(m_roots.Stack().back(), &m_view);

  EXPECT_EQ(Shown(id::kDriverVersion), "4.75-3");
  EXPECT_EQ(Shown(id::kTabletVersion), "1.20");
  EXPECT_EQ(Shown(id::kDeviceXData), "1001");  // tablet 1's, not tablet 0's
  EXPECT_EQ(Shown(id::kDeviceYData), "3000000000");
  EXPECT_EQ(Shown(id::kDeviceSerialNumber), "0x0000ab12");
  EXPECT_EQ(Shown(id::kDeviceWheel), "-3");
  EXPECT_EQ(Shown(id::kDeviceXTilt), "-60");
  EXPECT_EQ(Shown(id::kDeviceYTilt), "45");
  EXPECT_EQ(Shown(id::kDeviceRotation), "359");
  EXPECT_EQ(Shown(id::kTabletLeftTrackpad), "40");
  EXPECT_EQ(Shown(id::kTabletOemCode), "7");
}

TEST_F(DiagnosticSuperViewTest, UnusedControlsAreHiddenWhileAttachedAndShownAfter) {
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  std::vector<Change> changes = TakeChanges();
  for (std::uint32_t control : kUnused) EXPECT_EQ(CodesFor(changes, control), std::vector<std::uint32_t>{1}) << control;
  // The window redraws the list once these views answer for it.
  EXPECT_EQ(CodesFor(changes, id::kTabletComboBox).back(), 0u);

  ASSERT_EQ(m_view.Detach(), kStatusOk);
  changes = TakeChanges();
  for (std::uint32_t control : kUnused) EXPECT_EQ(CodesFor(changes, control), std::vector<std::uint32_t>{2}) << control;
  // Every field is shown again as well.
  for (std::uint32_t control : {3052u, 3053u, 3024u, 3037u})
    EXPECT_EQ(CodesFor(changes, control).front(), 2u) << control;
  EXPECT_EQ(Shown(id::kDeviceXData), "(0)");  // bound to nothing now
}

TEST_F(DiagnosticSuperViewTest, AnUnreadableSelectionAttachesNothing) {
  m_driver->FailWith(kCommandGet, m_root.KeyOf(kItemSelected), 0x0203);
  EXPECT_EQ(LowWord(m_view.Attach(&m_root, kSameData)), 0x0203u);
  EXPECT_TRUE(m_roots.Stack().empty());
  EXPECT_EQ(Shown(id::kDeviceXData), "(0)");
  EXPECT_TRUE(TakeChanges().empty());
}

TEST_F(DiagnosticSuperViewTest, RevertLeavesAsApplyAndCommitIsIgnored) {
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  m_roots.ClearLog();
  EXPECT_EQ(Send(m_view, kViewCommit, kDialog), kStatusOk);  // not even "handled"
  EXPECT_EQ(m_roots.Stack().size(), 1u);
  EXPECT_EQ(Send(m_view, kViewRevert, kDialog), kStatusHandled);
  EXPECT_TRUE(m_roots.Stack().empty());
  ASSERT_EQ(m_roots.Log().size(), 1u);
  EXPECT_EQ(m_roots.Log()[0].operation, kViewApply);  // passed below as an Apply
  EXPECT_EQ(m_view.GetData(), nullptr);
}

TEST_F(DiagnosticSuperViewTest, TheToolNameFollowsTheReportedSerialNumber) {
  CTestGrouping& tablet = Tablet(1);
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  struct {
    std::uint32_t serial;
    const char* name;
    std::uint32_t state;
  } const steps[] = {{200, "Airbrush", kStateShown}, {100, "Fine Pen", kStateShown}, {999, "(0)", kStateHidden},
                     {200, "Airbrush", kStateShown}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.serial);
    m_driver->Put(tablet.KeyOf(kItemToolSerial), Long(step.serial));
    static_cast<void>(Refresh(m_view));
    // The window reads the serial number before the name.
    static_cast<void>(Shown(id::kDeviceSerialNumber));
    EXPECT_EQ(Shown(id::kDeviceName), step.name);
    const auto* name = dynamic_cast<const CItemView*>(m_view.FindView(id::kDeviceName));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->GetState(), step.state);
  }
  // Hidden when no group matches: the window was told so.
  m_driver->Put(tablet.KeyOf(kItemToolSerial), Long(5));
  static_cast<void>(Refresh(m_view));
  TakeChanges();
  static_cast<void>(Shown(id::kDeviceSerialNumber));
  EXPECT_EQ(CodesFor(TakeChanges(), id::kDeviceName), std::vector<std::uint32_t>{1});
}

TEST_F(DiagnosticSuperViewTest, ARefreshGivesTheToolNameTheSerialNumbersState) {
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  auto* serial = dynamic_cast<CItemView*>(m_view.FindView(id::kDeviceSerialNumber));
  auto* name = dynamic_cast<CItemView*>(m_view.FindView(id::kDeviceName));
  ASSERT_NE(serial, nullptr);
  ASSERT_NE(name, nullptr);
  static_cast<void>(serial->SetState(kStateDisabled));
  static_cast<void>(Send(m_view, kViewRefresh, 4242));  // nobody's
  EXPECT_EQ(name->GetState(), kStateDisabled);
}

TEST_F(DiagnosticSuperViewTest, ATickReadsEachBoundItemOnce) {
  m_driver->Put(Tablet(1).KeyOf(kItemToolSerial), Long(200));
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  std::size_t before = 0;
  for (int tick = 0; tick < 2; ++tick) {  // the first tick loads the tool name as well
    static_cast<void>(Shown(id::kDeviceSerialNumber));  // the tool name is bound
    before = m_driver->CountRequests(kCommandGet);
    CDriverData::OpenReadRound();  // as the dialog's tick does
    static_cast<void>(Refresh(m_view));
    CDriverData::CloseReadRound();
  }
  // The tablet's 19 items, the driver version, the tool name and the other
  // tablet's model for its list entry: a prompt shares its field's read, the
  // selected tablet's entry the model field's.
  EXPECT_EQ(m_driver->CountRequests(kCommandGet) - before, 22u);
  EXPECT_EQ(Shown(id::kDeviceName), "Airbrush");
}

TEST_F(DiagnosticSuperViewTest, TheSwitchFieldsShowThePressedSwitches) {
  CTestGrouping& tablet = Tablet(1);
  m_driver->Put(tablet.KeyOf(kItemReportSwitches), Long(0x5));
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemTabletLeftButtons), 0x2);
  m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemTabletRightButtons), 0x18);
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  EXPECT_EQ(Shown(id::kDeviceSwitches), "1, 3");
  EXPECT_EQ(Shown(id::kTabletLeftButtons), "2");
  EXPECT_EQ(Shown(id::kTabletRightButtons), "4, 5");
  m_driver->Put(tablet.KeyOf(kItemReportSwitches), Long(0x80000000u));
  static_cast<void>(Refresh(m_view));
  EXPECT_EQ(Shown(id::kDeviceSwitches), "32");
}

TEST_F(DiagnosticSuperViewTest, PickingTheOtherTabletInTheListReattachesEveryField) {
  m_driver->Put<std::uint16_t>(m_root.KeyOf(kItemSelected), 0);
  for (std::int32_t number : {0, 1}) {
    CTestGrouping& tablet = Tablet(number);
    m_driver->Put<std::uint16_t>(tablet.KeyOf(kItemModelCode), static_cast<std::uint16_t>(40 + number));
    m_driver->Put(tablet.KeyOf(kItemReportSwitches), Long(number == 0 ? 0x1u : 0x6u));
    m_driver->Put(tablet.KeyOf(kItemToolSerial), Long(number == 0 ? 0u : 200u));
  }
  ASSERT_EQ(m_view.Attach(&m_root, kSameData), kStatusOk);
  EXPECT_EQ(Shown(id::kDeviceXData), "1000");

  // As the window sees the list: two entries, keyed by the tablets' numbers,
  // the selected one first.
  StListCount count;
  ASSERT_EQ(Send(m_view, ListRequest::kCount, id::kTabletComboBox, &count), kStatusHandled);
  ASSERT_EQ(count.count, 2u);
  std::uint32_t current = 9;
  StListForward selected{nullptr, kListByKey, &current};
  EXPECT_EQ(Send(m_view, kViewGet, id::kTabletComboBox, &selected), kStatusHandled);
  EXPECT_EQ(current, 0u);
  StListEntryAt second{1, nullptr, nullptr};
  ASSERT_EQ(Send(m_view, ListRequest::kEntryAt, id::kTabletComboBox, &second), kStatusHandled);
  ASSERT_NE(second.entry, nullptr);
  std::uint32_t key = 9;
  StListForward keyOf{second.entry, kListByKey, &key};
  EXPECT_EQ(Send(m_view, kViewGet, id::kTabletComboBox, &keyOf), kStatusHandled);
  EXPECT_EQ(key, 1u);
  std::uint16_t model = 0;
  StListForward modelOf{second.entry, kTabletEntryModel, &model};
  EXPECT_EQ(Send(m_view, kViewGet, id::kTabletComboBox, &modelOf), kStatusHandled);
  EXPECT_EQ(model, 41u);

  ASSERT_EQ(Send(m_view, kViewSet, id::kTabletComboBox, second.entry), kStatusOk);
  EXPECT_EQ(m_view.GetSelectedTablet(), 1);
  static_cast<void>(Refresh(m_view));
  EXPECT_EQ(Shown(id::kDeviceXData), "1001");
  EXPECT_EQ(Shown(id::kDeviceSwitches), "2, 3");
  EXPECT_EQ(Shown(id::kDeviceSerialNumber), "0x000000c8");
  EXPECT_EQ(Shown(id::kDeviceName), "Airbrush");  // tablet 1's own tool group
  EXPECT_EQ(Send(m_view, kViewGet, id::kTabletComboBox, &selected), kStatusHandled);
  EXPECT_EQ(current, 1u) << "the list shows the tablet picked";
  // Something that is not one of the list's entries picks nothing.
  int stray = 0;
  EXPECT_EQ(LowWord(Send(m_view, kViewSet, id::kTabletComboBox, &stray)), 0u);
  EXPECT_EQ(m_view.GetSelectedTablet(), 1);
}

}  // namespace
