#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/data/ZafLanguageData.h"

namespace {

using ZafLanguageDataTest = ToolkitFixture;

TEST_F(ZafLanguageDataTest, AChosenLanguageOverridesEnglishAndFallsBackToItPerString) {
  std::unique_ptr<ZafLanguageData> strings;
  ASSERT_EQ(m_persistence->ReadLanguageData("LanguageStrings", "en", strings), kStatusOk);
  EXPECT_EQ(*strings->Text("TestMain~ClickSound"), "Click sound");

  strings->SetLanguage("de");
  EXPECT_EQ(*strings->Text("TestMain~ClickSound"), "Klickton");
  // Not translated: the English text.
  EXPECT_EQ(*strings->Text("TestMain~TipFeelSlider_QTIP"), "How hard you press");
  EXPECT_EQ(strings->Text("TestMain~Nothing"), nullptr);

  // The form the main window walks: every identifier once, the chosen language first.
  const auto entries = strings->Entries();
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"2100~91", "Grafiktablett"},
      {"TestMain~ClickSound", "Klickton"},
      {"TestMain~TipFeelSlider_QTIP", "How hard you press"}};
  EXPECT_EQ(entries, expected);

  // A language without strings of its own shows English throughout.
  strings->SetLanguage(std::string(ZafLanguageData::CodeForIndex(7)));
  EXPECT_EQ(*strings->Text("TestMain~ClickSound"), "Click sound");
}

}  // namespace
