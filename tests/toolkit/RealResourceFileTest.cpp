#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/data/ZafLanguageData.h"

namespace {

// The resource file the build packs from resources/; skipped until it has windows.
// The names the applet looks up in it are checked where the applet binds them.
class RealResourceFileTest : public ToolkitFixture {
 protected:
  void SetUp() override {
    ToolkitFixture::SetUp();
    const char* bin = std::getenv("KELVO_BUILD_BIN");
    const std::string path = std::string(bin != nullptr ? bin : ".") + "/Tablet.znc";
    if (m_real.Open(path) != kStatusOk || m_real.WindowNames().empty()) {
      GTEST_SKIP() << path << " holds no windows yet";
    }
    m_realPersistence = std::make_unique<ZafObjectPersistence>(m_real, &m_application->DataManager());
  }
  ZafStorage m_real;
  std::unique_ptr<ZafObjectPersistence> m_realPersistence;
};

TEST_F(RealResourceFileTest, EveryWindowIsRealisedAndEveryLanguageStringNamesOneOfItsControls) {
  std::map<std::string, std::unique_ptr<ZafWindow>> windows;
  for (const std::string& name : m_real.WindowNames()) {
    ASSERT_EQ(m_realPersistence->ReadWindow(name, windows[name]), kStatusOk) << name;
    m_application->WindowManager().Add(*windows[name]);
    EXPECT_TRUE(m_application->WindowManager().Contains(*windows[name])) << name;
    m_application->WindowManager().Subtract(*windows[name]);
  }
  std::unique_ptr<ZafLanguageData> strings;
  ASSERT_EQ(m_realPersistence->ReadLanguageData("LanguageStrings", "en", strings), kStatusOk);
  for (const char* code : {"en", "de", "fr", "ja", "zhc", "zht"})
    EXPECT_TRUE(strings->HasLanguage(code)) << code;
  for (const auto& [identifier, text] : strings->Entries()) {
    const std::size_t tilde = identifier.find('~');
    std::string control = identifier.substr(tilde + 1);
    if (control.size() > 5 && control.ends_with("_QTIP")) control.resize(control.size() - 5);
    auto window = windows.find(identifier.substr(0, tilde));
    if (window == windows.end()) {
      ADD_FAILURE() << identifier << ": no such window";
      continue;
    }
    // "Window~Window" is the window's own title.
    if (control == window->first) continue;
    EXPECT_NE(window->second->Find(control), nullptr) << identifier;
  }
}

}  // namespace
