#include <filesystem>

#include <gtest/gtest.h>

#include "service/CPathText.h"
#include "service/CProfileReader.h"
#include "service/ServiceTestSupport.h"
#include "support/CTempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace service_test;

TEST(StateFileTest, ValuesReturnToTheSameToolAfterARestart) {
  const CTempDir temp;
  const fs::path state = fs::path(temp.Path()) / "state.json";
  {
    CTabletService service(MakeDefaultProfile(), state);
    ASSERT_EQ(SetU32(service, Button(0, 2), 7), kStatusOk);
    ASSERT_EQ(SetU32(service, Button(1, 1), 9), kStatusOk);
    std::vector<std::uint8_t> number(2, 0);
    ASSERT_EQ(Request(service, kCommandCreate, {L(18), L(142)}, number), kStatusOk);
    ASSERT_EQ(SetU32(service, {L(18), L(9, 1), L(116)}, 0x126), kStatusOk);
    ASSERT_EQ(SetU32(service, {L(2), L(23, 0x126, 1), L(41)}, 5), kStatusOk);
  }
  // The same tools, listed the other way round: values follow type and serial.
  StProfile swapped = MakeDefaultProfile();
  std::swap(swapped.tablets[0].tools[0], swapped.tablets[0].tools[1]);
  CTabletService service(swapped, state);
  EXPECT_EQ(GetU32(service, Button(1, 2)), 7u);
  EXPECT_EQ(GetU32(service, Button(0, 1)), 9u);
  EXPECT_EQ(Get<std::uint16_t>(service, {L(18), L(28)}), 2);
  EXPECT_EQ(GetU32(service, {L(2), L(23, 0x126, 1), L(41)}), 5u);
}

TEST(ProfileReaderTest, BadProfilesNameTheFileAndTheField) {
  struct Row {
    const char* text;
    const char* field;
  };
  const Row rows[] = {
      {R"({"tablets": []})", "tablets"},
      {R"({"tablets": [{"name": "x"}]})", "tablets[0].model"},
      {R"({"tablets": [{"model": 70000}]})", "tablets[0].model"},
      {R"({"tablets": [{"model": 130, "colour": 1}]})", "tablets[0].colour"},
      {R"({"tablets": [{"model": 130, "tools": [{"type": "pen"}]}]})", "tablets[0].tools[0].type"},
      {R"({"driverVersion": [4, 8], "tablets": [{"model": 130}]})", "driverVersion"},
      {R"({"tablets": [{"model": 130, "tools": [{"type": 2, "serial": 5}, {"type": 3, "serial": 5},
                                              {"type": 2, "serial": 5}]}]})",
       "tablets[0].tools[2]: type and serial already name tools[0]"},
      {R"({"tablets": [{"model": 130}], "applications": [{}, {"popup": [1, 1001]}]})",
       "applications[1].popup[1]"},
  };
  for (const Row& row : rows) {
    StProfile profile;
    std::string error;
    EXPECT_FALSE(CProfileReader::ReadText(row.text, "bad.json", profile, error)) << row.text;
    EXPECT_EQ(error.rfind("bad.json: ", 0), 0u) << error;
    EXPECT_NE(error.find(row.field), std::string::npos) << error;
  }
  // One tool (type and serial) may stand on two tablets.
  StProfile profile;
  std::string error;
  EXPECT_TRUE(CProfileReader::ReadText(
      R"({"tablets": [{"model": 130, "tools": [{"type": 2, "serial": 5}]},
                      {"model": 150, "tools": [{"type": 2, "serial": 5}]}]})",
      "two.json", profile, error))
      << error;
}

TEST(PathTextTest, ParsesWhatItFormatsAndRefusesTheRest) {
  const std::vector<StObjectKey> path{L(2, 1), L(23, 0x126, 1), L(41)};
  std::string error;
  EXPECT_EQ(CPathText::Parse("2:1/23:0x126@1/41", error), path) << error;
  EXPECT_EQ(CPathText::Parse(CPathText::Format(path), error), path) << error;
  for (const char* bad :
       {"", "2:0/", "0", "263", "2:x", "2:0@", "1/2/3/4/5/6/7/8/9/10/11", "2:99999999999"}) {
    error.clear();
    EXPECT_FALSE(CPathText::Parse(bad, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
