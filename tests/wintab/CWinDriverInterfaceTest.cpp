// The driver interface end to end: CWinDriverInterface loads the real
// libwintab32.so and its entry hands every packet to a recording handler.

#include <dlfcn.h>

#include <array>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "driver/CDataKey.h"
#include "driver/CWinDriverInterface.h"
#include "protocol/StDriverPacket.h"
#include "protocol/WintabEntry.h"
#include "services/CObjectFactory.h"
#include "services/CWinObjectFactory.h"
#include "support/BuildPaths.h"
#include "support/CScopedEnv.h"

namespace {

using InstallFunction = WintabPacketHandler (*)(WintabPacketHandler, void*, void**);
using EntryFunction = std::uint32_t (*)(StDriverPacket*);

// What the handler saw of one packet, and how it answers.
struct StHandlerScript {
  std::vector<StDriverPacket> seen;
  std::vector<Status> validated;
  std::vector<std::uint8_t> reply;
  std::uint32_t replyLength = 0;  // the data length the handler reports
  std::uint32_t result = 0;
};

std::uint32_t RecordingHandler(void* context, StDriverPacket* packet) {
  auto* script = static_cast<StHandlerScript*>(context);
  script->seen.push_back(*packet);
  script->validated.push_back(StDriverPacket::Validate(packet));
  if (!script->reply.empty() && packet->data != nullptr)
    std::memcpy(packet->data, script->reply.data(),
                std::min<std::size_t>(script->reply.size(), packet->capacity));
  packet->dataLength = script->replyLength;
  return script->result;
}

class CWinDriverInterfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CWinObjectFactory::SetDriverInterfaceMaker(&CWinDriverInterface::Make);
    m_library = dlopen(m_path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m_library, nullptr) << dlerror();
    m_install = reinterpret_cast<InstallFunction>(dlsym(m_library, kWintabInstallSymbol));
    m_entry = reinterpret_cast<EntryFunction>(dlsym(m_library, kWintabEntrySymbol));
    ASSERT_NE(m_install, nullptr);
    ASSERT_NE(m_entry, nullptr);
    m_install(&RecordingHandler, &m_script, nullptr);
  }
  void TearDown() override {
    if (m_install != nullptr) m_install(nullptr, nullptr, nullptr);
    ReleaseDriverInterface();
    ReleaseObjectFactory();
    if (m_library != nullptr) dlclose(m_library);
  }

  std::string m_path = BuildBinDir() + "/" + kWintabLibraryName;
  CScopedEnv m_env{"KELVO_WINTAB_LIBRARY", m_path};
  void* m_library = nullptr;
  InstallFunction m_install = nullptr;
  EntryFunction m_entry = nullptr;
  StHandlerScript m_script;
};

TEST_F(CWinDriverInterfaceTest, SendsOneWellFormedPacketAndAnswersTheDriversStatus) {
  CWinDriverInterface driver;
  ASSERT_EQ(driver.Open(), kStatusOk);
  m_script.reply = {0x34, 0x12};
  m_script.replyLength = 2;
  const std::array<StObjectKey, 3> keys = {StObjectKey{0, 2, 1}, StObjectKey{9, 115, 0},
                                           StObjectKey{}};
  std::array<std::uint8_t, 4> buffer{};
  EXPECT_EQ(driver.SendRequest(kCommandGet, keys.data(), 4, buffer.data()), kStatusOk);
  ASSERT_EQ(m_script.seen.size(), 1U);
  const StDriverPacket& sent = m_script.seen[0];
  EXPECT_EQ(m_script.validated[0], kStatusOk);
  EXPECT_EQ(sent.command, kCommandGet);
  EXPECT_EQ(sent.keys[1], keys[1]);
  EXPECT_EQ(sent.keyPointer, &sent.keys[0]) << "the copy re-aims at its own array";
  EXPECT_EQ(sent.dataLength, 4U) << "the driver is told the whole buffer is its to fill";
  EXPECT_EQ(sent.requestMode, kRequestModeApplet);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{0x34, 0x12, 0, 0}));

  const struct {
    const char* name;
    std::uint32_t handlerResult;
    std::uint32_t replyLength;
    Status expected;
  } cases[] = {
      {"reply longer than the capacity", 0, 5, kStatusDataTooLong},
      {"driver status passes through", 0x0200, 0, kStatusNotFound},
      {"only the low 16 bits count", 0x00070603, 0, kStatusNotSupported},
      {"high bits alone are success", 0x00010000, 2, kStatusOk},
  };
  for (const auto& c : cases) {
    m_script.result = c.handlerResult;
    m_script.replyLength = c.replyLength;
    EXPECT_EQ(driver.SendRequest(kCommandGet, keys.data(), 4, buffer.data()), c.expected) << c.name;
  }
}

TEST_F(CWinDriverInterfaceTest, InstallAnswersThePreviousHandlerAndWithoutOneTheServiceAnswers) {
  int other = 0;
  void* previousContext = nullptr;
  EXPECT_EQ(m_install(&RecordingHandler, &other, &previousContext), &RecordingHandler);
  EXPECT_EQ(previousContext, &m_script);
  EXPECT_EQ(m_install(nullptr, nullptr, &previousContext), &RecordingHandler);
  EXPECT_EQ(previousContext, &other);
  StDriverPacket packet;
  ASSERT_EQ(packet.Clear(), kStatusOk);
  // The embedded service answers; it carries out no command 0.
  EXPECT_EQ(m_entry(&packet), kStatusNotSupported);
  EXPECT_EQ(m_entry(nullptr), kStatusNullPointer);
}

// Without a usable library there is no driver interface, and every request of
// every key answers 4096.
TEST(NoDriverLibrary, EveryRequestAnswers4096) {
  struct Case {
    const char* name;
    std::string library;
  };
  const Case cases[] = {
      {"library missing", BuildBinDir() + "/libkelvo-no-such-library.so"},
      {"entry missing", BuildBinDir() + "/libkelvo_test_noentry.so"},
  };
  for (const Case& c : cases) {
    CScopedEnv env("KELVO_WINTAB_LIBRARY", c.library);
    CWinDriverInterface direct;
    EXPECT_EQ(direct.Open(), kStatusNoDriverInterface) << c.name;

    CDataKey key;
    key.AppendLevel(2, 1).AppendLevel(115);
    std::uint32_t value = 0;
    for (const std::uint32_t command :
         {kCommandGet, kCommandSet, kCommandCreate, kCommandRemove, kCommandGetDefault})
      EXPECT_EQ(key.Request(command, sizeof value, &value), kStatusNoDriverInterface) << c.name;
    EXPECT_EQ(GetDriverInterface(), nullptr) << c.name;
    ReleaseObjectFactory();
  }
}

}  // namespace
