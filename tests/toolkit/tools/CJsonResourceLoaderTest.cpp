#include <filesystem>

#include <gtest/gtest.h>

#include "support/CTempDir.h"
#include "toolkit/tools/CJsonResourceLoader.h"

namespace {

// Each bad source is refused with the file and the field in the message.
TEST(CJsonResourceLoader, BadSourcesNameTheFileAndTheField) {
  struct Row {
    const char* file;
    const char* text;
    const char* mentions;
  };
  const Row rows[] = {
      {"windows/A.json", R"({"class":"ZafWindow","colour":3})", "field \"colour\": unknown field"},
      {"windows/B.json", R"({"text":"no class"})", "field \"class\": is missing"},
      {"windows/C.json", R"({"class":"ZafWidget"})", "unknown class \"ZafWidget\""},
      {"windows/D.json",
       R"({"class":"ZafWindow","children":[{"class":"ZafButton","style":["slider"]}]})",
       "field \"children[0].style\": style \"slider\" does not apply to ZafButton"},
      {"windows/E.json", R"({"class":"ZafWindow","region":[0,0,-1,5]})", "field \"region[2]\""},
      {"windows/F.json", R"({"class":"ZafWindow","foreground":252})",
       "field \"foreground\": must lie in 0..251"},
      {"windows/G.json", R"({"class":"ZafNotebook","children":[{"class":"ZafButton"}]})",
       "a notebook page must be a ZafWindow"},
      {"windows/I.json", R"({"class":"ZafWindow",)", "windows/I.json: "},
      {"languages/de.json", R"({"language":"fr","strings":{}})", "must equal the file name \"de\""},
      {"languages/xx.json", R"({"language":"xx","strings":{}})", "unknown language code \"xx\""},
      {"languages/en.json", R"({"language":"en","strings":{"NoTilde":"x"}})",
       "field \"strings.NoTilde\""},
      {"images/P.json", R"({"name":"P","width":2,"height":1,"palette":{".":-1},"rows":["..."]})",
       "field \"rows[0]\": must be \"width\" characters long"},
      {"images/Q.json", R"({"name":"Q","width":1,"height":1,"palette":{".":-1},"rows":["x"]})",
       "character 'x' is not in the palette"},
      {"images/R.json", R"({"name":"R","width":1,"height":1,"palette":{"ab":1},"rows":["a"]})",
       "field \"palette.ab\": a key must be one character"},
      {"data/S.json", R"({"class":"ZafBitmapData","name":"S"})",
       "must be ZafStringData or ZafIntegerData"},
      {"other/T.json", R"({})", "not in windows/"},
  };
  CTempDir sources;
  for (const Row& row : rows) {
    CJsonResourceLoader loader;
    const std::string path = sources.Write(row.file, row.text);
    EXPECT_NE(loader.LoadFile(path), kStatusOk) << row.file;
    EXPECT_NE(loader.Error().find(path), std::string::npos) << loader.Error();
    EXPECT_NE(loader.Error().find(row.mentions), std::string::npos) << loader.Error();
  }
}

TEST(CJsonResourceLoader, AWindowNamingAMissingBitmapOrLanguagesWithoutEnglishFailTheWrite) {
  CTempDir sources;
  const std::string out = sources.Path() + "/out.znc";
  CJsonResourceLoader image;
  ASSERT_EQ(
      image.LoadFile(sources.Write("windows/W.json", R"({"class":"ZafImage","bitmap":"No"})")),
      kStatusOk);
  EXPECT_NE(image.Write(out), kStatusOk);
  EXPECT_NE(image.Error().find("no image named \"No\""), std::string::npos);
  CJsonResourceLoader german;
  ASSERT_EQ(german.LoadFile(
                sources.Write("languages/de.json", R"({"language":"de","strings":{"A~B":"x"}})")),
            kStatusOk);
  EXPECT_NE(german.Write(out), kStatusOk);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
