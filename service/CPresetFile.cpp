#include "service/CPresetFile.h"

#include <map>

#include "protocol/LittleEndian.h"
#include "service/CModelBuilder.h"
#include "service/CNamedSettings.h"
#include "service/CPathText.h"
#include "service/CStateFile.h"
#include "service/CValueText.h"
#include "service/ServiceCodes.h"
#include "service/StatusText.h"

namespace sc = service_codes;
using nlohmann::json;
using nlohmann::ordered_json;

namespace {

constexpr std::size_t kLargestValue = 65536;
using Path = std::vector<StObjectKey>;

Path Below(Path path, std::uint16_t code, std::uint32_t index = 0) {
  path.push_back({0, code, index});
  return path;
}

[[nodiscard]] Status Read(const CDriverModel& model, const Path& path, std::vector<std::uint8_t>& out) {
  out.assign(kLargestValue, 0);
  std::uint32_t length = 0;
  const Status status = model.Get(path, out, length);
  out.resize(status == kStatusOk ? length : 0);
  return status;
}

std::uint64_t Number(const CDriverModel& model, const Path& path) {
  std::vector<std::uint8_t> bytes;
  if (Read(model, path, bytes) != kStatusOk) return 0;
  return GetLittleEndian(bytes.data(), bytes.size());
}

std::string Text(const CDriverModel& model, const Path& path) {
  std::vector<std::uint8_t> bytes;
  if (Read(model, path, bytes) != kStatusOk) return {};
  std::string text(bytes.begin(), bytes.end());
  return text.substr(0, text.find('\0'));
}

Path ApplicationPath(std::uint32_t position) {
  return {{0, sc::kApplicationList, 0}, {0, sc::kApplication, position}};
}

std::uint32_t ApplicationCount(const CDriverModel& model) {
  return static_cast<std::uint32_t>(Number(model, {{0, sc::kApplicationList, 0}, {0, sc::kCount, 0}}));
}

// Where a path below a tablet carries an application identifier: the
// function sets of one application, and the mapping contexts (K1).
StObjectKey* ApplicationLevel(Path& belowTablet) {
  if (belowTablet.empty()) return nullptr;
  StObjectKey& first = belowTablet.front();
  if ((first.code == sc::kFunctionArea || first.code == sc::kFunctionSet) && first.qualifier == sc::kByIdentifier)
    return &first;
  if (first.code == sc::kMapping && belowTablet.size() > 1 && belowTablet[1].code == sc::kContextSet &&
      belowTablet[1].qualifier == sc::kCountQualifier)
    return &belowTablet[1];
  return nullptr;
}

std::optional<std::uint32_t> ToolNumber(const CDriverModel& model, std::uint32_t tablet, std::uint64_t type,
                                        std::uint64_t serial) {
  const Path tabletPath{{0, sc::kTablet, tablet}};
  const auto count = static_cast<std::uint32_t>(Number(model, Below(tabletPath, sc::kCount, 4)));
  for (std::uint32_t n = 0; n < count; ++n) {
    const Path tool = Below(tabletPath, sc::kTool, n);
    if (Number(model, Below(tool, sc::kTypeCode)) == type && Number(model, Below(tool, sc::kSerial)) == serial)
      return n;
  }
  return std::nullopt;
}

// The tablet of a model: the one with that number when its model matches, else the first of that model.
std::optional<std::uint32_t> TabletNumber(const CDriverModel& model, std::uint64_t modelCode,
                                          std::optional<std::uint32_t> wanted) {
  const auto count = static_cast<std::uint32_t>(Number(model, {{0, sc::kCount, 2}}));
  if (wanted && *wanted < count && Number(model, {{0, sc::kTablet, *wanted}, {0, sc::kModel, 0}}) == modelCode)
    return wanted;
  for (std::uint32_t t = 0; t < count; ++t)
    if (Number(model, {{0, sc::kTablet, t}, {0, sc::kModel, 0}}) == modelCode) return t;
  return std::nullopt;
}

bool IsU32(const json& object, const char* key) {
  if (!object.contains(key) || !object.at(key).is_number_integer()) return false;
  const json& value = object.at(key);
  return value.is_number_unsigned() ? value.get<std::uint64_t>() <= UINT32_MAX
                                    : value.get<std::int64_t>() >= 0 && value.get<std::int64_t>() <= UINT32_MAX;
}

// Program name → identifier on this machine, made while the preset's applications are applied.
class CApplicationMap {
 public:
  // Adds the programs this machine lacks; each one that cannot be added is a problem.
  void Apply(const json& list, CDriverModel& model, std::vector<std::string>& problems);
  [[nodiscard]] std::optional<std::uint32_t> IdentifierOf(const std::string& program) const {
    const auto found = m_identifiers.find(program);
    if (found == m_identifiers.end()) return std::nullopt;
    return found->second;
  }

