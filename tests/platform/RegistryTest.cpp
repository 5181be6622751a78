#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/CRegistryFile.h"
#include "platform/Registry.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

#include <sys/stat.h>

namespace {

constexpr char kParameters[] = "HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters";

const char kGoodFile[] =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; the applet's own values\r\n"
    "[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\r\n"
    "\"OEMCPLName\"=\"Pen \\\"Tablet\\\" C:\\\\x\"\r\n"
    "\"CPLIcon\"=dword:00000066\r\n"
    "\"Blob\"=hex:01,02,\\\r\n"
    "  ff\r\n"
    "@=\"default\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\kelvo]\r\n"
    "\"UseHID\"=dword:1\r\n";

std::string Text(const StRegistryValue* value) {
  if (value == nullptr || value->data.empty()) return "<none>";
  return std::string(value->data.begin(), value->data.end() - 1);
}

// The bytes of a value of the given kind; none for a value of another kind.
std::vector<BYTE> Data(const StRegistryValue* value, DWORD type) {
  return value != nullptr && value->type == type ? value->data : std::vector<BYTE>{};
}

TEST(RegistryFileParse, ReadsStringsNumbersBinaryDefaultAndTheKeysAbove) {
  CRegistryFile file;
  file.Parse(kGoodFile);
  EXPECT_TRUE(file.GetBadLines().empty());
  EXPECT_EQ(Text(file.FindValue(kParameters, "oemcplname")), "Pen \"Tablet\" C:\\x");
  EXPECT_EQ(Text(file.FindValue(kParameters, "")), "default");
  EXPECT_EQ(Data(file.FindValue("hkey_users\\.default\\SOFTWARE\\kelvo\\parameters", "CPLIcon"),
                 REG_DWORD),
            (std::vector<BYTE>{0x66, 0, 0, 0}));
  EXPECT_EQ(Data(file.FindValue(kParameters, "Blob"), REG_BINARY), (std::vector<BYTE>{1, 2, 0xFF}));
  EXPECT_EQ(Data(file.FindValue("HKEY_LOCAL_MACHINE\\Software\\kelvo", "UseHID"), REG_DWORD),
            (std::vector<BYTE>{1, 0, 0, 0}));
  EXPECT_TRUE(file.HasKey("HKEY_USERS\\.DEFAULT\\Software"));
  EXPECT_FALSE(file.HasKey("HKEY_USERS\\.DEFAULT\\Soft"));
  EXPECT_FALSE(file.HasKey("HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters\\Deeper"));
}

TEST(RegistryFileParse, LaterLinesOverrideAndRemove) {
  CRegistryFile file;
  file.Parse(
      "REGEDIT4\n"
      "[HKEY_USERS\\A]\n\"x\"=\"1\"\n\"y\"=\"2\"\n"
      "[HKEY_USERS\\A\\B]\n\"z\"=\"3\"\n"
      "[HKEY_USERS\\a]\n\"X\"=\"4\"\n\"y\"=-\n"
      "[-HKEY_USERS\\A\\B]\n\"w\"=\"dropped\"\n");
  EXPECT_TRUE(file.GetBadLines().empty());
  EXPECT_EQ(Text(file.FindValue("HKEY_USERS\\A", "x")), "4");
  EXPECT_EQ(file.FindValue("HKEY_USERS\\A", "y"), nullptr);
  EXPECT_FALSE(file.HasKey("HKEY_USERS\\A\\B"));
}

// A bad line is skipped alone: what comes before and after it is read.
TEST(RegistryFileParse, BadLinesAreSkippedAndTheRestIsRead) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::size_t> badLines;
    bool keepsFirst;  // "a"="1" of the first key
    bool keepsLast;   // "c"="2" after the bad line
  };
  const std::string head = "Windows Registry Editor Version 5.00\n[HKEY_USERS\\K]\n\"a\"=\"1\"\n";
  const std::string tail = "\"c\"=\"2\"\n";
  const Case cases[] = {
      {"no header", "[HKEY_USERS\\K]\n\"a\"=\"1\"\n" + tail, {1}, true, true},
      {"value before any key", "REGEDIT4\n\"a\"=\"1\"\n[HKEY_USERS\\K]\n" + tail, {2}, false, true},
      {"unterminated string", head + "\"b\"=\"open\n" + tail, {4}, true, true},
      {"text after the string", head + "\"b\"=\"x\" y\n" + tail, {4}, true, true},
      {"dword too long", head + "\"b\"=dword:123456789\n" + tail, {4}, true, true},
      {"hex byte of three digits", head + "\"b\"=hex:012\n" + tail, {4}, true, true},
      {"hex type not hex", head + "\"b\"=hex(z):01\n" + tail, {4}, true, true},
      {"unknown kind", head + "\"b\"=float:1.5\n" + tail, {4}, true, true},
      {"no equals sign", head + "\"b\" \"c\"\n" + tail, {4}, true, true},
      {"two bad lines", head + "b\n\"b\"=\n" + tail, {4, 5}, true, true},
      {"continued over a bad line", head + "\"b\"=hex:01,\\\n  zz\n" + tail, {4}, true, true},
      // Values under a key that cannot be read go nowhere, not to the key before.
      {"unknown root", head + "[HKEY_NOWHERE\\X]\n" + tail, {4}, true, false},
      {"unclosed key", head + "[HKEY_USERS\\X\n" + tail, {4}, true, false},
      {"continuation to the end", head + "\"b\"=hex:01,\\\n", {4}, true, false},
  };
  for (const Case& c : cases) {
    CRegistryFile file;
    file.Parse(c.text);
    EXPECT_EQ(file.GetBadLines(), c.badLines) << c.name;
    EXPECT_EQ(file.FindValue("HKEY_USERS\\K", "a") != nullptr, c.keepsFirst) << c.name;
    EXPECT_EQ(file.FindValue("HKEY_USERS\\K", "b"), nullptr) << c.name;
    EXPECT_EQ(Text(file.FindValue("HKEY_USERS\\K", "c")), c.keepsLast ? "2" : "<none>") << c.name;
  }
}

