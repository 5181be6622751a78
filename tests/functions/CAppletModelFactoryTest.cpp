// The applet's model factory under the real object model and the real
// service: mappings made for tools, removed and written again when a tool
// leaves its group.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "functions/CAppletModelFactory.h"
#include "model/CMetaTransducer.h"
#include "model/CModelContext.h"
#include "model/CTabletObject.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "settings/CSettingsTest.h"
#include "settings/mapping/CMapping.h"

namespace {

constexpr std::uint32_t kPenSerial = 0x1234;

class CAppletContext : public CModelContext {
 public:
  CModelFactory& GetModelFactory() override { return factory; }
  CAppObject* FindApplicationById(std::uint32_t /*id*/) override { return nullptr; }

  CAppletModelFactory factory;
};

class CAppletModelFactoryTest : public CServiceTest {
 protected:
  void SetUp() override {
    Start();
    CDataKey key;
    key.AppendLevel(kCodeTablet, 0);
    ASSERT_EQ(m_tablet.SetKey(key), kStatusOk);
  }

  CAppletContext m_context;
  CTabletObject m_tablet{m_context};
};

TEST_F(CAppletModelFactoryTest, AToolLeavingItsGroupDropsItsMappingAndTheFirstToolsIsWrittenAgain) {
  // A second number for the pen: same type and serial, identity 0.
  std::uint16_t added = 0;
  ASSERT_EQ(m_service->Model().AttachTool(0, 2, kPenSerial, added), kStatusOk);
  ASSERT_EQ(m_tablet.GetSubGroupCount(kSubGroupMain), 3);
  auto& pen = static_cast<CMetaTransducer&>(*m_tablet.GetSubGroup(1, kSubGroupMain));
  ASSERT_EQ(pen.GetSubGroupCount(kSubGroupMain), 2);
  auto* first =
      dynamic_cast<CMapping*>(pen.GetSubGroup(0, kSubGroupMain)->GetSubGroup(0, kSubGroupMapping));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(pen.GetSubGroup(1, kSubGroupMain)->GetSubGroup(0, kSubGroupMapping), nullptr);
  ASSERT_EQ(WriteItem(*first, kMapMouseSpeed, std::uint16_t{9}), kStatusOk);

  ASSERT_EQ(pen.RemoveSubGroup(1, kSubGroupMain), kStatusOk);
  m_driver->ClearRequests();
  ASSERT_EQ(pen.GetSubGroupCount(kSubGroupMain), 1);
  const std::vector<StRecordedRequest>& sent = m_driver->GetRequests();
  auto isWrite = [](const StRecordedRequest& r) { return r.command != kCommandGet; };
  const auto removal = std::find_if(sent.begin(), sent.end(), isWrite);
  ASSERT_NE(removal, sent.end());
  EXPECT_EQ(removal->command, kCommandRemove) << "the old values go first";
  EXPECT_EQ(removal->levels, MakePath({{12}, {5, 0, 4}, {3}, {5}, {136, kPenSerial, 4}, {136, 0}}));

  const KeyPath context =
      MakePath({{2, 0}, {12}, {5, 0, 4}, {2}, {5}, {19, kPenSerial, 4}, {19, 1}});
  std::vector<std::uint16_t> codes;
  for (auto set = std::next(removal); set != sent.end(); ++set) {
    if (!isWrite(*set)) continue;
    EXPECT_EQ(set->command, kCommandSet);
    codes.push_back(set->levels.back().code);
    EXPECT_EQ(KeyPath(set->levels.begin(), set->levels.begin() + 7), context);
    if (set->levels.back().code == 191) {
      EXPECT_EQ(set->data, Bytes(std::uint16_t{9})) << "the first tool's own value";
    }
  }
  EXPECT_EQ(codes,
            (std::vector<std::uint16_t>{135, 191, 221, 78, 79, 150, 151, 60, 61, 149, 126, 152}));
}

}  // namespace
