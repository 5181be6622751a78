#include <cstdlib>
#include <map>

#include <gtest/gtest.h>

#include "toolkit/ToolkitFixture.h"
#include "toolkit/data/ZafLanguageData.h"

namespace {

// The resource file the build packs from resources/: every window reads, and
// every language string names a window and one of its controls ("Window~Window"
// is the window's own title). Skipped until the file has windows.
TEST(RealResourceFile, EveryWindowReadsAndEveryLanguageStringNamesOneOfItsControls) {
  const char* bin = std::getenv("KELVO_BUILD_BIN");
  const std::string path = std::string(bin != nullptr ? bin : ".") + "/Tablet.znc";
  ZafStorage storage;
  if (storage.Open(path) != kStatusOk || storage.WindowNames().empty()) {
    GTEST_SKIP() << path << " holds no windows yet";
  }
  ZafApplication application(0, nullptr, std::make_unique<ZafHeadlessPresenter>());
  ZafObjectPersistence persistence(storage, &application.DataManager());
  std::map<std::string, std::unique_ptr<ZafWindow>> windows;
  for (const std::string& name : storage.WindowNames()) {
    ASSERT_EQ(persistence.ReadWindow(name, windows[name]), kStatusOk) << name;
  }
  std::unique_ptr<ZafLanguageData> strings;
  ASSERT_EQ(persistence.ReadLanguageData("LanguageStrings", "en", strings), kStatusOk);
  for (const auto& [identifier, text] : strings->Entries()) {
    const std::size_t tilde = identifier.find('~');
    std::string control = identifier.substr(tilde + 1);
    if (control.ends_with("_QTIP")) control.resize(control.size() - 5);
    const auto window = windows.find(identifier.substr(0, tilde));
    ASSERT_NE(window, windows.end()) << identifier << ": no such window";
    if (control != window->first) {
      EXPECT_NE(window->second->Find(control), nullptr) << identifier;
    }
  }
}

}  // namespace