 private:
  std::map<std::string, std::uint32_t> m_identifiers;
};

void CApplicationMap::Apply(const json& list, CDriverModel& model, std::vector<std::string>& problems) {
  // What this machine has: the first application stands for every other program.
  const std::uint32_t count = ApplicationCount(model);
  for (std::uint32_t p = 0; p < count; ++p)
    m_identifiers.emplace(p == 0 ? std::string() : Text(model, Below(ApplicationPath(p), sc::kProgramName)),
                          static_cast<std::uint32_t>(Number(model, Below(ApplicationPath(p), sc::kAppIdentifier))));
  if (!list.is_array()) {
    problems.push_back("\"applications\" is not a list");
    return;
  }
  for (std::size_t i = 0; i < list.size(); ++i) {
    const json& app = list[i];
    const std::string where = "application " + std::to_string(i + 1);
    if (!app.is_object() || !app.contains("program") || !app.at("program").is_string() ||
        !(i == 0 || !app.at("program").get<std::string>().empty()) ||
        (app.contains("title") && !app.at("title").is_string()) || (app.contains("identifier") && !IsU32(app, "identifier"))) {
      problems.push_back(where + ": needs a \"program\" (text), and may have a \"title\" (text) and an \"identifier\"");
      continue;
    }
    const std::string program = i == 0 ? std::string() : app.at("program").get<std::string>();
    if (m_identifiers.contains(program)) continue;
    // A program this machine lacks: added, keeping its identifier when no other program holds it.
    std::uint32_t identifier = app.contains("identifier") ? app.at("identifier").get<std::uint32_t>() : 1;
    auto taken = [&](std::uint32_t id) {
      for (const auto& [name, held] : m_identifiers)
        if (held == id) return true;
      return false;
    };
    while (identifier == 0 || taken(identifier)) ++identifier;
    std::optional<std::uint16_t> position;
    const Path create{{0, sc::kApplicationList, 0}, {0, sc::kApplicationEntry, 0}};
    if (const Status made = model.Create(create, {}, position); made != kStatusOk || !position) {
      problems.push_back(where + " (" + program + "): cannot be added: " + DescribeStatus(made));
      continue;
    }
    const Path entry = ApplicationPath(*position);
    std::vector<std::uint8_t> bytes;
    std::string error;
    const std::string title = app.contains("title") ? app.at("title").get<std::string>() : std::string();
    for (const auto& [code, value] : {std::pair<std::uint16_t, json>{sc::kAppIdentifier, identifier},
                                      {sc::kAppTitle, title}, {sc::kProgramName, program}}) {
      std::vector<std::uint8_t> current;
      const Path target = Below(entry, code);
      const bool fits = Read(model, target, current) == kStatusOk &&
                        CValueText::FromJson(value, current.size(), bytes, error);
      if (!fits || model.Set(target, bytes) != kStatusOk)
        problems.push_back(where + " (" + program + "): " + (error.empty() ? "cannot be stored" : error));
    }
    m_identifiers.emplace(program, identifier);
  }
}

// One entry of "values" applied to the model; false with `problem` set when it cannot be.
bool ApplyValue(const json& item, const CApplicationMap& applications, CDriverModel& model, std::string& problem) {
  if (!item.is_object() || !item.contains("value") || (!item.contains("path") && !item.contains("setting"))) {
    problem = "needs a \"value\" and a \"path\" or \"setting\"";
    return false;
  }
  Path prefix;
  std::optional<std::uint32_t> tool;
  if (item.contains("tablet")) {
    const json& tablet = item.at("tablet");
    if (!tablet.is_object() || !IsU32(tablet, "model") || (tablet.contains("number") && !IsU32(tablet, "number"))) {
      problem = "\"tablet\" needs a \"model\" and may have a \"number\"";
      return false;
    }
    const auto modelCode = tablet.at("model").get<std::uint64_t>();
    std::optional<std::uint32_t> wanted;
    if (tablet.contains("number")) wanted = tablet.at("number").get<std::uint32_t>();
    const auto number = TabletNumber(model, modelCode, wanted);
    if (!number) {
      problem = "no tablet of model " + std::to_string(modelCode) + " here";
      return false;
    }
    prefix.push_back({0, sc::kTablet, *number});
  }
  if (item.contains("tool")) {
    const json& described = item.at("tool");
    if (prefix.empty() || !described.is_object() || !IsU32(described, "type") || !IsU32(described, "serial")) {
      problem = "\"tool\" needs a \"tablet\", a \"type\" and a \"serial\"";
      return false;
    }
    const auto type = described.at("type").get<std::uint64_t>();
    const auto serial = described.at("serial").get<std::uint64_t>();
    tool = ToolNumber(model, prefix[0].index, type, serial);
    if (!tool) {
      problem = "tablet " + std::to_string(prefix[0].index) + " has no tool of type " + std::to_string(type) +
                " with serial " + std::to_string(serial);
      return false;
    }
    prefix.push_back({0, sc::kTool, *tool});
  }

  Path path;
  if (item.contains("path")) {
    std::string error;
    const auto parsed = item.at("path").is_string() ? CPathText::Parse(item.at("path").get<std::string>(), error)
                                                    : std::nullopt;
    if (!parsed) {
      problem = "bad \"path\"" + (error.empty() ? std::string() : ": " + error);
      return false;
    }
    path = *parsed;
  }
  if (item.contains("application")) {
    const json& program = item.at("application");
    StObjectKey* level = tool ? nullptr : ApplicationLevel(path);
    const auto identifier = program.is_string() ? applications.IdentifierOf(program.get<std::string>()) : std::nullopt;
    if (level == nullptr || !identifier) {
      problem = level == nullptr ? "the path carries no application"
                                 : "the application " + program.dump() + " is neither here nor in the preset";
      return false;
    }
    level->index = *identifier;
  }
  Path full = prefix;
  // How the value reads: the named setting's form, so a short keystroke list is filled up.
  const StNamedSetting* named = nullptr;
  std::string name;
  if (item.contains("path")) {
    full.insert(full.end(), path.begin(), path.end());
    if (tool) named = CNamedSettings::FindBelowTool(path, static_cast<std::uint16_t>(item.at("tool").at("type").get<std::uint64_t>()), name);
    if (!tool && !prefix.empty()) named = CNamedSettings::FindMapping(path, name);
  } else {
    // A setting by name, on the tool the entry names.
    CNamedSettings::StResolved resolved;
    std::string error;
    const json& setting = item.at("setting");
    auto read = [&model](const Path& at, std::uint64_t& value) {
      std::vector<std::uint8_t> bytes;
      const Status status = Read(model, at, bytes);
      value = 0;
      for (std::size_t i = std::min<std::size_t>(bytes.size(), 8); i > 0; --i) value = (value << 8) | bytes[i - 1];
      return status;
    };
    if (!tool || !setting.is_string() ||
        !CNamedSettings::Resolve("tablet" + std::to_string(prefix[0].index) + ".tool" + std::to_string(*tool) + "." +
                                     setting.get<std::string>(),
                                 read, resolved, error)) {
      problem = tool ? error : "a \"setting\" without a \"path\" needs a \"tool\"";
      return false;
    }
    full = resolved.path;
    named = resolved.setting;
  }

  std::vector<std::uint8_t> current;
  if (const Status status = Read(model, full, current); status != kStatusOk) {
    problem = CPathText::Format(full) + ": " + DescribeStatus(status);
    return false;
  }
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!CValueText::FromJson(item.at("value"), current.size(), bytes, error, named != nullptr ? &named->type : nullptr)) {
    problem = "bad \"value\": " + error;
    return false;
  }
  if (const Status status = model.Set(full, bytes); status != kStatusOk) {
    problem = CPathText::Format(full) + ": " + DescribeStatus(status);
    return false;
  }
  return true;
}

}  // namespace

