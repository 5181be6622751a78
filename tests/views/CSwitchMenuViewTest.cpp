// The switch menu of a pen's side switch on the tablet service: which
// functions are written at once, which wait for their dialog, and what
// "BDefault" puts back.
#include "views/menus/CSwitchMenuView.h"

#include <array>
#include <string>

#include "functions/AppletModelFixture.h"
#include "functions/FunctionBlock.h"
#include "functions/FunctionNames.h"
#include "functions/KeystrokeWord.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/ViewTestHarness.h"

namespace {

constexpr std::uint32_t kUpper = ControlId::kUpperSideSwitchComboBox;
constexpr std::int32_t kUpperSwitch = 3;
using Words = std::array<std::uint32_t, 64>;
using Text = std::array<char, 256>;
using Change = CRecordingEventTranslator::StStateChange;

class CSwitchMenuViewTest : public CAppletModelFixture {
 protected:
  void SetUp() override {
    m_translator = CRecordingEventTranslator::Install();
    m_translator->SetListener(&m_roots);
    ASSERT_EQ(Connect(MakeDefaultProfile()), kStatusOk);
    ASSERT_EQ(AddItemView<CSwitchMenuView>(m_tab, kUpper, kButtonBlock, {.index = kUpperSwitch}, 0, &m_menu),
              kStatusOk);
    ASSERT_GT(Tablet(0).GetSubGroupCount(kSubGroupMain), 1) << "the tablet's tools are found";
    m_pen = &Tool(0, 1);
    m_switch = &Child(*m_pen, kUpperSwitch);
    ASSERT_EQ(m_tab.Attach(m_pen, kSameData), kStatusOk);
    m_roots.SetMainRoot(&m_tab);
    ASSERT_EQ(SendViewRequest(kViewRefresh, kBroadcastId), kStatusOk);
    m_translator->Clear();
  }
  void TearDown() override {
    DropStatus(ResultStatus(m_tab.Detach()), "the model goes next");
    CAppletModelFixture::TearDown();
    CRecordingEventTranslator::Uninstall();
  }

  // What the service holds for an item of the block, or its factory value.
  template <typename T>
  T Held(ItemId offset, std::uint32_t command = kCommandGet) {
    const StItemRow row = *FunctionBlockRow(kButtonBlock, kButtonBlock + offset, BehaviourKind::kApply);
    CDataKey key = m_switch->GetKey();
    key.AppendLevel(row.itemCode, command == kCommandGet ? row.index : 0);
    T value{};
    EXPECT_EQ(key.Request(command, sizeof value, &value), kStatusOk);
    return value;
  }
  template <typename T>
  T FactoryValue(ItemId offset) { return Held<T>(offset, kCommandGetDefault); }
  // The user picks a function in the list, as the window's combo handler sends it.
  void Pick(FunctionCode code) { EXPECT_EQ(SendViewRequest(kViewSet, kUpper, &code), kStatusOk); }
  FunctionCode Shown() {
    FunctionCode code = 0xFFFF;
    EXPECT_EQ(SendViewRequest(kViewGet, kUpper, &code), kStatusOk);
    return code;
  }
  bool Asked(std::uint32_t controlId, std::uint32_t code) const {
    const auto& changes = m_translator->Changes();
    return std::find(changes.begin(), changes.end(), Change{controlId, code}) != changes.end();
  }

  CRecordingEventTranslator* m_translator = nullptr;
  CTestRootStack m_roots;
  CSuperView m_tab{ControlId::kStylusView};
  CSwitchMenuView* m_menu = nullptr;
  CDataGrouping* m_pen = nullptr;
  CDataGrouping* m_switch = nullptr;
};

TEST_F(CSwitchMenuViewTest, APlainFunctionIsWrittenWhenPicked) {
  Pick(7);
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), 7u);
  EXPECT_TRUE(m_roots.Stack().empty());
}

TEST_F(CSwitchMenuViewTest, KeystrokeWaitsForTheDialogsOk) {
  const auto before = Held<std::uint32_t>(kBlockFunction);
  Pick(kFunctionKeystroke);
  EXPECT_TRUE(Asked(ControlId::kKeystrokeDialog, kControlRedisplay)) << "the window is asked to open it";
  EXPECT_EQ(m_menu->GetPendingDialog(), ControlId::kKeystrokeDialog);
  ASSERT_EQ(m_roots.Stack().size(), 1u);
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), before) << "nothing written while the dialog is open";

  Words keys{};
  keys[0] = MakeKeystrokeWord(0x70, 0, kModifierCtrl);
  ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kKeystrokeSequence, keys.data()), kStatusOk);
  ASSERT_EQ(SendViewRequest(kViewApply, ControlId::kKeystrokeDialog), kStatusOk);

  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), kFunctionKeystroke);
  EXPECT_EQ(Held<Words>(kBlockKeystroke), keys);
  EXPECT_EQ(m_menu->GetPendingDialog(), 0u);
  EXPECT_TRUE(m_roots.Stack().empty());
  EXPECT_EQ(Shown(), kFunctionKeystroke);
}

TEST_F(CSwitchMenuViewTest, CancellingTheKeystrokeDialogKeepsThePreviousFunction) {
  Pick(4);
  const auto keysBefore = Held<Words>(kBlockKeystroke);
  Pick(kFunctionEraseKeystroke);
  Words keys{};
  keys[0] = MakeKeystrokeWord(0x41, 'a', 0);
  ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kKeystrokeSequence, keys.data()), kStatusOk);
  ASSERT_EQ(SendViewRequest(kViewRevert, ControlId::kKeystrokeDialog), kStatusOk);

  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), 4u);
  EXPECT_EQ(Held<Words>(kBlockKeystroke), keysBefore);
  EXPECT_EQ(Shown(), 4u) << "the list shows the function the driver kept";
}

