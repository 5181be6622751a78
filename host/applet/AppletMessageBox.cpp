#include "host/applet/AppletMessageBox.h"

#include "platform/CodePage.h"
#include "services/CRegistryManager.h"
#include "toolkit/ZafApplication.h"

namespace {
std::uint32_t g_codePage = 1252;
}  // namespace

std::uint32_t CodePageOfLanguage(std::uint32_t languageIndex) {
  switch (languageIndex) {
    case kLanguageSimplifiedChinese: return 936;
    case kLanguageTraditionalChinese: return 950;
    case kLanguageJapanese: return 932;
    case kLanguageKorean: return 949;
    case kLanguageRussian: return 1251;
    default: return 1252;
  }
}

std::uint32_t SetMessageBoxCodePage(std::uint32_t codePage) {
  const std::uint32_t previous = g_codePage;
  g_codePage = codePage;
  return previous;
}

std::int32_t MessageBoxA(void* /*owner*/, const char* text, const char* caption, std::uint32_t /*type*/) {
  ZafApplication* application = ZafApplication::Get();
  if (application == nullptr) return 0;
  const std::string title = DecodeCodePage(caption != nullptr ? caption : "", g_codePage);
  const std::string body = DecodeCodePage(text != nullptr ? text : "", g_codePage);
  (void)application->Presenter().MessageBox(title, body, ZafMessageButtons::kOk);
  return kMessageBoxOk;
}