ordered_json CPresetFile::Export(const CDriverModel& model) {
  ordered_json applications = ordered_json::array();
  std::map<std::uint32_t, std::string> programs;
  for (std::uint32_t p = 0; p < ApplicationCount(model); ++p) {
    const Path app = ApplicationPath(p);
    const auto identifier = static_cast<std::uint32_t>(Number(model, Below(app, sc::kAppIdentifier)));
    const std::string program = Text(model, Below(app, sc::kProgramName));
    programs.emplace(identifier, program);
    applications.push_back({{"program", program}, {"title", Text(model, Below(app, sc::kAppTitle))},
                            {"identifier", identifier}});
  }

  ordered_json values = ordered_json::array();
  for (const json& entry : CStateFile::Snapshot(model).values) {
    std::string error;
    const auto below = CPathText::Parse(entry.at("path").get<std::string>(), error);
    if (!below) continue;
    Path rest = *below;
    Path full;
    ordered_json item = ordered_json::object();
    std::optional<std::uint16_t> typeCode;
    if (entry.contains("tablet")) {
      const auto tablet = entry.at("tablet").get<std::uint32_t>();
      full.push_back({0, sc::kTablet, tablet});
      item["tablet"] = {{"model", entry.at("model")}, {"number", tablet}};
      if (entry.contains("type")) {
        const auto type = entry.at("type").get<std::uint16_t>();
        const auto serial = entry.at("serial").get<std::uint64_t>();
        const auto tool = ToolNumber(model, tablet, type, serial);
        if (!tool) continue;
        full.push_back({0, sc::kTool, *tool});
        typeCode = type;
        item["tool"] = {{"kind", CModelBuilder::KindName(CModelBuilder::KindOf(type))},
                        {"type", type},
                        {"serial", serial}};
      }
    }
    full.insert(full.end(), rest.begin(), rest.end());
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> factory(kLargestValue, 0);
    std::uint32_t length = 0;
    if (!CValueText::FromJson({{"hex", entry.at("bytes")}}, entry.at("bytes").get<std::string>().size() / 2, bytes,
                              error) ||
        model.GetDefault(full, factory, length) != kStatusOk)
      continue;  // values without a factory value are the device's own, not settings
    factory.resize(length);
    if (factory == bytes) continue;

    if (StObjectKey* level = typeCode ? nullptr : ApplicationLevel(rest)) {
      if (const auto program = programs.find(level->index); program != programs.end())
        item["application"] = program->second;
    }
    std::string name;
    const StNamedSetting* setting = nullptr;
    if (typeCode) setting = CNamedSettings::FindBelowTool(rest, *typeCode, name);
    if (!typeCode && entry.contains("tablet")) setting = CNamedSettings::FindMapping(rest, name);
    if (setting != nullptr) item["setting"] = name;
    item["path"] = entry.at("path");
    item["value"] = ordered_json::parse(
        CValueText::ToJson(bytes, setting != nullptr ? setting->type : CValueText::Guess(bytes)).dump());
    values.push_back(std::move(item));
  }
  return {{"format", kFormat}, {"version", kVersion}, {"applications", std::move(applications)},
          {"values", std::move(values)}};
}

