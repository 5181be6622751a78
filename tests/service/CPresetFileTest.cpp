#include <array>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "service/CPresetFile.h"
#include "service/CStateFile.h"
#include "service/ServiceTestSupport.h"

namespace {

using nlohmann::json;
using namespace service_test;

using Text = std::array<char, 256>;

// What the state file would keep of a service: entry key → entry.
std::map<std::string, json> Kept(CTabletService& service) {
  std::map<std::string, json> kept;
  for (const json& entry : CStateFile::Snapshot(service.Model()).values)
    kept.emplace(CStateFile::KeyOf(entry), entry);
  return kept;
}

// An added application "paint" with identifier `identifier` and a menu of its own.
void AddPaint(CTabletService& service, std::uint32_t identifier) {
  std::vector<std::uint8_t> number(2, 0);
  ASSERT_EQ(Request(service, kCommandCreate, {L(18), L(142)}, number), kStatusOk);
  ASSERT_EQ(number.size(), 2U);
  const std::vector<StObjectKey> added{L(18), L(9, number[0])};
  ASSERT_EQ(SetU32(service, {added[0], added[1], L(116)}, identifier), kStatusOk);
  ASSERT_EQ(Set(service, {added[0], added[1], L(118)}, Text{"paint"}), kStatusOk);
  ASSERT_EQ(Set(service, {added[0], added[1], L(117)}, Text{"Paint"}), kStatusOk);
}

// One value of each form a preset writes: numbers, a curve, a short
// keystroke list, a text, a mapping rectangle, and a value of an application.
void ChangeEverything(CTabletService& service) {
  const auto pen = [](std::uint32_t button, std::uint16_t code) {
    return std::vector<StObjectKey>{L(2), L(4, 0), L(11, button), L(code)};
  };
  ASSERT_EQ(Set(service, pen(1, 43), std::uint16_t{300}), kStatusOk);
  ASSERT_EQ(Set(service, pen(1, 109), std::array<std::uint16_t, 6>{0, 100, 200, 300, 400, 1023}),
            kStatusOk);
  ASSERT_EQ(SetU32(service, pen(2, 41), 8), kStatusOk);
  ASSERT_EQ(Set(service, pen(2, 238), std::array<std::uint32_t, 64>{65, 66}), kStatusOk);
  ASSERT_EQ(Set(service, {L(2), L(4, 1), L(188)}, Text{"Mouse, left-handed"}), kStatusOk);
  ASSERT_EQ(Set(service, {L(2), L(4, 1), L(11, 3), L(104)}, std::uint16_t{6}), kStatusOk);
  const std::vector<StObjectKey> area{L(2),     L(12),    L(5, 0, 4), L(2), L(5), L(19, 0x5678, 4),
                                      L(19, 2), L(20, 2), L(61)};
  ASSERT_EQ(Set(service, area, std::array<std::int32_t, 3>{1000, 500, 0}), kStatusOk);
  AddPaint(service, 0x126);
  ASSERT_EQ(SetU32(service, {L(2), L(23, 0x126, 1), L(41)}, 5), kStatusOk);
}

TEST(PresetFileTest, ExportThenImportReproducesEveryValueAndFollowsPrograms) {
  CTabletService changed;
  ChangeEverything(changed);
  // Through text, as a file carries it.
  const json preset = json::parse(CPresetFile::Export(changed.Model()).dump(2));
  ASSERT_EQ(preset.at("values").size(), 8U) << preset.dump(2);

  CTabletService fresh;
  std::vector<std::string> problems;
  ASSERT_TRUE(CPresetFile::Apply(preset, fresh.Model(), problems)) << problems.front();
  EXPECT_EQ(Kept(fresh), Kept(changed));
  EXPECT_EQ(CStateFile::Snapshot(fresh.Model()).applications,
            CStateFile::Snapshot(changed.Model()).applications);

  // Where "paint" is known under another identifier, and 0x126 is another
  // program's, its values follow it.
  CTabletService other;
  AddPaint(other, 0x300);
  ASSERT_TRUE(CPresetFile::Apply(preset, other.Model(), problems)) << problems.front();
  EXPECT_EQ(GetU32(other, {L(2), L(23, 0x300, 1), L(41)}), 5u);
  EXPECT_EQ(Kept(other).size(), Kept(changed).size());
}

TEST(PresetFileTest, EveryBadEntryIsNamed) {
  CTabletService changed;
  ChangeEverything(changed);
  const json good = json::parse(CPresetFile::Export(changed.Model()).dump());
  // The entry of a named setting, or the one an application's program names.
  auto entry = [](json& preset, const std::string& name) -> json& {
    for (json& value : preset["values"])
      if (value.value("setting", "") == name || value.value("application", "") == name)
        return value;
    throw std::runtime_error("no entry " + name);
  };
  struct Row {
    const char* what;
    std::function<void(json&)> spoil;
    const char* said;
  };
  const Row rows[] = {
      {"format", [](json& p) { p["format"] = "other"; }, "not a preset"},
      {"version", [](json& p) { p["version"] = 2; }, "version 2"},
      {"range", [&](json& p) { entry(p, "tip.threshold")["value"] = 70000; },
       "(tip.threshold): bad \"value\""},
      {"text", [&](json& p) { entry(p, "name")["value"] = std::string(300, 'x'); },
       "text too long"},
      {"serial", [&](json& p) { entry(p, "tip.threshold")["tool"]["serial"] = 1; },
       "has no tool of type 2 with serial 1"},
      {"model", [&](json& p) { entry(p, "tip.threshold")["tablet"]["model"] = 999; },
       "no tablet of model 999"},
      {"setting",
       [&](json& p) {
         entry(p, "tip.threshold").erase("path");
         entry(p, "tip.threshold")["setting"] = "tip.bogus";
       },
       "no such setting"},
      {"path", [&](json& p) { entry(p, "tip.threshold")["path"] = "11:1/999x"; }, "bad \"path\""},
      {"unknown path", [&](json& p) { entry(p, "tip.threshold")["path"] = "11:9/43"; },
       "no such value (0x0200)"},
      {"application", [&](json& p) { entry(p, "paint")["application"] = "nowhere"; },
       "\"nowhere\" is neither"},
  };
  for (const Row& row : rows) {
    json preset = good;
    row.spoil(preset);
    CTabletService fresh;
    std::vector<std::string> problems;
    EXPECT_FALSE(CPresetFile::Apply(preset, fresh.Model(), problems)) << row.what;
    ASSERT_EQ(problems.size(), 1U) << row.what;
    EXPECT_NE(problems[0].find(row.said), std::string::npos) << row.what << ": " << problems[0];
  }
}

}  // namespace
