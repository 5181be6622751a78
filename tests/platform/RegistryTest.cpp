#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/CRegistryFile.h"
#include "platform/Registry.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

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

TEST(RegistryFileParse, ReadsStringsNumbersBinaryAndDefault) {
  CRegistryFile file;
  file.Parse(kGoodFile);
  EXPECT_EQ(file.GetErrorLine(), 0U);
  EXPECT_EQ(Text(file.FindValue(kParameters, "OEMCPLName")), "Pen \"Tablet\" C:\\x");
  EXPECT_EQ(file.FindValue(kParameters, "oemcplname"), file.FindValue(kParameters, "OEMCPLName"))
      << "value names are case-insensitive";
  const StRegistryValue* icon =
      file.FindValue("hkey_users\\.default\\SOFTWARE\\kelvo\\parameters", "CPLIcon");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->type, REG_DWORD);
  EXPECT_EQ(icon->data, (std::vector<BYTE>{0x66, 0, 0, 0}));
  const StRegistryValue* blob = file.FindValue(kParameters, "Blob");
  ASSERT_NE(blob, nullptr);
  EXPECT_EQ(blob->type, REG_BINARY);
  EXPECT_EQ(blob->data, (std::vector<BYTE>{1, 2, 0xFF}));
  EXPECT_EQ(Text(file.FindValue(kParameters, "")), "default");
  const StRegistryValue* hid = file.FindValue("HKEY_LOCAL_MACHINE\\Software\\kelvo", "UseHID");
  ASSERT_NE(hid, nullptr);
  EXPECT_EQ(hid->data, (std::vector<BYTE>{1, 0, 0, 0}));
}

TEST(RegistryFileParse, KeysAboveADescribedKeyExist) {
  CRegistryFile file;
  file.Parse(kGoodFile);
  EXPECT_TRUE(file.HasKey("HKEY_USERS"));
  EXPECT_TRUE(file.HasKey("HKEY_USERS\\.DEFAULT\\Software"));
  EXPECT_TRUE(file.HasKey(kParameters));
  EXPECT_FALSE(file.HasKey("HKEY_USERS\\.DEFAULT\\Soft"));
  EXPECT_FALSE(file.HasKey("HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters\\Deeper"));
  EXPECT_FALSE(file.HasKey("HKEY_NOWHERE\\x"));
}

TEST(RegistryFileParse, LaterLinesOverrideAndRemove) {
  CRegistryFile file;
  file.Parse(
      "REGEDIT4\n"
      "[HKEY_USERS\\A]\n\"x\"=\"1\"\n\"y\"=\"2\"\n"
      "[HKEY_USERS\\A\\B]\n\"z\"=\"3\"\n"
      "[HKEY_USERS\\a]\n\"X\"=\"4\"\n\"y\"=-\n"
      "[-HKEY_USERS\\A\\B]\n\"w\"=\"dropped\"\n");
  EXPECT_EQ(file.GetErrorLine(), 0U);
  EXPECT_EQ(Text(file.FindValue("HKEY_USERS\\A", "x")), "4");
  EXPECT_EQ(file.FindValue("HKEY_USERS\\A", "y"), nullptr);
  EXPECT_FALSE(file.HasKey("HKEY_USERS\\A\\B"));
}

// A damaged file is read up to its first bad line; nothing after it counts.
TEST(RegistryFileParse, DamagedFilesKeepWhatCameBefore) {
  struct Case {
    const char* name;
    std::string text;
    std::size_t errorLine;
    bool keepsFirst;  // "a"="1" of the first key survived
  };
  const std::string head = "Windows Registry Editor Version 5.00\n[HKEY_USERS\\K]\n\"a\"=\"1\"\n";
  const Case cases[] = {
      {"no header", "[HKEY_USERS\\K]\n\"a\"=\"1\"\n", 1, false},
      {"wrong header", "Registry 9\n[HKEY_USERS\\K]\n\"a\"=\"1\"\n", 1, false},
      {"value before any key", "REGEDIT4\n\"a\"=\"1\"\n", 2, false},
      {"unterminated string", head + "\"b\"=\"open\n\"c\"=\"2\"\n", 4, true},
      {"unknown escape", head + "\"b\"=\"a\\qb\"\n", 4, true},
      {"text after the string", head + "\"b\"=\"x\" y\n", 4, true},
      {"dword too long", head + "\"b\"=dword:123456789\n", 4, true},
      {"dword not hex", head + "\"b\"=dword:12g4\n", 4, true},
      {"dword empty", head + "\"b\"=dword:\n", 4, true},
      {"hex byte of three digits", head + "\"b\"=hex:012\n", 4, true},
      {"hex trailing comma", head + "\"b\"=hex:01,\n", 4, true},
      {"hex type not hex", head + "\"b\"=hex(z):01\n", 4, true},
      {"unknown kind", head + "\"b\"=float:1.5\n", 4, true},
      {"no equals sign", head + "\"b\" \"c\"\n", 4, true},
      {"unquoted name", head + "b=\"c\"\n", 4, true},
      {"unknown root", head + "[HKEY_NOWHERE\\X]\n", 4, true},
      {"unclosed key", head + "[HKEY_USERS\\X\n", 4, true},
      {"continuation to the end", head + "\"b\"=hex:01,\\\n", 4, true},
      {"binary garbage", head + std::string("\0\xff\x01garbage", 10) + "\n", 4, true},
  };
  for (const Case& c : cases) {
    CRegistryFile file;
    file.Parse(c.text);
    EXPECT_EQ(file.GetErrorLine(), c.errorLine) << c.name;
    EXPECT_EQ(file.FindValue("HKEY_USERS\\K", "a") != nullptr, c.keepsFirst) << c.name;
    EXPECT_EQ(file.FindValue("HKEY_USERS\\K", "b"), nullptr) << c.name;
    EXPECT_EQ(file.FindValue("HKEY_USERS\\K", "c"), nullptr) << c.name;
  }
}