bool CPresetFile::Apply(const json& preset, CDriverModel& model, std::vector<std::string>& problems) {
  if (!preset.is_object() || !preset.contains("format") || preset.at("format") != kFormat) {
    problems.push_back(std::string("not a preset: \"format\" is not \"") + kFormat + "\"");
    return false;
  }
  if (!preset.contains("version") || preset.at("version") != kVersion) {
    problems.push_back("a preset of version " + (preset.contains("version") ? preset.at("version").dump() : "?") +
                       "; this tabletctl reads version " + std::to_string(kVersion));
    return false;
  }
  if (!preset.contains("values") || !preset.at("values").is_array()) {
    problems.push_back("\"values\" is missing or not a list");
    return false;
  }
  CApplicationMap applications;
  applications.Apply(preset.contains("applications") ? preset.at("applications") : json::array(), model, problems);
  const json& values = preset.at("values");
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::string problem;
    if (ApplyValue(values[i], applications, model, problem)) continue;
    const json& item = values[i];
    std::string what = "entry " + std::to_string(i + 1);
    if (item.is_object() && item.contains("setting") && item.at("setting").is_string())
      what += " (" + item.at("setting").get<std::string>() + ")";
    else if (item.is_object() && item.contains("path") && item.at("path").is_string())
      what += " (" + item.at("path").get<std::string>() + ")";
    problems.push_back(what + ": " + problem);
  }
  return problems.empty();
}
