// kelvo-selfcheck: shows what the driver link and the platform stand-ins see
// on this machine, the way the applet would at start-up: version record,
// Windows version, languages, registry values, and one request to the driver.

#include <cstdio>
#include <string>

#include "driver/CDataKey.h"
#include "driver/CWintabLibrary.h"
#include "platform/CRegistryFile.h"
#include "platform/Locale.h"
#include "protocol/StDriverPacket.h"
#include "services/CDriverInterface.h"
#include "services/CObjectFactory.h"
#include "services/CRegistryManager.h"

namespace {

constexpr std::uint16_t kTabletCountCode = 28;
constexpr std::uint32_t kTabletCountIndex = 2;

void ShowRegistryValue(CRegistryManager& registry, const char* name) {
  char text[256] = {};
  const Status status = registry.ReadString(name, text, sizeof text);
  if (status == kStatusOk)
    std::printf("  %-22s \"%s\"\n", name, text);
  else
    std::printf("  %-22s not set (status 0x%04X)\n", name, status);
}

}  // namespace

int main() {
  std::printf("Tablet Properties: driver link self-check\n");

  VersionRecord version{};
  if (ParseVersionString(kAppletVersionString, version) == kStatusOk)
    std::printf("  %-22s %s -> %u %u %u %u %u\n", "applet version", kAppletVersionString,
                version[0], version[1], version[2], version[3], version[4]);

  CRegistryManager registry;
  std::printf("  %-22s %u\n", "Windows version code", registry.GetWindowsVersion());
  bool known = false;
  const std::uint32_t user = CRegistryManager::UserLanguage(&known);
  std::printf("  %-22s %s (index %u, locale id 0x%04X%s)\n", "user language",
              CRegistryManager::GetLanguageCode(user), user, GetUserDefaultLCID(),
              known ? "" : ", not in the language table");
  const std::uint32_t selected = registry.SelectLanguage();
  std::printf("  %-22s %s (index %u)\n", "selected language",
              CRegistryManager::GetLanguageCode(selected), selected);

  const std::string registryPath = RegistryFilePath();
  CRegistryFile file;
  const std::string problem = file.Load(registryPath);
  std::printf("  %-22s %s (%zu keys", "registry file", registryPath.c_str(), file.GetKeyCount());
  if (!problem.empty()) std::printf(", not read: %s", problem.c_str());
  if (!file.GetBadLines().empty())
    std::printf(", %zu bad lines skipped", file.GetBadLines().size());
  std::printf(")\n");
  for (const char* name :
       {"OEMCPLName", "OEMCPLComment", "BaseLanguages", "TestLanguages", "OEMDocLocation"})
    ShowRegistryValue(registry, name);

  CWintabLibrary library;
  const bool loaded = library.Load();
  std::printf("  %-22s %s%s%s\n", "wintab library", CWintabLibrary::DefaultPath().c_str(),
              loaded ? "" : ": ", loaded ? "" : library.GetError().c_str());

  CDataKey count;
  count.AppendLevel(kTabletCountCode, kTabletCountIndex);
  std::uint32_t tablets = 0;
  const Status status = count.Request(kCommandGet, sizeof tablets, &tablets);
  if (status == kStatusOk)
    std::printf("  %-22s %u\n", "tablets", tablets);
  else
    std::printf("  %-22s status 0x%04X%s\n", "tablet count request", status,
                status == kStatusNoDriverInterface
                    ? " (no driver answers: no tablet service is plugged into libwintab32 yet)"
                    : "");
  ReleaseDriverInterface();
  ReleaseObjectFactory();
  return 0;
}
