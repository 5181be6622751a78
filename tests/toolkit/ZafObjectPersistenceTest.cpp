#include <tuple>

#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafClassTable.h"
#include "toolkit/ZafDialogWindow.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafPrompt.h"
#include "toolkit/data/ZafBitmapData.h"
#include "toolkit/data/ZafIntegerData.h"
#include "toolkit/data/ZafLanguageData.h"
#include "toolkit/data/ZafStringData.h"
#include "toolkit/storage/CZncWriter.h"

namespace {

using ZafObjectPersistenceTest = ToolkitFixture;

StResourceObject Stored(const char* className, std::vector<StResourceObject> children = {}) {
  StResourceObject object;
  object.className = className;
  object.classId = ZafClassTable::FindWindowClass(className)->id;
  object.children = std::move(children);
  return object;
}

// Stored objects come back as their class, found by name at any depth, with
// the fields of their stored form.
TEST_F(ZafObjectPersistenceTest, ControlsAreBuiltAsTheirClassWithTheirStoredFields) {
  auto main = Load("TestMain");
  auto dialog = Load("TestDialog");
  ASSERT_TRUE(main && dialog);
  const std::tuple<ZafWindow*, const char*, const char*> rows[] = {
      {main.get(), "WFLinesValue", "ZafInteger"},
      {main.get(), "DK_AltTab", "ZafPopUpItem"},
      {dialog.get(), "Capture", "CMouseCaptureWindow"},
  };
  for (const auto& [window, name, className] : rows) {
    ZafWindowObject* object = window->Find(name);
    ASSERT_NE(object, nullptr) << name;
    EXPECT_EQ(object->ClassName(), className) << name;
    EXPECT_EQ(object->RootWindow(), window) << name;
  }

  EXPECT_EQ(main->StringID(), "TestMain");  // the resource name when none is stored
  EXPECT_EQ(main->Region(), ZafRegion::FromSize(10, 20, 400, 300));
  EXPECT_EQ(main->Background(), 25);
  EXPECT_TRUE(main->Sizeable());
  EXPECT_EQ(main->Find("TipFeelSlider")->QuickTip(), "Tip feel");
  EXPECT_EQ(main->FindAs<ZafPrompt>("VersionPrompt")->Alignment(), ZafAlignment::kRight);
  EXPECT_TRUE(dialog->FindAs<ZafButton>("CancelButton")->IsCancel());
}

// A dialog of the application's own class, which handles its events itself.
using COwnDialog = CEventLog<ZafDialogWindow>;

TEST_F(ZafObjectPersistenceTest, AWindowNameWithAMakerIsReadIntoThatClass) {
  m_persistence->SetWindowMaker("TestDialog", [] { return std::make_unique<COwnDialog>(); });
  auto dialog = Load("TestDialog");
  auto* own = dynamic_cast<COwnDialog*>(dialog.get());
  ASSERT_NE(own, nullptr);
  EXPECT_TRUE(own->Modal());
  // Other windows keep their stored class; without the maker so does this one.
  EXPECT_EQ(dynamic_cast<COwnDialog*>(Load("TestMain").get()), nullptr);
  m_persistence->SetWindowMaker("TestDialog", nullptr);
  EXPECT_EQ(dynamic_cast<COwnDialog*>(Load("TestDialog").get()), nullptr);
}

TEST_F(ZafObjectPersistenceTest, OnlyAWindowIsReadIntoAWindowAndOnlyWindowsBecomePages) {
  const StResourceObject button = Stored("ZafButton");
  CZncWriter writer;
  ASSERT_EQ(writer.AddWindow("NotAWindow", button), kStatusOk);
  ASSERT_EQ(writer.AddWindow("ButtonPage", Stored("ZafWindow", {Stored("ZafNotebook", {button})})),
            kStatusOk);
  ZafStorage storage;
  ASSERT_EQ(storage.OpenBytes(writer.Build()), kStatusOk);
  ZafObjectPersistence persistence(storage);
  ZafDialogWindow window;
  EXPECT_EQ(persistence.ReadInto(window, "NotAWindow"), kStatusWrongClass);
  std::unique_ptr<ZafWindow> read;
  EXPECT_EQ(persistence.ReadWindow("NotAWindow", read), kStatusWrongClass);
  EXPECT_EQ(persistence.ReadWindow("ButtonPage", read), kStatusWrongClass);
}

TEST_F(ZafObjectPersistenceTest, DataObjectsAreReadAsTheirClassAndBitmapsKeptOnce) {
  std::unique_ptr<ZafData> data;
  ASSERT_EQ(m_persistence->ReadData("Greeting", data), kStatusOk);
  EXPECT_EQ(dynamic_cast<ZafStringData&>(*data).Text(), "Hello");
  ASSERT_EQ(m_persistence->ReadData("Count", data), kStatusOk);
  EXPECT_EQ(dynamic_cast<ZafIntegerData&>(*data).Value(), -42);

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
  EXPECT_EQ(m_persistence->ReadLanguageData("Greeting", "en", strings), kStatusWrongClass);
}

TEST_F(ZafObjectPersistenceTest, TheDefaultPersistenceIsClearedWhenItGoes) {
  ZafObjectPersistence::SetDefault(m_persistence.get());
  m_persistence.reset();
  EXPECT_EQ(ZafObjectPersistence::Default(), nullptr);
}

}  // namespace
