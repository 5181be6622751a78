#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
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

TEST(RegistryFileParse, ReadsStringsNumbersBinaryAndDefault) {
  CRegistryFile file;
  file.Parse(kGoodFile);
  EXPECT_TRUE(file.GetBadLines().empty());
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

// A damaged file is read up to its first bad line; nothing after it counts.
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
      {"unknown escape", head + "\"b\"=\"a\\qb\"\n" + tail, {4}, true, true},
      {"text after the string", head + "\"b\"=\"x\" y\n" + tail, {4}, true, true},
      {"dword too long", head + "\"b\"=dword:123456789\n" + tail, {4}, true, true},
      {"dword not hex", head + "\"b\"=dword:12g4\n" + tail, {4}, true, true},
      {"hex byte of three digits", head + "\"b\"=hex:012\n" + tail, {4}, true, true},
      {"hex type not hex", head + "\"b\"=hex(z):01\n" + tail, {4}, true, true},
      {"unknown kind", head + "\"b\"=float:1.5\n" + tail, {4}, true, true},
      {"no equals sign", head + "\"b\" \"c\"\n" + tail, {4}, true, true},
      {"unquoted name", head + "b=\"c\"\n" + tail, {4}, true, true},
      {"two bad lines", head + "b\n\"b\"=\n" + tail, {4, 5}, true, true},
      {"continued over a bad line", head + "\"b\"=hex:01,\\\n  zz\n" + tail, {4}, true, true},
      {"binary garbage", head + std::string("\0\xff\x01garbage", 10) + "\n" + tail, {4}, true, true},
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
  EXPECT_EQ(RegQueryValueExA(key, "a", nullptr, nullptr, small, &size), ERROR_INVALID_HANDLE);
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

// The lines a run prints about its registry file.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool Opens(const char* subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_USERS, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

TEST_F(RegistryFunctions, ABadLineIsToldOnceAndTheValuesAfterItAreRead) {
  const std::string path =
      m_dir.Write("bad.reg", "REGEDIT4\n[HKEY_USERS\\K]\n\"a\"=nothing\n\"b\"=\"2\"\n");
  m_env.emplace("KELVO_REGISTRY", path);
  testing::internal::CaptureStderr();
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_USERS, "K", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  char out[8] = {};
  DWORD size = sizeof out;
  EXPECT_EQ(RegQueryValueExA(key, "b", nullptr, nullptr, reinterpret_cast<BYTE*>(out), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(out, "2");
  RegCloseKey(key);
  EXPECT_TRUE(Opens("K")) << "opened again";
  const std::vector<std::string> told = Lines(testing::internal::GetCapturedStderr());
  ASSERT_EQ(told.size(), 1U);
  EXPECT_NE(told[0].find(path + ":3:"), std::string::npos) << told[0];
}

// Files that are there but are no registry file are an empty registry, said
// once, and never waited for.
TEST_F(RegistryFunctions, FilesThatCannotBeReadAreSaidAndNeverWaitedFor) {
  const std::string fifo = m_dir.Path() + "/pipe.reg";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string huge =
      m_dir.Write("huge.reg", "REGEDIT4\n[HKEY_USERS\\K]\n" + std::string(5U << 20, ';'));
  std::filesystem::create_directory(m_dir.Path() + "/folder.reg");
  for (const auto& [path, problem] :
       {std::pair{fifo, "is not a regular file"}, std::pair{huge, "is larger than 4 MiB"},
        std::pair{m_dir.Path() + "/folder.reg", "is a folder"}}) {
    m_env.emplace("KELVO_REGISTRY", path);
    testing::internal::CaptureStderr();
    // A pipe would block here for good if it were opened to be read.
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(Opens("K")) << path;
    EXPECT_FALSE(Opens("K")) << path;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    const std::vector<std::string> told = Lines(testing::internal::GetCapturedStderr());
    ASSERT_EQ(told.size(), 1U) << path;
    EXPECT_NE(told[0].find(path + " " + problem), std::string::npos) << told[0];
  }
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
