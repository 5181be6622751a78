#include <gtest/gtest.h>

#include <filesystem>

#include "service/CPathText.h"
#include "service/CProfileReader.h"
#include "service/ServiceTestSupport.h"
#include "support/CTempDir.h"

namespace {

namespace fs = std::filesystem;

using service_test::L;

std::vector<std::uint8_t> Read(CTabletService& service, const std::vector<StObjectKey>& path, std::size_t size) {
  std::vector<std::uint8_t> out(size, 0);
  std::uint32_t length = 0;
  EXPECT_EQ(service.Model().Get(path, out, length), kStatusOk);
  out.resize(length);
  return out;
}

const std::vector<StObjectKey> kPenSwitch{L(2), L(4, 0), L(11, 2), L(41)};
const std::vector<StObjectKey> kPuckButton{L(2), L(4, 1), L(11, 1), L(41)};

TEST(StateFileTest, ValuesReturnToTheSameToolAfterARestart) {
  const CTempDir temp;
  const fs::path state = fs::path(temp.Path()) / "state.json";
  {
    CTabletService service(MakeDefaultProfile(), state);
    const std::uint8_t seven[] = {7, 0, 0, 0};
    const std::uint8_t nine[] = {9, 0, 0, 0};
    ASSERT_EQ(service.Model().Set(kPenSwitch, seven), kStatusOk);
    ASSERT_EQ(service.Model().Set(kPuckButton, nine), kStatusOk);
    std::optional<std::uint16_t> number;
    ASSERT_EQ(service.Model().Create(std::vector{L(18), L(142)}, {}, number), kStatusOk);
    const std::uint8_t id[] = {0x26, 0x01, 0, 0};
    ASSERT_EQ(service.Model().Set(std::vector{L(18), L(9, 1), L(116)}, id), kStatusOk);
    const std::uint8_t menu[] = {5, 0, 0, 0};
    ASSERT_EQ(service.Model().Set(std::vector{L(2), L(23, 0x126, 1), L(41)}, menu), kStatusOk);
  }
  // The same tools, listed the other way round: values follow type and serial.
  StProfile swapped = MakeDefaultProfile();
  std::swap(swapped.tablets[0].tools[0], swapped.tablets[0].tools[1]);
  CTabletService service(swapped, state);
  EXPECT_EQ(Read(service, {L(2), L(4, 1), L(11, 2), L(41)}, 4)[0], 7);
  EXPECT_EQ(Read(service, {L(2), L(4, 0), L(11, 1), L(41)}, 4)[0], 9);
  EXPECT_EQ(Read(service, {L(18), L(28)}, 2)[0], 2);
  EXPECT_EQ(Read(service, {L(2), L(23, 0x126, 1), L(41)}, 4)[0], 5);
}

TEST(ProfileReaderTest, ShippedProfilesAreValid) {
  std::size_t count = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(KELVO_SOURCE_DIR) / "service/profiles")) {
    StProfile profile;
    std::string error;
    EXPECT_TRUE(CProfileReader::ReadFile(entry.path(), profile, error)) << error;
    CTabletService service(profile);
    EXPECT_EQ(Read(service, {L(28, 2)}, 2)[0], profile.tablets.size()) << entry.path();
    ++count;
  }
  EXPECT_GE(count, 6u);
}

TEST(ProfileReaderTest, BadProfilesNameTheFileAndTheField) {
  struct Row {
    const char* text;
    const char* field;
  };
  const Row rows[] = {
      {"{", "not valid JSON"},
      {R"({"tablets": []})", "tablets"},
      {R"({"tablets": [{"name": "x"}]})", "tablets[0].model"},
      {R"({"tablets": [{"model": 70000}]})", "tablets[0].model"},
      {R"({"tablets": [{"model": 130, "colour": 1}]})", "tablets[0].colour"},
      {R"({"tablets": [{"model": 130, "tools": [{"type": "pen"}]}]})", "tablets[0].tools[0].type"},
      {R"({"tablets": [{"model": 130, "tabletButtons": 9}]})", "tablets[0].tabletButtons"},
      {R"({"driverVersion": [4, 8], "tablets": [{"model": 130}]})", "driverVersion"},
      {R"({"tablets": [{"model": 130, "penDisplay": 1}]})", "tablets[0].penDisplay"},
      {R"({"tablets": [{"model": 130, "tools": [{"type": 2, "serial": 5}, {"type": 3, "serial": 5},
                                              {"type": 2, "serial": 5}]}]})",
       "tablets[0].tools[2]: type and serial already name tools[0]"},
      {R"({"tablets": [{"model": 130}], "applications": [{"tabletButtons": [1, 2, 3, 4, 5, 6, 7, 8, 9]}]})",
       "applications[0].tabletButtons"},
      {R"({"tablets": [{"model": 130}], "applications": [{}, {"popup": [1, 1001]}]})", "applications[1].popup[1]"},
  };
  for (const Row& row : rows) {
    StProfile profile;
    std::string error;
    EXPECT_FALSE(CProfileReader::ReadText(row.text, "bad.json", profile, error)) << row.text;
    EXPECT_EQ(error.rfind("bad.json: ", 0), 0u) << error;
    EXPECT_NE(error.find(row.field), std::string::npos) << error;
  }
}

TEST(ProfileReaderTest, OneToolMayBeOnTwoTablets) {
  StProfile profile;
  std::string error;
  EXPECT_TRUE(CProfileReader::ReadText(R"({"tablets": [{"model": 130, "tools": [{"type": 2, "serial": 5}]},
                                                       {"model": 150, "tools": [{"type": 2, "serial": 5}]}]})",
                                       "two.json", profile, error))
      << error;
}

TEST(PathTextTest, ParsesAndFormatsOneSyntax) {
  struct Row {
    const char* text;
    std::vector<StObjectKey> path;
  };
  const Row good[] = {
      {"2:0/4:1/115", {L(2), L(4, 1), L(115)}},
      {"2:1/23:0x126@1/41", {L(2, 1), L(23, 0x126, 1), L(41)}},
      {"219", {L(219)}},
  };
  for (const Row& row : good) {
    std::string error;
    const auto parsed = CPathText::Parse(row.text, error);
    ASSERT_TRUE(parsed) << row.text << ": " << error;
    EXPECT_EQ(*parsed, row.path) << row.text;
    EXPECT_EQ(CPathText::Parse(CPathText::Format(*parsed), error), row.path);
  }
  for (const char* bad : {"", "2:0/", "0", "263", "2:x", "2:0@", "1/2/3/4/5/6/7/8/9/10/11", "2:99999999999"}) {
    std::string error;
    EXPECT_FALSE(CPathText::Parse(bad, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