TEST_F(CSwitchMenuViewTest, ModifierBoxesAreLiveAndTheMaskDecidesOk) {
  Pick(kFunctionModifier);
  EXPECT_EQ(m_menu->GetPendingDialog(), ControlId::kModifierDialog);
  ASSERT_EQ(Held<std::uint16_t>(kBlockModifiers), 0u);
  EXPECT_TRUE(Asked(ControlId::kModifierMaskZero, kControlShowDisabled)) << "no modifier: 2108 matches";
  m_translator->Clear();

  std::uint32_t on = 1;
  ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kCtrlCheckBox, &on), kStatusOk);
  EXPECT_EQ(Held<std::uint16_t>(kBlockModifiers), kModifierCtrl) << "the box writes its bit at once";
  EXPECT_TRUE(Asked(ControlId::kModifierMaskZero, kControlShow)) << "a mask: 2108 no longer matches";

  ASSERT_EQ(SendViewRequest(kViewApply, ControlId::kModifierDialog), kStatusOk);
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), kFunctionModifier);
  EXPECT_EQ(Held<std::uint16_t>(kBlockModifiers), kModifierCtrl);
}

TEST_F(CSwitchMenuViewTest, RunDialogStoresPathAndNameAndDefaultPutsBackAllTheData) {
  // Data of every kind, as a user could leave it: the run dialog stores a path and a name.
  Pick(kFunctionRunApplication);
  EXPECT_EQ(m_menu->GetPendingDialog(), ControlId::kRunDialog);
  Text path{"/usr/bin/gimp"};
  PackedFunctionName name{};
  PackFunctionName("gimp", name);
  ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kRunPath, path.data()), kStatusOk);
  ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kRunName, name.data()), kStatusOk);
  ASSERT_EQ(SendViewRequest(kViewApply, ControlId::kRunDialog), kStatusOk);
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), kFunctionRunApplication);
  EXPECT_STREQ(Held<Text>(kBlockApplication).data(), "/usr/bin/gimp");
  EXPECT_EQ(UnpackFunctionName(Held<PackedFunctionName>(kBlockName)), "gimp");
  Pick(kFunctionKeystroke);
  Words keys{};
  keys[0] = MakeKeystrokeWord(0x2C, 0, kModifierAlt);
  ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kKeystrokeSequence, keys.data()), kStatusOk);
  ASSERT_EQ(SendViewRequest(kViewApply, ControlId::kKeystrokeDialog), kStatusOk);
  Pick(kFunctionModifier);
  std::uint32_t on = 1;
  ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kAltCheckBox, &on), kStatusOk);
  ASSERT_EQ(SendViewRequest(kViewApply, ControlId::kModifierDialog), kStatusOk);
  ASSERT_NE(Held<std::uint16_t>(kBlockModifiers), FactoryValue<std::uint16_t>(kBlockModifiers));

  m_translator->Clear();
  Pick(kFunctionDefault);
  EXPECT_TRUE(Asked(kUpper, kControlRedisplay)) << "the list shows the default, not the entry picked";
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), FactoryValue<std::uint32_t>(kBlockFunction));
  EXPECT_EQ(Held<std::uint16_t>(kBlockModifiers), FactoryValue<std::uint16_t>(kBlockModifiers));
  EXPECT_EQ(Held<Words>(kBlockKeystroke), FactoryValue<Words>(kBlockKeystroke));
  EXPECT_EQ(Held<Text>(kBlockApplication), FactoryValue<Text>(kBlockApplication));
  EXPECT_EQ(Held<PackedFunctionName>(kBlockName), FactoryValue<PackedFunctionName>(kBlockName));
  EXPECT_TRUE(m_roots.Stack().empty()) << "no dialog for the default";
}

TEST_F(CSwitchMenuViewTest, ModeToggleIsWrittenWhenTheWindowConfirmsIt) {
  const auto before = Held<std::uint32_t>(kBlockFunction);
  Pick(kFunctionModeToggle);
  EXPECT_TRUE(Asked(ControlId::kApplyOnRefresh, kControlRedisplay));
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), before);
  // The upper view turns the window's Refresh to 2300 into this Apply.
  ASSERT_EQ(SendViewRequest(kViewApply, ControlId::kApplyOnRefresh), kStatusOk);
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), kFunctionModeToggle);
  EXPECT_EQ(m_menu->GetPendingDialog(), 0u);
}

// Without the service: the menu hides a control that has no function, or
// whose function the driver does not let be changed.
class SwitchMenuAttachTest : public ViewTest {};

TEST_F(SwitchMenuAttachTest, HidesControlsThatAreNotProgrammable) {
  constexpr ItemId kFixed = kItemFixedFunction;
  m_data->Define(kButtonBlock, DataType::kLong, BehaviourKind::kApply);
  m_data->Define(kFixed, DataType::kByte);
  CSwitchMenuView menu(kUpper);

  EXPECT_EQ(menu.CanAttach(m_data.get(), kSameData), kStatusNoChild) << "no function in the driver";
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kUpper, kControlHide}}));

  m_driver->Put(m_data->KeyOf(kButtonBlock), {7, 0, 0, 0});
  EXPECT_EQ(menu.CanAttach(m_data.get(), kSameData), kStatusOk);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kUpper, kControlShow}}));

  m_driver->Put(m_data->KeyOf(kFixed), {1});
  EXPECT_EQ(menu.CanAttach(m_data.get(), kSameData), kStatusNoChild) << "the function is fixed";
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{kUpper, kControlHide}}));
}

}  // namespace
