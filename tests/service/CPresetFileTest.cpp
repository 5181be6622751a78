#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "service/CDriverModel.h"
#include "service/CPresetFile.h"
#include "service/CStateFile.h"
#include "service/CValueText.h"
#include "service/ServiceTestSupport.h"

namespace {

using nlohmann::json;

using service_test::L;

std::vector<std::uint8_t> Bytes(std::initializer_list<std::uint8_t> bytes, std::size_t size) {
  std::vector<std::uint8_t> out(bytes);
  out.resize(size, 0);
  return out;
}

std::vector<std::uint8_t> Text(const std::string& text, std::size_t size) {
  std::vector<std::uint8_t> out(text.begin(), text.end());
  out.resize(size, 0);
  return out;
}

// What the state file would keep of a model: entry key → entry.
std::map<std::string, json> Kept(const CDriverModel& model) {
  std::map<std::string, json> kept;
  for (const json& entry : CStateFile::Snapshot(model).values) kept.emplace(CStateFile::KeyOf(entry), entry);
  return kept;
}

// An added application "paint" with identifier 0x126 and a menu of its own.
void AddPaint(CDriverModel& model, std::uint32_t identifier) {
  std::optional<std::uint16_t> position;
  ASSERT_EQ(model.Create(std::vector{L(18), L(142)}, {}, position), kStatusOk);
  ASSERT_TRUE(position);
  ASSERT_EQ(model.Set(std::vector{L(18), L(9, *position), L(116)}, Bytes({static_cast<std::uint8_t>(identifier),
                                                                          static_cast<std::uint8_t>(identifier >> 8)},
                                                                         4)),
            kStatusOk);
  ASSERT_EQ(model.Set(std::vector{L(18), L(9, *position), L(118)}, Text("paint", 256)), kStatusOk);
  ASSERT_EQ(model.Set(std::vector{L(18), L(9, *position), L(117)}, Text("Paint", 256)), kStatusOk);
}

// One value of each form a preset writes: numbers, a curve, a short
// keystroke list, a text, a mapping rectangle, and a value of an application.
void ChangeEverything(CDriverModel& model) {
  const std::vector<StObjectKey> pen{L(2), L(4, 0)};
  const std::vector<StObjectKey> puck{L(2), L(4, 1)};
  auto at = [](std::vector<StObjectKey> base, std::initializer_list<StObjectKey> rest) {
    base.insert(base.end(), rest);
    return base;
  };
  ASSERT_EQ(model.Set(at(pen, {L(11, 1), L(43)}), Bytes({0x2C, 1}, 2)), kStatusOk);
  ASSERT_EQ(model.Set(at(pen, {L(11, 1), L(109)}), Bytes({0, 0, 100, 0, 200, 0, 44, 1, 144, 1, 255, 3}, 12)),
            kStatusOk);
  ASSERT_EQ(model.Set(at(pen, {L(11, 2), L(41)}), Bytes({8}, 4)), kStatusOk);
  ASSERT_EQ(model.Set(at(pen, {L(11, 2), L(238)}), Bytes({65, 0, 0, 0, 66}, 256)), kStatusOk);
  ASSERT_EQ(model.Set(at(puck, {L(188)}), Text("Mouse, left-handed", 256)), kStatusOk);
  ASSERT_EQ(model.Set(at(puck, {L(11, 3), L(104)}), Bytes({6}, 2)), kStatusOk);
  ASSERT_EQ(model.Set(std::vector{L(2), L(12), L(5, 0, 4), L(2), L(5), L(19, 0x5678, 4), L(19, 2), L(20, 2), L(61)},
                      Bytes({0xE8, 3, 0, 0, 0xF4, 1, 0, 0}, 12)),
            kStatusOk);
  AddPaint(model, 0x126);
  ASSERT_EQ(model.Set(std::vector{L(2), L(23, 0x126, 1), L(41)}, Bytes({5}, 4)), kStatusOk);
}

TEST(PresetFileTest, ExportThenImportReproducesEveryValueAndFollowsPrograms) {
  CDriverModel changed(MakeDefaultProfile());
  ChangeEverything(changed);
  // Through text, as a file carries it.
  const json preset = json::parse(CPresetFile::Export(changed).dump(2));
  ASSERT_EQ(preset.at("values").size(), 8U) << preset.dump(2);

  CDriverModel fresh(MakeDefaultProfile());
  std::vector<std::string> problems;
  ASSERT_TRUE(CPresetFile::Apply(preset, fresh, problems)) << problems.front();
  EXPECT_EQ(Kept(fresh), Kept(changed));
  EXPECT_EQ(CStateFile::Snapshot(fresh).applications, CStateFile::Snapshot(changed).applications);

  // Where "paint" is known under another identifier, and 0x126 is another program's,
  // its values follow it.
  CDriverModel other(MakeDefaultProfile());
  AddPaint(other, 0x300);
  ASSERT_TRUE(CPresetFile::Apply(preset, other, problems)) << problems.front();
  std::vector<std::uint8_t> menu(4, 0);
  std::uint32_t length = 0;
  ASSERT_EQ(other.Get(std::vector{L(2), L(23, 0x300, 1), L(41)}, menu, length), kStatusOk);
  EXPECT_EQ(menu[0], 5);
  EXPECT_EQ(Kept(other).size(), Kept(changed).size());
}

TEST(PresetFileTest, EveryBadEntryIsNamed) {
  CDriverModel changed(MakeDefaultProfile());
  ChangeEverything(changed);
  const json good = json::parse(CPresetFile::Export(changed).dump());
  // The entry of a named setting, or the one an application's program names.
  auto entry = [](json& preset, const std::string& name) -> json& {
    for (json& value : preset["values"])
      if (value.value("setting", "") == name || value.value("application", "") == name) return value;
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
      {"range", [&](json& p) { entry(p, "tip.threshold")["value"] = 70000; }, "(tip.threshold): bad \"value\""},
      {"list", [&](json& p) { entry(p, "tip.curve")["value"] = json::array({1, 2}); }, "(tip.curve): bad"},
      {"text", [&](json& p) { entry(p, "name")["value"] = std::string(300, 'x'); }, "text too long"},
      {"serial", [&](json& p) { entry(p, "tip.threshold")["tool"]["serial"] = 1; },
       "has no tool of type 2 with serial 1"},
      {"model", [&](json& p) { entry(p, "tip.threshold")["tablet"]["model"] = 999; }, "no tablet of model 999"},
      {"setting",
       [&](json& p) {
         entry(p, "tip.threshold").erase("path");
         entry(p, "tip.threshold")["setting"] = "tip.bogus";
       },
       "no such setting"},
      {"path", [&](json& p) { entry(p, "tip.threshold")["path"] = "11:1/999x"; }, "bad \"path\""},
      {"unknown path", [&](json& p) { entry(p, "tip.threshold")["path"] = "11:9/43"; }, "no such value (0x0200)"},
      {"application", [&](json& p) { entry(p, "paint")["application"] = "nowhere"; }, "\"nowhere\" is neither"},
  };
  for (const Row& row : rows) {
    json preset = good;
    row.spoil(preset);
    CDriverModel fresh(MakeDefaultProfile());
    std::vector<std::string> problems;
    EXPECT_FALSE(CPresetFile::Apply(preset, fresh, problems)) << row.what;
    ASSERT_EQ(problems.size(), 1U) << row.what;
    EXPECT_NE(problems[0].find(row.said), std::string::npos) << row.what << ": " << problems[0];
  }
}

TEST(ValueTextTest, ValuesReadBackToTheirBytes) {
  const StValueType signedWords{StValueType::Form::kList, 4, true};
  const StValueType keystrokes{StValueType::Form::kList, 4, false, true};
  struct Row {
    std::vector<std::uint8_t> bytes;
    StValueType type;
    const char* text;
  };
  const Row rows[] = {
      {{0x2C, 1}, {StValueType::Form::kNumber}, "300"},
      {{0xFF, 0xFF, 0xFF, 0xFF, 10, 0, 0, 0}, signedWords, "-1,10"},
      {Bytes({65, 0, 0, 0, 66}, 16), keystrokes, "65,66"},
      {Text("Fine liner", 12), {StValueType::Form::kText}, "text:Fine liner"},
      {{1, 2, 0, 3, 4, 5, 6, 7, 8, 9}, {StValueType::Form::kText}, "hex:01020003040506070809"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CValueText::ToText(row.bytes, row.type), row.text);
    std::vector<std::uint8_t> back;
    std::string error;
    ASSERT_TRUE(CValueText::FromText(row.text, row.bytes.size(), back, error, &row.type)) << row.text << error;
    EXPECT_EQ(back, row.bytes) << row.text;
    ASSERT_TRUE(CValueText::FromJson(CValueText::ToJson(row.bytes, row.type), row.bytes.size(), back, error, &row.type))
        << row.text << error;
    EXPECT_EQ(back, row.bytes) << row.text;
  }
  std::vector<std::uint8_t> out;
  std::string error;
  EXPECT_FALSE(CValueText::FromText("-129", 1, out, error));
  EXPECT_FALSE(CValueText::FromText("1,2,3", 8, out, error));
  EXPECT_FALSE(CValueText::FromText("text:toolong", 4, out, error));
  EXPECT_FALSE(CValueText::FromJson(json::array({1, 2, 3, 4, 5}), 16, out, error, &keystrokes));
}

}  // namespace
