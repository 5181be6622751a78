#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/CIntegerEditControl.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/CPressureTestWnd.h"
#include "toolkit/controls/CProgressBar.h"
#include "toolkit/controls/CScrollButton.h"
#include "toolkit/controls/CScrollWindow.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafBitmap.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafGroup.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPopUpItem.h"
#include "toolkit/controls/ZafPrompt.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafText.h"
#include "toolkit/controls/ZafVtList.h"
#include "toolkit/data/ZafBitmapData.h"
#include "toolkit/data/ZafIntegerData.h"
#include "toolkit/data/ZafLanguageData.h"
#include "toolkit/data/ZafStringData.h"
#include "toolkit/storage/CZncWriter.h"

namespace {

using ZafObjectPersistenceTest = ToolkitFixture;

// Every stored class comes back as its own class, found by name at any depth.
TEST_F(ZafObjectPersistenceTest, EveryControlIsBuiltAsItsClassAndFoundByNameAtAnyDepth) {
  auto main = Load("TestMain");
  auto dialog = Load("TestDialog");
  ASSERT_TRUE(main && dialog);
  struct Row {
    ZafWindow* window;
    const char* name;
    const char* className;
    bool (*is)(ZafWindowObject*);
  };
  const Row rows[] = {
      {main.get(), "VersionPrompt", "ZafPrompt", [](ZafWindowObject* o) { return dynamic_cast<ZafPrompt*>(o) != nullptr; }},
      {main.get(), "TabsWindow", "ZafNotebook", [](ZafWindowObject* o) { return dynamic_cast<ZafNotebook*>(o) != nullptr; }},
      {main.get(), "StylusTab", "ZafWindow", [](ZafWindowObject* o) { return dynamic_cast<ZafWindow*>(o) != nullptr; }},
      {main.get(), "TipFeelSlider", "ZafScrollBar", [](ZafWindowObject* o) { return dynamic_cast<ZafScrollBar*>(o) != nullptr; }},
      {main.get(), "ClickSound", "ZafButton", [](ZafWindowObject* o) { return dynamic_cast<ZafButton*>(o) != nullptr; }},
      {main.get(), "UpperSideSwitchComboBox", "ZafComboBox", [](ZafWindowObject* o) { return dynamic_cast<ZafComboBox*>(o) != nullptr; }},
      {main.get(), "TM_Group", "ZafGroup", [](ZafWindowObject* o) { return dynamic_cast<ZafGroup*>(o) != nullptr; }},
      {main.get(), "StylusImage", "ZafImage", [](ZafWindowObject* o) { return dynamic_cast<ZafImage*>(o) != nullptr; }},
      {main.get(), "WFLinesSpin", "ZafSpinControl", [](ZafWindowObject* o) { return dynamic_cast<ZafSpinControl*>(o) != nullptr; }},
      {main.get(), "WFLinesValue", "ZafInteger", [](ZafWindowObject* o) { return dynamic_cast<ZafInteger*>(o) != nullptr; }},
      {main.get(), "Logo", "ZafBitmap", [](ZafWindowObject* o) { return dynamic_cast<ZafBitmap*>(o) != nullptr; }},
      {main.get(), "Choices", "ZafVtList", [](ZafWindowObject* o) { return dynamic_cast<ZafVtList*>(o) != nullptr; }},
      {main.get(), "SpecialMenu", "ZafPopUpMenu", [](ZafWindowObject* o) { return dynamic_cast<ZafPopUpMenu*>(o) != nullptr; }},
      {main.get(), "DK_AltTab", "ZafPopUpItem", [](ZafWindowObject* o) { return dynamic_cast<ZafPopUpItem*>(o) != nullptr; }},
      {dialog.get(), "KeysText", "ZafText", [](ZafWindowObject* o) { return dynamic_cast<ZafText*>(o) != nullptr; }},
      {dialog.get(), "NameField", "ZafString", [](ZafWindowObject* o) { return dynamic_cast<ZafString*>(o) != nullptr; }},
      {dialog.get(), "Capture", "CMouseCaptureWindow", [](ZafWindowObject* o) { return dynamic_cast<CMouseCaptureWindow*>(o) != nullptr; }},
      {dialog.get(), "Pressure", "CPressureTestWnd", [](ZafWindowObject* o) { return dynamic_cast<CPressureTestWnd*>(o) != nullptr; }},
      {dialog.get(), "Progress", "CProgressBar", [](ZafWindowObject* o) { return dynamic_cast<CProgressBar*>(o) != nullptr; }},
      {dialog.get(), "DevicePressureOffsetInteger", "CIntegerEditControl", [](ZafWindowObject* o) { return dynamic_cast<CIntegerEditControl*>(o) != nullptr; }},
      {dialog.get(), "Scroller", "CScrollWindow", [](ZafWindowObject* o) { return dynamic_cast<CScrollWindow*>(o) != nullptr; }},
      {dialog.get(), "Thumbnail", "CThumbnail", [](ZafWindowObject* o) { return dynamic_cast<CThumbnail*>(o) != nullptr; }},
      {dialog.get(), "ScrollUp", "CScrollButton", [](ZafWindowObject* o) { return dynamic_cast<CScrollButton*>(o) != nullptr; }},
  };
  for (const Row& row : rows) {
    ZafWindowObject* object = row.window->Find(row.name);
    ASSERT_NE(object, nullptr) << row.name;
    EXPECT_EQ(object->ClassName(), row.className) << row.name;
    EXPECT_TRUE(row.is(object)) << row.name;
    EXPECT_EQ(object->RootWindow(), row.window) << row.name;
  }
  EXPECT_EQ(main->Find("NoSuchControl"), nullptr);
  EXPECT_NE(dynamic_cast<ZafDialogWindow*>(dialog.get()), nullptr);
  EXPECT_TRUE(dialog->Modal());
}

TEST_F(ZafObjectPersistenceTest, FieldsOfTheStoredFormArriveOnTheObjects) {
  auto main = Load("TestMain");
  ASSERT_TRUE(main);
  EXPECT_EQ(main->StringID(), "TestMain");  // the resource name when none is stored
  EXPECT_EQ(main->Text(), "Test Main");
  EXPECT_EQ(main->Region(), ZafRegion::FromSize(10, 20, 400, 300));
  EXPECT_EQ(main->Region().right, 409);
  EXPECT_EQ(main->Background(), 25);
  EXPECT_TRUE(main->Sizeable());

  auto* slider = main->FindAs<ZafScrollBar>("TipFeelSlider");
  EXPECT_TRUE(slider->IsSlider());
  EXPECT_EQ(slider->Minimum(), 0);
  EXPECT_EQ(slider->Maximum(), 6);
  EXPECT_EQ(slider->Position(), 3);
  EXPECT_EQ(slider->QuickTip(), "Tip feel");

  auto* click = main->FindAs<ZafButton>("ClickSound");
  EXPECT_EQ(click->ButtonType(), ZafButtonType::kCheckBox);
  EXPECT_TRUE(click->Checked());

  auto* combo = main->FindAs<ZafComboBox>("UpperSideSwitchComboBox");
  ASSERT_EQ(combo->Count(), 2U);
  EXPECT_EQ(combo->Entries()[1].text, "Right click");
  EXPECT_EQ(combo->Entries()[1].stringId, "BRightClick");
  EXPECT_EQ(combo->Entries()[1].value, 4);

  auto* mouse = main->FindAs<ZafButton>("TM_MouseMode");
  EXPECT_EQ(mouse->ButtonType(), ZafButtonType::kRadio);
  EXPECT_EQ(mouse->Value(), 2);
  EXPECT_EQ(main->FindAs<ZafGroup>("TM_Group")->CheckedButton(), main->Find("TM_PenMode"));

  EXPECT_EQ(main->FindAs<ZafInteger>("WFLinesValue")->IntegerValue(), 3);
  EXPECT_EQ(main->FindAs<ZafInteger>("WFLinesValue")->Text(), "3");
  EXPECT_EQ(main->FindAs<ZafSpinControl>("WFLinesSpin")->Maximum(), 15);

  auto* notebook = main->FindAs<ZafNotebook>("TabsWindow");
  ASSERT_EQ(notebook->PageCount(), 3U);
  EXPECT_EQ(notebook->Page(1)->PageText(), "Puck");
  EXPECT_EQ(notebook->CurrentIndex(), 0);

  auto* image = main->FindAs<ZafImage>("StylusImage");
  EXPECT_EQ(image->BitmapName(), "Pic_1");
  EXPECT_EQ(image->BitmapWidth(), 4);
  EXPECT_EQ(image->Pixels(), (std::vector<std::uint8_t>{0xFF, 16, 16, 0xFF, 15, 16, 16, 15}));

  EXPECT_FALSE(main->Find("HiddenButton")->Visible());
  EXPECT_TRUE(main->Find("DisabledButton")->Disabled());
  EXPECT_EQ(main->FindAs<ZafPrompt>("VersionPrompt")->Alignment(), ZafAlignment::kRight);

  auto dialog = Load("TestDialog");
  EXPECT_EQ(dialog->FindAs<CProgressBar>("Progress")->Percent(), 25);
  EXPECT_TRUE(dialog->FindAs<ZafText>("KeysText")->ReadOnly());
  EXPECT_TRUE(dialog->FindAs<ZafButton>("OkButton")->IsDefault());
  EXPECT_TRUE(dialog->FindAs<ZafButton>("CancelButton")->IsCancel());
}

TEST_F(ZafObjectPersistenceTest, ReadingIntoAnApplicationWindowReplacesItsChildren) {
  ZafDialogWindow window;
  window.Add(std::make_unique<ZafButton>());
  ASSERT_EQ(m_persistence->ReadInto(window, "TestDialog"), kStatusOk);
  EXPECT_EQ(window.Children().size(), 11U);
  EXPECT_EQ(window.StringID(), "TestDialog");
  EXPECT_EQ(m_persistence->ReadInto(window, "NoSuchWindow"), kStatusNotFound);
}

// A dialog of the application's own class, which handles its events itself.
class CTapCountingDialog : public ZafDialogWindow {
 public:
  ZafEventType Event(const ZafEventStruct& event) override {
    if (event.type == kZafEventPenTap) ++taps;
    return ZafDialogWindow::Event(event);
  }
  int taps = 0;
};

TEST_F(ZafObjectPersistenceTest, AWindowNameWithAMakerIsReadIntoThatClass) {
  m_persistence->SetWindowMaker("TestDialog", [] { return std::make_unique<CTapCountingDialog>(); });
  auto dialog = Load("TestDialog");
  auto* own = dynamic_cast<CTapCountingDialog*>(dialog.get());
  ASSERT_NE(own, nullptr);
  EXPECT_TRUE(own->Modal());
  EXPECT_EQ(own->StringID(), "TestDialog");
  ASSERT_NE(own->FindAs<CMouseCaptureWindow>("Capture"), nullptr);
  own->FindAs<CMouseCaptureWindow>("Capture")->UserTap(5, 6);
  EXPECT_EQ(own->taps, 1);
  // Other windows keep their stored class; without the maker so does this one.
  EXPECT_EQ(dynamic_cast<CTapCountingDialog*>(Load("TestMain").get()), nullptr);
  m_persistence->SetWindowMaker("TestDialog", nullptr);
  EXPECT_EQ(dynamic_cast<CTapCountingDialog*>(Load("TestDialog").get()), nullptr);
}

TEST_F(ZafObjectPersistenceTest, OnlyAWindowIsReadIntoAWindowAndOnlyWindowsBecomePages) {
  StResourceObject button;
  button.className = "ZafButton";
  button.classId = 2;
  StResourceObject notebook;
  notebook.className = "ZafNotebook";
  notebook.classId = 1018;
  notebook.children.push_back(button);
  StResourceObject holder;
  holder.className = "ZafWindow";
  holder.classId = 3500;
  holder.children.push_back(notebook);
  CZncWriter writer;
  ASSERT_EQ(writer.AddWindow("NotAWindow", button), kStatusOk);
  ASSERT_EQ(writer.AddWindow("ButtonPage", holder), kStatusOk);
  ZafStorage storage;
  ASSERT_EQ(storage.OpenBytes(writer.Build()), kStatusOk);
  ZafObjectPersistence persistence(storage);
  ZafDialogWindow window;
  EXPECT_EQ(persistence.ReadInto(window, "NotAWindow"), kStatusWrongClass);
  std::unique_ptr<ZafWindow> read;
  EXPECT_EQ(persistence.ReadWindow("NotAWindow", read), kStatusWrongClass);
  persistence.SetWindowMaker("NotAWindow", [] { return std::make_unique<CTapCountingDialog>(); });
  EXPECT_EQ(persistence.ReadWindow("NotAWindow", read), kStatusWrongClass);
  EXPECT_EQ(persistence.ReadWindow("ButtonPage", read), kStatusWrongClass);
}

TEST_F(ZafObjectPersistenceTest, StringTablesFindTheirStringsByDecimalIndex) {
  auto table = Load("2100");
  ASSERT_TRUE(table);
  EXPECT_EQ(table->Find("91")->Text(), "Tablet");
  EXPECT_EQ(table->Find("7")->Text(), "Small tablet");
  EXPECT_EQ(table->Find("8"), nullptr);
}

TEST_F(ZafObjectPersistenceTest, DataObjectsAreReadAsTheirClassAndBitmapsKeptOnce) {
  std::unique_ptr<ZafData> data;
  ASSERT_EQ(m_persistence->ReadData("Greeting", data), kStatusOk);
  EXPECT_EQ(dynamic_cast<ZafStringData&>(*data).Text(), "Hello");
  ASSERT_EQ(m_persistence->ReadData("Count", data), kStatusOk);
  EXPECT_EQ(dynamic_cast<ZafIntegerData&>(*data).Value(), -42);
  EXPECT_EQ(m_persistence->ReadData("Missing", data), kStatusNotFound);

  const ZafBitmapData* first = nullptr;
  const ZafBitmapData* second = nullptr;
  ASSERT_EQ(m_persistence->ReadBitmap("Pic_1", first), kStatusOk);
  ASSERT_EQ(m_persistence->ReadBitmap("Pic_1", second), kStatusOk);
  EXPECT_EQ(first, second);
  EXPECT_EQ(m_application->DataManager().Get("Pic_1"), first);
  EXPECT_EQ(first->Pixel(1, 1), 16);
  EXPECT_EQ(first->Pixel(9, 9), ZafBitmapData::kTransparent);
  EXPECT_EQ(m_persistence->ReadBitmap("Greeting", first), kStatusWrongClass);

  std::unique_ptr<ZafLanguageData> strings;
  ASSERT_EQ(m_persistence->ReadLanguageData("LanguageStrings", "en", strings), kStatusOk);
  EXPECT_EQ(strings->Name(), "LanguageStrings");
  EXPECT_EQ(m_persistence->ReadLanguageData("Greeting", "en", strings), kStatusWrongClass);
}

TEST_F(ZafObjectPersistenceTest, TheDefaultPersistenceIsClearedWhenItGoes) {
  ZafObjectPersistence::SetDefault(m_persistence.get());
  EXPECT_EQ(ZafObjectPersistence::Default(), m_persistence.get());
  m_persistence.reset();
  EXPECT_EQ(ZafObjectPersistence::Default(), nullptr);
}

}  // namespace