class RegistryFunctions : public ::testing::Test {
 protected:
  void Use(const std::string& content) {
    m_env.emplace("KELVO_REGISTRY", m_dir.Write("r.reg", content));
  }

  CTempDir m_dir;
  std::optional<CScopedEnv> m_env;
};

TEST_F(RegistryFunctions, OpenQueryClose) {
  Use(kGoodFile);
  HKEY key = nullptr;
  ASSERT_EQ(
      RegOpenKeyExA(HKEY_USERS, ".DEFAULT\\Software\\Kelvo\\Parameters", 0, KEY_QUERY_VALUE, &key),
      ERROR_SUCCESS);
  char text[64] = {};
  DWORD size = sizeof text;
  DWORD type = 0;
  EXPECT_EQ(
      RegQueryValueExA(key, "OEMCPLName", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
      ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_STREQ(text, "Pen \"Tablet\" C:\\x");
  EXPECT_EQ(size, 18U) << "the size counts the terminating zero";

  size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "OEMCPLName", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 18U);
  BYTE small[4] = {};
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExA(key, "OEMCPLName", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 18U);
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, small, &size), ERROR_FILE_NOT_FOUND);

  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExA(key, "OEMCPLName", nullptr, nullptr, small, &size),
            ERROR_INVALID_HANDLE);
}

TEST_F(RegistryFunctions, MissingKeysAndFiles) {
  Use(kGoodFile);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_USERS, ".DEFAULT\\Software\\Other", 0, KEY_QUERY_VALUE, &key),
            ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  HKEY inner = nullptr;
  EXPECT_EQ(RegOpenKeyExA(key, "kelvo", 0, KEY_QUERY_VALUE, &inner), ERROR_SUCCESS)
      << "a subkey opens relative to an opened key";
  RegCloseKey(inner);
  RegCloseKey(key);

  m_env.reset();
  CScopedEnv missing("KELVO_REGISTRY", m_dir.Path() + "/absent.reg");
  EXPECT_EQ(
      RegOpenKeyExA(HKEY_USERS, ".DEFAULT\\Software\\Kelvo\\Parameters", 0, KEY_QUERY_VALUE, &key),
      ERROR_PATH_NOT_FOUND);
}

TEST_F(RegistryFunctions, Utf16FileWithByteOrderMark) {
  const std::string text = "REGEDIT4\r\n[HKEY_USERS\\K]\r\n\"a\"=\"\xC3\xA9t\xC3\xA9\"\r\n";
  std::string wide = "\xFF\xFE";
  // ASCII and Latin-1 only: each code point is one 16-bit unit.
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned code = static_cast<unsigned char>(text[i]);
    if (code == 0xC3) code = 0xC0 | (static_cast<unsigned char>(text[++i]) & 0x3F);
    wide.push_back(static_cast<char>(code));
    wide.push_back('\0');
  }
  Use(wide);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_USERS, "K", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  char out[16] = {};
  DWORD size = sizeof out;
  EXPECT_EQ(RegQueryValueExA(key, "a", nullptr, nullptr, reinterpret_cast<BYTE*>(out), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(out, "\xC3\xA9t\xC3\xA9");
  RegCloseKey(key);
}

TEST(RegistryPath, Precedence) {
  CScopedEnv home("HOME", "/home/u");
  {
    CScopedEnv reg("KELVO_REGISTRY", "/x/r.reg");
    CScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(RegistryFilePath(), "/x/r.reg");
  }
  {
    CScopedEnv reg("KELVO_REGISTRY", std::nullopt);
    CScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(RegistryFilePath(), "/cfg/kelvo/registry.reg");
  }
  {
    CScopedEnv reg("KELVO_REGISTRY", "");
    CScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(RegistryFilePath(), "/home/u/.config/kelvo/registry.reg");
  }
}

}  // namespace
