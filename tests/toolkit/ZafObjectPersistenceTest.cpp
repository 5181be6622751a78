#include <gtest/gtest.h>

#include <tuple>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/CMouseCaptureWindow.h"
#include "toolkit/controls/CProgressBar.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafGroup.h"
#include "toolkit/controls/ZafImage.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafPrompt.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/controls/ZafText.h"
#include "toolkit/data/ZafBitmapData.h"
#include "toolkit/data/ZafIntegerData.h"
#include "toolkit/data/ZafLanguageData.h"
#include "toolkit/data/ZafStringData.h"
#include "toolkit/storage/CZncWriter.h"

namespace {

using ZafObjectPersistenceTest = ToolkitFixture;

// Stored objects come back as their class (each class's maker is checked
// with the class table), found by name at any depth.
TEST_F(ZafObjectPersistenceTest, ControlsAreBuiltAsTheirClassAndFoundByNameAtAnyDepth) {
  auto main = Load("TestMain");
  auto dialog = Load("TestDialog");
  ASSERT_TRUE(main && dialog);
  const std::tuple<ZafWindow*, const char*, const char*> rows[] = {
      {main.get(), "VersionPrompt", "ZafPrompt"},      {main.get(), "StylusTab", "ZafWindow"},
      {main.get(), "TipFeelSlider", "ZafScrollBar"},   {main.get(), "WFLinesValue", "ZafInteger"},
      {main.get(), "DK_AltTab", "ZafPopUpItem"},       {dialog.get(), "Capture", "CMouseCaptureWindow"},
  };
  for (const auto& [window, name, className] : rows) {
    ZafWindowObject* object = window->Find(name);
    ASSERT_NE(object, nullptr) << name;
    EXPECT_EQ(object->ClassName(), className) << name;
    EXPECT_EQ(object->RootWindow(), window) << name;
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
using CTapCountingDialog = CEventLog<ZafDialogWindow>;

TEST_F(ZafObjectPersistenceTest, AWindowNameWithAMakerIsReadIntoThatClass) {
  m_persistence->SetWindowMaker("TestDialog", [] { return std::make_unique<CTapCountingDialog>(); });
  auto dialog = Load("TestDialog");
  auto* own = dynamic_cast<CTapCountingDialog*>(dialog.get());
  ASSERT_NE(own, nullptr);
  EXPECT_TRUE(own->Modal());
  EXPECT_EQ(own->StringID(), "TestDialog");
  ASSERT_NE(own->FindAs<CMouseCaptureWindow>("Capture"), nullptr);
  own->FindAs<CMouseCaptureWindow>("Capture")->UserTap(5, 6);
  EXPECT_EQ(own->Of(kZafEventPenTap).size(), 1U);
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
