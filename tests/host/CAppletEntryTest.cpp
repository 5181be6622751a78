// The Control Panel messages and the applet information from the registry.
#include "host/applet/CAppletEntry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "services/CRegistryManager.h"
#include "support/CScopedEnv.h"
#include "support/CTempDir.h"

namespace {

class CAppletEntryTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteRegistry(""); }
  void TearDown() override { ReleaseRegistryManager(); }
  void WriteRegistry(const std::string& values) {
    m_dir.Write("registry.reg",
                "Windows Registry Editor Version 5.00\n\n"
                "[HKEY_USERS\\.DEFAULT\\Software\\Kelvo\\Parameters]\n" +
                    values);
  }

  CTempDir m_dir;
  CScopedEnv m_registry{"KELVO_REGISTRY", m_dir.Path() + "/registry.reg"};
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
  EXPECT_EQ(info.iconId | info.nameId | info.infoId | info.data, 0);

  EXPECT_EQ(m_entry.CPlApplet(nullptr, 99, 0, 0), 0);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplDblClk, 0, 0), 0);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplStartWithParamsA, 0, 0), 1);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplStartWithParamsW, 0, 0), 1);
  EXPECT_EQ(m_runs, 3);

  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplExit, 0, 0), 0);
  EXPECT_EQ(m_entry.CPlApplet(&m_hostWindow, kCplInit, 0, 0), 1) << "init is accepted again after exit";
  EXPECT_EQ(m_entry.DllMain(&m_instance, kDllProcessDetach), 1);
  EXPECT_EQ(m_entry.Instance(), nullptr);
}

// Names are cut to their fields; only icons 101 and 102 are taken.
TEST_F(CAppletEntryTest, NewInquireAndTheAppletInfoComeFromTheRegistry) {
  EXPECT_STREQ(ReadAppletInfo().name, "Tablet Properties");
  EXPECT_STREQ(ReadAppletInfo().description, "Tablet Properties");
  const std::string longName(40, 'N');
  const std::string longComment(80, 'C');
  WriteRegistry("\"OEMCPLName\"=\"" + longName + "\"\n\"OEMCPLComment\"=\"" + longComment + "\"\n");
  StNewCplInfo block;
  std::memset(&block, 0x5A, sizeof block);
  EXPECT_EQ(m_entry.CPlApplet(nullptr, kCplNewInquire, 0, reinterpret_cast<std::intptr_t>(&block)), 0);
  EXPECT_EQ(block.size, 244U);
  EXPECT_EQ(block.flags | block.helpContext, 0U);
  EXPECT_EQ(std::string(block.name), longName.substr(0, 31));
  EXPECT_EQ(std::string(block.info), longComment.substr(0, 63));
  EXPECT_EQ(block.helpFile[0], '\0');
  for (const auto& [value, icon] :
       {std::pair{"", 101}, std::pair{"dword:00000066", 102}, std::pair{"dword:00000064", 101},
        std::pair{"dword:00000067", 101}, std::pair{"\"102\"", 101}}) {
    WriteRegistry(*value ? std::string("\"CPLIcon\"=") + value + "\n" : "");
    EXPECT_EQ(ReadAppletInfo().iconId, icon) << value;
  }
}

}  // namespace
