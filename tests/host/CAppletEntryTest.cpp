// The Control Panel messages and the applet information from the registry.
#include "host/applet/CAppletEntry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "services/CRegistryManager.h"
#include "support/CTempDir.h"

namespace {

class CAppletEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_registry = std::filesystem::path(m_dir.Path()) / "registry.reg";
    setenv("KELVO_REGISTRY", m_registry.c_str(), 1);
    WriteRegistry("");
  }
  void TearDown() override {
    ReleaseRegistryManager();
    unsetenv("KELVO_REGISTRY");
  }
  void WriteRegistry(const std::string& values) {
    std::ofstream out(m_registry);
    out << "Windows Registry Editor Version 5.00\n\n[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n"
        << values;
  }

  CTempDir m_dir;
  std::filesystem::path m_registry;
  int m_runs = 0;
  CAppletEntry m_entry{[this](void*) {
    ++m_runs;
    return 0;
  }};
  int m_instance = 0;
  int m_hostWindow = 0;
};

TEST_F(CAppletEntryTest, MessagesAnswerAsTheControlPanelExpects) {
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplInit, 0, 0), 0) << "no instance yet";
  EXPECT_EQ(m_entry.DllMain(&m_instance, kDllProcessAttach), 1);
  EXPECT_EQ(m_entry.CPlApplet(&m_hostWindow, kCplInit, 0, 0), 1);
  EXPECT_EQ(m_entry.CPlApplet(&m_hostWindow, kCplInit, 0, 0), 0) << "a second init without exit";
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplGetCount, 0, 0), 1);

  StCplInfo info;
  std::memset(&info, 0x5A, sizeof info);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplInquire, 0, reinterpret_cast<std::intptr_t>(&info)), 0);
  EXPECT_EQ(info.iconId, 0);
  EXPECT_EQ(info.nameId, 0);
  EXPECT_EQ(info.infoId, 0);
  EXPECT_EQ(info.data, 0);

  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplSelect, 0, 0), 0);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplStop, 0, 0), 0);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, 99, 0, 0), 0);
  EXPECT_EQ(m_runs, 0);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplDblClk, 0, 0), 0);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplStartWithParamsA, 0, 0), 1);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplStartWithParamsW, 0, 0), 1);
  EXPECT_EQ(m_runs, 3);

  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplExit, 0, 0), 0);
  EXPECT_EQ(m_entry.CPlApplet(&m_hostWindow, kCplInit, 0, 0), 1) << "init is accepted again after exit";
  EXPECT_EQ(m_entry.DllMain(&m_instance, kDllProcessDetach), 1);
  EXPECT_EQ(m_entry.Instance(), nullptr);
}

TEST_F(CAppletEntryTest, NewInquireFillsTheBlockFromTheRegistry) {
  const std::string longName(40, 'N');
  const std::string longComment(80, 'C');
  WriteRegistry("\"OEMCPLName\"=\"" + longName + "\"\n\"OEMCPLComment\"=\"" + longComment + "\"\n");
  StNewCplInfo block;
  std::memset(&block, 0x5A, sizeof block);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplNewInquire, 0, reinterpret_cast<std::intptr_t>(&block)), 0);
  EXPECT_EQ(block.size, 244U);
  EXPECT_EQ(block.flags, 0U);
  EXPECT_EQ(block.helpContext, 0U);
  EXPECT_EQ(std::string(block.name), longName.substr(0, 31));
  EXPECT_EQ(std::string(block.info), longComment.substr(0, 63));
  EXPECT_EQ(block.helpFile[0], '\0');
}

TEST_F(CAppletEntryTest, DefaultsWithoutRegistryValues) {
  const StAppletInfo info = ReadAppletInfo();
  EXPECT_STREQ(info.name, "Tablet Properties");
  EXPECT_STREQ(info.description, "Tablet Properties");
  EXPECT_EQ(info.iconId, 101);
}

TEST_F(CAppletEntryTest, OnlyIcons101And102AreTaken) {
  struct Case {
    const char* value;
    std::int32_t icon;
  };
  const Case cases[] = {{"dword:00000066", 102}, {"dword:00000065", 101}, {"dword:00000064", 101},
                        {"dword:00000067", 101}, {"\"102\"", 101}};
  for (const Case& c : cases) {
    WriteRegistry(std::string("\"CPLIcon\"=") + c.value + "\n");
    EXPECT_EQ(ReadAppletInfo().iconId, c.icon) << c.value;
  }
}

}  // namespace
