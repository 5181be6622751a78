#include <array>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "services/CRegistryManager.h"
#include "services/LanguageStringLookup.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

namespace {

// The code of the system the environment reports, worked out once per manager;
// a malformed report is a system that cannot say.
TEST(WindowsVersionCode, FromWhatTheSystemReportsWorkedOutOnce) {
  const std::pair<const char*, std::uint32_t> cases[] = {
      {"1.4.0", 1}, {"1.4.10", 2}, {"1.4.90", 3}, {"2.3.51", 5}, {"2.4.0", 6},
      {"2.5.0", 7}, {"2.5.1", 8},  {"2.5.2", 11}, {"2.6.0", 8},  {"3.5.1", 0},
      {"fail", 0},  {"2.5", 0},    {"2.5.1x", 0}, {"2.x.1", 0}};
  for (const auto& [reported, code] : cases) {
    CScopedEnv version("KELVO_WINDOWS_VERSION", reported);
    EXPECT_EQ(CRegistryManager().GetWindowsVersion(), code) << reported;
  }
  CScopedEnv version("KELVO_WINDOWS_VERSION", "2.5.0");
  CRegistryManager manager;
  EXPECT_EQ(manager.GetWindowsVersion(), kWindows2000);
  CScopedEnv later("KELVO_WINDOWS_VERSION", "2.5.2");
  EXPECT_EQ(manager.GetWindowsVersion(), kWindows2000);
}

const char kRegistry[] =
    "Windows Registry Editor Version 5.00\n"
    "[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n"
    "\"OEMCPLName\"=\"Pen Tablet\"\n"
    "\"CPLIcon\"=dword:00000066\n";

class RegistryReads : public ::testing::Test {
 protected:
  void Use(const std::string& content) {
    m_file.emplace("KELVO_REGISTRY", m_dir.Write("r.reg", content));
  }
  void SetUp() override { Use(kRegistry); }

