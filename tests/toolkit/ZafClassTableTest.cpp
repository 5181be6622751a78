// A class of the application's own, described once: its header says its
// traits, one Register call says its identifier, stored styles and maker;
// the packer, the storage, the persistence and automation all know it then.

#include <gtest/gtest.h>

#include "support/CTempDir.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/ZafClassTable.h"
#include "toolkit/automation/ZafAutomation.h"
#include "toolkit/automation/ZafScript.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "toolkit/storage/ZncFormat.h"
#include "toolkit/tools/CJsonResourceLoader.h"

namespace {

// A dial of whole steps: a slider that says what it is set to in words.
class CStepDial : public ZafScrollBar {
 public:
  CStepDial() : ZafScrollBar("CStepDial") {}
  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override {
    KELVO_TRY(ZafScrollBar::ReadStored(record, persistence));
    SetSlider(true);
    return kStatusOk;
  }
  [[nodiscard]] std::string ShownText() const override { return std::to_string(Position()) + " steps"; }
};

constexpr std::uint16_t kStepDialId = 4711;

Status RegisterStepDial() {
  return ZafClassTable::Register(
      {kStepDialId, "CStepDial", znc::StyleBit("vertical"), [] { return std::make_unique<CStepDial>(); }});
}

using ZafClassTableTest = ToolkitFixture;

TEST_F(ZafClassTableTest, ANewClassIsPackedReadShownAndDrivenFromOneDescription) {
  const Status first = RegisterStepDial();
  ASSERT_TRUE(first == kStatusOk || first == kStatusAlreadyExists);
  EXPECT_EQ(RegisterStepDial(), kStatusAlreadyExists);
  EXPECT_EQ(ZafClassTable::Register({9, "CNoMaker", 0, {}}), kStatusMissingArgument);

  CTempDir sources;
  CJsonResourceLoader loader;
  ASSERT_EQ(loader.LoadFile(sources.Write("windows/DialWindow.json", R"({"class":"ZafWindow","children":[
      {"class":"CStepDial","stringId":"Dial","style":["vertical"],"minimum":0,"maximum":10,"value":3}]})")),
            kStatusOk)
      << loader.Error();
  CJsonResourceLoader refusing;
  EXPECT_EQ(refusing.LoadFile(sources.Write("windows/Bad.json",
                                            R"({"class":"ZafWindow","children":[{"class":"CStepDial","style":["modal"]}]})")),
            kStatusResourceDamaged);
  EXPECT_NE(refusing.Error().find("does not apply to CStepDial"), std::string::npos) << refusing.Error();
  const std::string file = sources.Path() + "/dial.znc";
  ASSERT_EQ(loader.Write(file), kStatusOk) << loader.Error();

  ZafStorage storage;
  ASSERT_EQ(storage.Open(file), kStatusOk);
  ZafObjectPersistence persistence(storage, &m_application->DataManager());
  std::unique_ptr<ZafWindow> window;
  ASSERT_EQ(persistence.ReadWindow("DialWindow", window), kStatusOk);
  auto* dial = window->FindAs<CStepDial>("Dial");
  ASSERT_NE(dial, nullptr);
  EXPECT_TRUE(dial->Vertical());
  EXPECT_TRUE(dial->IsSlider());
  EXPECT_EQ(dial->WidgetKind(), ZafWidgetKind::kScrollBar);

  m_application->WindowManager().Add(*window);
  auto script = std::make_unique<ZafScript>();
  ASSERT_EQ(script->Parse("expect text Dial \"3 steps\"\nslider Dial 7\nexpect value Dial 7\nexpect text Dial \"7 steps\"\n"),
            kStatusOk);
  m_presenter->SetScript(std::move(script));
  testing::internal::CaptureStderr();
  m_presenter->Automation()->RunToEnd();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(m_presenter->Automation()->Done() && !m_presenter->Automation()->Failed()) << err;
  m_application->WindowManager().Subtract(*window);
}

TEST(ZafClassTable, StoredObjectsMustPairTheirNameWithTheirClassIdentifier) {
  ASSERT_TRUE(RegisterStepDial() == kStatusOk || RegisterStepDial() == kStatusAlreadyExists);
  EXPECT_TRUE(ZafClassTable::KnowsWindowClass("CStepDial", kStepDialId));
  EXPECT_FALSE(ZafClassTable::KnowsWindowClass("CStepDial", 1005));
  // Identifiers repeat among the toolkit's own classes; names pick the row.
  EXPECT_TRUE(ZafClassTable::KnowsWindowClass("ZafWindow", 3500));
  EXPECT_TRUE(ZafClassTable::KnowsWindowClass("ZafWindow", 1007));
  EXPECT_TRUE(ZafClassTable::KnowsWindowClass("CThumbnail", 1007));
  EXPECT_EQ(ZafClassTable::FindWindowClass("ZafWindow")->id, 3500);
  // Every row of the toolkit makes an object that says it is of that class.
  for (const StClassInfo& row : ZafClassTable::WindowClasses()) {
    ASSERT_TRUE(row.make) << row.name;
    EXPECT_EQ(row.make()->ClassName(), row.name);
  }
}

}  // namespace
