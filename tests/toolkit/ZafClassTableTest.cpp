// A class of the application's own, described once: its header says its
// traits, one Register call says its identifier, stored styles and maker;
// the packer, the storage and the persistence all know it then.

#include <gtest/gtest.h>

#include "support/CTempDir.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafClassTable.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/storage/ZncFormat.h"
#include "toolkit/tools/CJsonResourceLoader.h"

namespace {

// A dial: a slider whatever its stored styles say.
class CStepDial : public ZafScrollBar {
 public:
  CStepDial() : ZafScrollBar("CStepDial") {}
  [[nodiscard]] Status ReadStored(const StResourceObject& record,
                                  ZafObjectPersistence& persistence) override {
    KELVO_TRY(ZafScrollBar::ReadStored(record, persistence));
    SetSlider(true);
    return kStatusOk;
  }
};

constexpr std::uint16_t kStepDialId = 4711;

Status RegisterStepDial() {
  return ZafClassTable::Register({kStepDialId, "CStepDial", znc::StyleBit("vertical"),
                                  [] { return std::make_unique<CStepDial>(); }});
}

using ZafClassTableTest = ToolkitFixture;

TEST_F(ZafClassTableTest, ANewClassIsPackedAndReadFromOneDescription) {
  DropStatus(RegisterStepDial(), "registered once for the whole program");
  EXPECT_EQ(RegisterStepDial(), kStatusAlreadyExists);
  EXPECT_EQ(ZafClassTable::Register({9, "CNoMaker", 0, {}}), kStatusMissingArgument);

  CTempDir sources;
  CJsonResourceLoader loader;
  ASSERT_EQ(loader.LoadFile(sources.Write("windows/DialWindow.json", R"({"class":"ZafWindow",
      "children":[{"class":"CStepDial","stringId":"Dial","style":["vertical"],"value":3}]})")),
            kStatusOk)
      << loader.Error();
  ASSERT_EQ(loader.Write(sources.Path() + "/dial.znc"), kStatusOk) << loader.Error();

  ZafStorage storage;
  ASSERT_EQ(storage.Open(sources.Path() + "/dial.znc"), kStatusOk);
  ZafObjectPersistence persistence(storage, &m_application->DataManager());
  std::unique_ptr<ZafWindow> window;
  ASSERT_EQ(persistence.ReadWindow("DialWindow", window), kStatusOk);
  auto* dial = window->FindAs<CStepDial>("Dial");
  ASSERT_NE(dial, nullptr);
  EXPECT_TRUE(dial->Vertical());
  EXPECT_TRUE(dial->IsSlider());
  EXPECT_EQ(dial->Position(), 3);
}

TEST(ZafClassTable, StoredObjectsMustPairTheirNameWithTheirClassIdentifier) {
  DropStatus(RegisterStepDial(), "registered once for the whole program");
  EXPECT_TRUE(ZafClassTable::KnowsWindowClass("CStepDial", kStepDialId));
  EXPECT_FALSE(ZafClassTable::KnowsWindowClass("CStepDial", 1005));
  // Identifiers repeat among the toolkit's own classes; names pick the row.
  EXPECT_TRUE(ZafClassTable::KnowsWindowClass("ZafWindow", 3500));
  EXPECT_TRUE(ZafClassTable::KnowsWindowClass("ZafWindow", 1007));
  EXPECT_TRUE(ZafClassTable::KnowsWindowClass("CThumbnail", 1007));
  // Every row of the toolkit makes an object that says it is of that class.
  for (const StClassInfo& row : ZafClassTable::WindowClasses()) {
    ASSERT_TRUE(row.make) << row.name;
    EXPECT_EQ(row.make()->ClassName(), row.name);
  }
}

}  // namespace