  CTempDir m_dir;
  std::optional<CScopedEnv> m_file;
  CScopedEnv m_version{"KELVO_WINDOWS_VERSION", std::nullopt};
};

TEST_F(RegistryReads, ReadValueAnswersWindowsCodes) {
  CRegistryManager manager;
  std::array<char, 32> buffer{};
  DWORD size = buffer.size();
  DWORD kind = 99;
  EXPECT_EQ(manager.ReadValue("OEMCPLName", buffer.data(), &size, &kind), ERROR_SUCCESS);
  EXPECT_STREQ(buffer.data(), "Pen Tablet");
  EXPECT_EQ(kind, REG_SZ);
  EXPECT_EQ(size, 11U);
  EXPECT_EQ(manager.ReadValue(nullptr, buffer.data(), &size, &kind), ERROR_INVALID_DATA);
  buffer.fill('x');
  size = buffer.size();
  EXPECT_EQ(manager.ReadValue("Nothing", buffer.data(), &size, &kind), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(kind, REG_NONE);
  EXPECT_EQ(buffer, (std::array<char, 32>{})) << "zero-filled over the given size";
  const CScopedEnv unknown("KELVO_WINDOWS_VERSION", "3.5.1");
  EXPECT_EQ(CRegistryManager().ReadValue("OEMCPLName", buffer.data(), &size, &kind),
            ERROR_NOT_READY);
}

TEST_F(RegistryReads, StringAndNumberStatusMapping) {
  struct Case {
    const char* name;
    const char* registry;  // null: the default file
    const char* version;   // null: the default system
    Status expected;
  };
  const std::string longValue =
      std::string(kRegistry) + "\"Long\"=\"" + std::string(300, 'x') + "\"\n";
  const Case cases[] = {
      {"OEMCPLName", nullptr, nullptr, kStatusOk},
      {"Missing", nullptr, nullptr, kStatusHandled},
      {"OEMCPLName", "REGEDIT4\n", nullptr, kStatusNoChild},
      {"Long", longValue.c_str(), nullptr, kStatusNoItem},
      {"OEMCPLName", nullptr, "fail", kStatusNoItem},
  };
  for (const Case& c : cases) {
    if (c.registry != nullptr) Use(c.registry);
    CScopedEnv version("KELVO_WINDOWS_VERSION", c.version);
    CRegistryManager manager;
    char text[8] = "keep";
    EXPECT_EQ(manager.ReadString(c.name, text, sizeof text), c.expected) << c.name;
    if (c.expected != kStatusOk) {
      EXPECT_STREQ(text, "keep") << "left unchanged: " << c.name;
    }
    std::uint32_t number = 77;
    const char* numberName = std::strcmp(c.name, "OEMCPLName") == 0 ? "CPLIcon" : c.name;
    EXPECT_EQ(manager.ReadNumber(numberName, &number), c.expected) << numberName;
    EXPECT_EQ(number, c.expected == kStatusOk ? 0x66U : 77U) << numberName;
    Use(kRegistry);
  }
}

TEST_F(RegistryReads, StringIsCutToTheGivenSize) {
  CRegistryManager manager;
  char text[5] = "????";
  EXPECT_EQ(manager.ReadString("OEMCPLName", text, sizeof text), kStatusOk);
  EXPECT_STREQ(text, "Pen ");
  EXPECT_EQ(manager.ReadString("OEMCPLName", text, 1), kStatusOk);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(manager.ReadString("OEMCPLName", text, 0), kStatusNoItem);
}

// Only the manuals' folder has a default: "doc" beside the module.
TEST_F(RegistryReads, TheManualsFolderDefaultsToDocBesideTheModule) {
  CRegistryManager manager;
  char text[4096] = {};
  Use("REGEDIT4\n");
  ASSERT_EQ(manager.ReadString("OEMDocLocation", text, sizeof text), kStatusOk);
  EXPECT_EQ(std::filesystem::path(text),
            std::filesystem::canonical("/proc/self/exe").parent_path() / "doc");
  EXPECT_EQ(manager.ReadString("OEMHelpFolder", text, sizeof text), kStatusNoChild);
  Use(std::string(kRegistry) + "\"OEMDocLocation\"=\"/opt/manuals\"\n");
  ASSERT_EQ(manager.ReadString("OEMDocLocation", text, sizeof text), kStatusOk);
  EXPECT_STREQ(text, "/opt/manuals");
}

TEST(UserLanguage, FromTheLocaleId) {
  struct Case {
    LCID lcid;
    std::uint32_t index;
    bool known;
  };
  // Chinese goes by its sublanguage; others by the primary language alone.
  const Case cases[] = {
      {0x0404, 2, true}, {0x0C04, 2, true}, {0x0804, 1, true},  {0x1804, 1, false},
      {0x0807, 5, true}, {0x0C0A, 9, true}, {0x0415, 0, false}, {0x0400, 0, false},
  };
  for (const Case& c : cases) {
    bool known = !c.known;
    EXPECT_EQ(CRegistryManager::LanguageOfLcid(c.lcid, &known), c.index) << std::hex << c.lcid;
    EXPECT_EQ(known, c.known) << std::hex << c.lcid;
  }
}

TEST(SelectLanguage, UserLocaleAndRegistryLists) {
  struct Case {
    const char* locale;
    const char* base;  // null: value absent
    const char* test;
    std::uint32_t expected;
  };
  // A test list wins over the base list; blanks around codes are not codes;
  // codes compare case-sensitively.
  const Case cases[] = {{"de_DE", nullptr, nullptr, 5}, {"sv_SE", nullptr, "sv de", 14},
                        {"pl_PL", "fr", nullptr, 4},    {"fr_FR", "de", "", 4},
                        {"pl_PL", "fr", "de", 5},       {"ja_JP", nullptr, "  ja  de", 6},
                        {"de_DE", nullptr, "fr DE", 4}, {"ru_RU", nullptr, "   ", 13}};
  for (const Case& c : cases) {
    CTempDir dir;
    std::string file =
        "REGEDIT4\n[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n\"Other\"=\"x\"\n";
    if (c.base != nullptr) file += std::string("\"BaseLanguages\"=\"") + c.base + "\"\n";
    if (c.test != nullptr) file += std::string("\"TestLanguages\"=\"") + c.test + "\"\n";
    CScopedEnv registry("KELVO_REGISTRY", dir.Write("r.reg", file));
    CScopedEnv all("LC_ALL", c.locale);
    CScopedEnv version("KELVO_WINDOWS_VERSION", std::nullopt);
    CRegistryManager manager;
    EXPECT_EQ(manager.SelectLanguage(), c.expected)
        << c.locale << " base=" << (c.base ? c.base : "-") << " test=" << (c.test ? c.test : "-");
  }
}

LanguageStringTables MakeTables() {
  return {
      {3001, {{"1", "OK"}, {"7", "Seven"}}},
      {2100, {{"91", "Pen Tablet"}, {"12", "Model 12"}}},
      {2102, {{"3", "Eraser"}}},
  };
}

TEST(LanguageStringLookup, Outcomes) {
  struct Case {
    const char* table;
    std::uint16_t number;
    bool withOut;
    Status status;
    const char* out;  // what the out text holds afterwards
  };
  const Case cases[] = {
      {"3001", 1, true, kStatusOk, "OK"},
      {"3001", 2, true, kStatusNotFound, " "},
      {"2100", 12, true, kStatusOk, "Model 12"},
      {"2100", 7, true, kStatusOk, "Pen Tablet"},  // falls back to "91" of the same table
      {"2102", 7, true, kStatusNotFound, " "},     // only table 2100 falls back
      {"1089", 1, true, kStatusNotFound, "keep"},  // no such table: out untouched
      {"3001", 1, false, kStatusNoOutText, nullptr},
      {"2100", 7, false, kStatusNoOutText, nullptr},
      {"3001", 2, false, kStatusNotFound, nullptr},
  };
  const LanguageStringTables tables = MakeTables();
  for (const Case& c : cases) {
    char out[32] = "keep";
    EXPECT_EQ(LookupLanguageString(tables, c.table, c.number, c.withOut ? out : nullptr), c.status)
        << c.table << "/" << c.number;
    if (c.out != nullptr) {
      EXPECT_STREQ(out, c.out) << c.table << "/" << c.number;
    }
  }
  char out[8] = "keep";
  EXPECT_EQ(LookupLanguageString(tables, nullptr, 1, out), kStatusNotFound);
  LanguageStringTables withoutFallback = MakeTables();
  withoutFallback[2100].erase("91");
  EXPECT_EQ(LookupLanguageString(withoutFallback, "2100", 7, out), kStatusNotFound);
  EXPECT_STREQ(out, " ") << "the fallback needs a string of its own";
}

}  // namespace
