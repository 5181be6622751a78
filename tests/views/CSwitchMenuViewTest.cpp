// The switch menu of a pen's side switch on the tablet service: a program to
// run waits for its dialog, and "BDefault" puts back the function's data.
#include <array>
#include <string>

#include "functions/AppletModelFixture.h"
#include "functions/FunctionBlock.h"
#include "functions/FunctionNames.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/ViewTestHarness.h"
#include "views/menus/CSwitchMenuView.h"

namespace {

constexpr std::uint32_t kUpper = ControlId::kUpperSideSwitchComboBox;
constexpr std::int32_t kUpperSwitch = 3;
using Text = std::array<char, 256>;

class CSwitchMenuViewTest : public CAppletModelFixture {
 protected:
  void SetUp() override {
    CRecordingEventTranslator::Install()->SetListener(&m_roots);
    ASSERT_EQ(Connect(MakeDefaultProfile()), kStatusOk);
    ASSERT_EQ(AddItemView<CSwitchMenuView>(m_tab, kUpper, kButtonBlock, {.index = kUpperSwitch}, 0,
                                           &m_menu),
              kStatusOk);
    m_switch = &Child(Tool(0, 1), kUpperSwitch);
    ASSERT_EQ(m_tab.Attach(&Tool(0, 1), kSameData), kStatusOk);
    m_roots.SetMainRoot(&m_tab);
    ASSERT_EQ(SendViewRequest(kViewRefresh, kBroadcastId), kStatusOk);
  }
  void TearDown() override {
    DropStatus(ResultStatus(m_tab.Detach()), "the model goes next");
    CAppletModelFixture::TearDown();
    CRecordingEventTranslator::Uninstall();
  }

  // What the service holds for an item of the block, or its factory value.
  template <typename T>
  T Held(ItemId offset, std::uint32_t command = kCommandGet) {
    const StItemRow row =
        *FunctionBlockRow(kButtonBlock, kButtonBlock + offset, BehaviourKind::kApply);
    CDataKey key = m_switch->GetKey();
    key.AppendLevel(row.itemCode, command == kCommandGet ? row.index : 0);
    T value{};
    EXPECT_EQ(key.Request(command, sizeof value, &value), kStatusOk);
    return value;
  }
  // The user picks a function in the list, as the window's combo handler sends it.
  void Pick(FunctionCode code) { EXPECT_EQ(SendViewRequest(kViewSet, kUpper, &code), kStatusOk); }

  CTestRootStack m_roots;
  CSuperView m_tab{ControlId::kStylusView};
  CSwitchMenuView* m_menu = nullptr;
  CDataGrouping* m_switch = nullptr;
};

TEST_F(CSwitchMenuViewTest, RunDialogStoresPathAndNameAndDefaultPutsThemBack) {
  const auto before = Held<std::uint32_t>(kBlockFunction);
  Pick(kFunctionRunApplication);
  EXPECT_EQ(m_menu->GetPendingDialog(), ControlId::kRunDialog);
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), before)
      << "nothing written while the dialog is open";
  Text path{"/usr/bin/gimp"};
  PackedFunctionName name{};
  PackFunctionName("gimp", name);
  ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kRunPath, path.data()), kStatusOk);
  ASSERT_EQ(SendViewRequest(kViewSet, ControlId::kRunName, name.data()), kStatusOk);
  ASSERT_EQ(SendViewRequest(kViewApply, ControlId::kRunDialog), kStatusOk);
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction), kFunctionRunApplication);
  EXPECT_STREQ(Held<Text>(kBlockApplication).data(), "/usr/bin/gimp");
  EXPECT_EQ(UnpackFunctionName(Held<PackedFunctionName>(kBlockName)), "gimp");

  Pick(kFunctionDefault);
  EXPECT_EQ(Held<std::uint32_t>(kBlockFunction),
            Held<std::uint32_t>(kBlockFunction, kCommandGetDefault));
  EXPECT_EQ(Held<Text>(kBlockApplication), Held<Text>(kBlockApplication, kCommandGetDefault));
  EXPECT_EQ(Held<PackedFunctionName>(kBlockName),
            Held<PackedFunctionName>(kBlockName, kCommandGetDefault));
  EXPECT_TRUE(m_roots.Stack().empty()) << "no dialog for the default";
}

// Without the service: the menu hides a control that has no function, or
// whose function the driver does not let be changed.
class SwitchMenuAttachTest : public ViewTest {};

TEST_F(SwitchMenuAttachTest, HidesControlsThatAreNotProgrammable) {
  m_data->Define(kButtonBlock, DataType::kLong, BehaviourKind::kApply);
  m_data->Define(kItemFixedFunction, DataType::kByte);
  CSwitchMenuView menu(kUpper);

  EXPECT_EQ(menu.CanAttach(m_data.get(), kSameData), kStatusNoChild) << "no function in the driver";
  m_driver->Put(m_data->KeyOf(kButtonBlock), {7, 0, 0, 0});
  EXPECT_EQ(menu.CanAttach(m_data.get(), kSameData), kStatusOk);
  m_driver->Put(m_data->KeyOf(kItemFixedFunction), {1});
  EXPECT_EQ(menu.CanAttach(m_data.get(), kSameData), kStatusNoChild) << "the function is fixed";
  EXPECT_EQ(TakeChanges(),
            (std::vector<Change>{
                {kUpper, kControlHide}, {kUpper, kControlShow}, {kUpper, kControlHide}}));
}

}  // namespace