// The text value `name` of HKEY_USERS\`subKey`; "<none>" when it cannot be read.
std::string ReadText(const char* subKey, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_USERS, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<none>";
  char text[64] = {};
  DWORD size = sizeof text;
  const LONG read =
      RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return read == ERROR_SUCCESS ? text : "<none>";
}

class RegistryFunctions : public ::testing::Test {
 protected:
  void Use(const std::string& content) {
    m_env.emplace("KELVO_REGISTRY", m_dir.Write("r.reg", content));
  }

  CTempDir m_dir;
  std::optional<CScopedEnv> m_env;
};

TEST_F(RegistryFunctions, SubkeysOpenRelativeToAKeyWhoseHandleDiesWhenClosed) {
  Use(kGoodFile);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  HKEY inner = nullptr;
  ASSERT_EQ(RegOpenKeyExA(key, "kelvo", 0, KEY_QUERY_VALUE, &inner), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(inner, "UseHID", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 4U) << "the size alone";
  BYTE small[2] = {};
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExA(inner, "UseHID", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 4U);
  EXPECT_EQ(RegCloseKey(inner), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(inner, "UseHID", nullptr, nullptr, small, &size),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryFunctions, Utf16FileWithByteOrderMark) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit :
       std::u16string_view(u"REGEDIT4\r\n[HKEY_USERS\\K]\r\n\"a\"=\"\u00E9t\u00E9\"\r\n")) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  Use(bytes);
  EXPECT_EQ(ReadText("K", "a"), "\xC3\xA9t\xC3\xA9");
}

// A file that is damaged, or there but no registry file, is said once however
// often it is read; a pipe is never waited for.
TEST_F(RegistryFunctions, ProblemsWithTheFileAreToldOnce) {
  const std::string fifo = m_dir.Path() + "/pipe.reg";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_directory(m_dir.Path() + "/folder.reg");
  const std::string value = "REGEDIT4\n[HKEY_USERS\\K]\n\"b\"=\"2\"\n";
  const struct {
    std::string path, told, read;
  } cases[] = {
      {m_dir.Write("bad.reg", "REGEDIT4\n[HKEY_USERS\\K]\n\"a\"=nothing\n\"b\"=\"2\"\n"),
       ":3: not a key", "2"},
      {fifo, " is not a regular file", "<none>"},
      {m_dir.Write("huge.reg", value + std::string(5U << 20, ';')), " is larger than 4 MiB",
       "<none>"},
      {m_dir.Path() + "/folder.reg", " is a folder", "<none>"},
  };
  for (const auto& c : cases) {
    m_env.emplace("KELVO_REGISTRY", c.path);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ReadText("K", "b"), c.read) << c.path;
    EXPECT_EQ(ReadText("K", "b"), c.read) << c.path;
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    EXPECT_NE(told.find(c.path + c.told), std::string::npos) << told;
  }
}

TEST(RegistryPath, Precedence) {
  CScopedEnv home("HOME", "/home/u");
  const struct {
    const char *registry, *config, *path;
  } cases[] = {
      {"/x/r.reg", "/cfg", "/x/r.reg"},
      {nullptr, "/cfg", "/cfg/kelvo/registry.reg"},
      {"", nullptr, "/home/u/.config/kelvo/registry.reg"},
  };
  for (const auto& c : cases) {
    CScopedEnv registry("KELVO_REGISTRY", c.registry);
    CScopedEnv config("XDG_CONFIG_HOME", c.config);
    EXPECT_EQ(RegistryFilePath(), c.path);
  }
}

}  // namespace
