#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "toolkit/storage/ZafStorage.h"
#include "toolkit/tools/CJsonResourceLoader.h"

namespace {

namespace fs = std::filesystem;

class CJsonResourceLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::path(::testing::TempDir()) / ("loader-" + std::to_string(::getpid()));
    fs::remove_all(m_root);
    for (const char* folder : {"windows", "languages", "images", "data", "other"}) fs::create_directories(m_root / folder);
  }
  void TearDown() override { fs::remove_all(m_root); }
  fs::path Write(const std::string& relative, const std::string& text) {
    const fs::path path = m_root / relative;
    std::ofstream(path) << text;
    return path;
  }
  fs::path m_root;
};

// Each bad source is refused with the file and the field in the message.
TEST_F(CJsonResourceLoaderTest, BadSourcesNameTheFileAndTheField) {
  struct Row {
    const char* file;
    const char* text;
    const char* mentions;
  };
  const Row rows[] = {
      {"windows/A.json", R"({"class":"ZafWindow","colour":3})", "field \"colour\": unknown field"},
      {"windows/B.json", R"({"text":"no class"})", "field \"class\": is missing"},
      {"windows/C.json", R"({"class":"ZafWidget"})", "unknown class \"ZafWidget\""},
      {"windows/D.json", R"({"class":"ZafWindow","children":[{"class":"ZafButton","style":["slider"]}]})",
       "field \"children[0].style\": style \"slider\" does not apply to ZafButton"},
      {"windows/E.json", R"({"class":"ZafWindow","region":[0,0,-1,5]})", "field \"region[2]\""},
      {"windows/F.json", R"({"class":"ZafWindow","foreground":252})", "field \"foreground\": must lie in 0..251"},
      {"windows/G.json", R"({"class":"ZafNotebook","children":[{"class":"ZafButton"}]})", "a notebook page must be a ZafWindow"},
      {"windows/H.json", R"({"class":"ZafComboBox","entries":[{"text":"a","id":"x"}]})", "field \"entries[0].id\": unknown field"},
      {"windows/I.json", R"({"class":"ZafWindow",)", "windows/I.json: "},
      {"languages/de.json", R"({"language":"fr","strings":{}})", "must equal the file name \"de\""},
      {"languages/xx.json", R"({"language":"xx","strings":{}})", "unknown language code \"xx\""},
      {"languages/en.json", R"({"language":"en","strings":{"NoTilde":"x"}})", "field \"strings.NoTilde\""},
      {"images/P.json", R"({"name":"P","width":2,"height":1,"palette":{".":-1},"rows":["..."]})",
       "field \"rows[0]\": must be \"width\" characters long"},
      {"images/Q.json", R"({"name":"Q","width":1,"height":1,"palette":{".":-1},"rows":["x"]})",
       "character 'x' is not in the palette"},
      {"images/R.json", R"({"name":"R","width":1,"height":1,"palette":{"ab":1},"rows":["a"]})",
       "field \"palette.ab\": a key must be one character"},
      {"data/S.json", R"({"class":"ZafBitmapData","name":"S"})", "must be ZafStringData or ZafIntegerData"},
      {"other/T.json", R"({})", "not in windows/"},
  };
  for (const Row& row : rows) {
    CJsonResourceLoader loader;
    const fs::path path = Write(row.file, row.text);
    EXPECT_NE(loader.LoadFile(path), kStatusOk) << row.file;
    EXPECT_NE(loader.Error().find(path.string()), std::string::npos) << loader.Error();
    EXPECT_NE(loader.Error().find(row.mentions), std::string::npos) << loader.Error();
  }
}

TEST_F(CJsonResourceLoaderTest, AWindowNamingAMissingBitmapOrLanguagesWithoutEnglishFailTheWrite) {
  const std::string out = (m_root / "out.znc").string();
  {
    CJsonResourceLoader loader;
    ASSERT_EQ(loader.LoadFile(Write("windows/W.json", R"({"class":"ZafImage","bitmap":"Nowhere"})")), kStatusOk);
    EXPECT_NE(loader.Write(out), kStatusOk);
    EXPECT_NE(loader.Error().find("no image named \"Nowhere\""), std::string::npos);
  }
  {
    CJsonResourceLoader loader;
    ASSERT_EQ(loader.LoadFile(Write("languages/de.json", R"({"language":"de","strings":{"A~B":"x"}})")), kStatusOk);
    EXPECT_NE(loader.Write(out), kStatusOk);
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(CJsonResourceLoaderTest, LanguagesJoinIntoOneLanguageStringsObject) {
  CJsonResourceLoader loader;
  ASSERT_EQ(loader.LoadFile(Write("languages/en.json", R"({"language":"en","strings":{"W~C":"Hello"}})")), kStatusOk);
  ASSERT_EQ(loader.LoadFile(Write("languages/ja.json", R"({"language":"ja","strings":{"W~C":"こんにちは"}})")),
            kStatusOk);
  const std::string out = (m_root / "out.znc").string();
  ASSERT_EQ(loader.Write(out), kStatusOk);
  ZafStorage storage;
  ASSERT_EQ(storage.Open(out), kStatusOk);
  StResourceData strings;
  ASSERT_EQ(storage.ReadData("LanguageStrings", strings), kStatusOk);
  EXPECT_EQ(strings.languages.at("ja").at("W~C"), "こんにちは");
  EXPECT_EQ(strings.languages.at("en").at("W~C"), "Hello");
}

}  // namespace
