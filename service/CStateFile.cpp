#include "service/CStateFile.h"

#include <algorithm>
#include <limits>

#include "service/CPathText.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;
using nlohmann::json;

namespace {

constexpr std::size_t kMaxValueBytes = 65536;
constexpr std::size_t kMaxApplications = 4096;

std::string ToHex(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool FromHex(const std::string& text, std::vector<std::uint8_t>& out) {
  if (text.size() % 2 != 0 || text.size() > 2 * kMaxValueBytes) return false;
  out.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    out.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return true;
}

bool IsHex(const json& value) {
  std::vector<std::uint8_t> ignored;
  return value.is_string() && FromHex(value.get<std::string>(), ignored);
}

bool IsNumber(const json& entry, const char* key, std::uint64_t limit) {
  return entry.contains(key) && entry.at(key).is_number_unsigned() && entry.at(key).get<std::uint64_t>() <= limit;
}

// The anchor fields come together: a tool needs its tablet, a tablet its model.
bool IsEntry(const json& entry) {
  if (!entry.is_object() || !entry.contains("path") || !entry.at("path").is_string() || !entry.contains("bytes") ||
      !IsHex(entry.at("bytes")))
    return false;
  std::string error;
  if (!CPathText::Parse(entry.at("path").get<std::string>(), error)) return false;
  constexpr std::uint64_t kU32 = std::numeric_limits<std::uint32_t>::max();
  const bool tablet = entry.contains("tablet");
  const bool tool = entry.contains("type") || entry.contains("serial");
  if (tablet && !(IsNumber(entry, "tablet", kU32) && IsNumber(entry, "model", kU32))) return false;
  if (!tablet && entry.contains("model")) return false;
  if (tool && !(tablet && IsNumber(entry, "type", 0xFFFF) && IsNumber(entry, "serial", kU32))) return false;
  const std::size_t fields = 2u + (tablet ? 2u : 0u) + (tool ? 2u : 0u);
  return entry.size() == fields;
}

bool IsApplicationList(const json& list) {
  if (!list.is_array() || list.size() > kMaxApplications) return false;
  for (const json& app : list) {
    if (!app.is_object()) return false;
    for (const auto& [code, hex] : app.items()) {
      std::string error;
      const auto path = CPathText::Parse(code, error);
      if (!path || path->size() != 1 || (*path)[0].index != 0 || (*path)[0].qualifier != 0 || !IsHex(hex)) return false;
    }
  }
  return true;
}

StObjectKey Level(const StNodeKey& key) { return {key.qualifier, key.code, key.index}; }

// Collects every changed value below `node` as (path below the anchor, bytes).
void Collect(const CServiceNode& node, std::vector<StObjectKey>& path, std::vector<json>& out, const json& anchor) {
  for (const auto& [id, value] : node.Values()) {
    // The pen's live records describe the moment, not a setting.
    if (!value.IsChanged() || sc::IsLiveRecord(id.first)) continue;
    path.push_back({0, id.first, id.second});
    json entry = anchor;
    entry["path"] = CPathText::Format(path);
    entry["bytes"] = ToHex(value.Bytes());
    out.push_back(std::move(entry));
    path.pop_back();
  }
  for (const auto& [key, child] : node.Children()) {
    if (child->Kind() == NodeKind::kTool || child->Kind() == NodeKind::kTablet) continue;
    path.push_back(Level(key));
    Collect(*child, path, out, anchor);
    path.pop_back();
  }
}

// The tablet and tool a saved entry belongs to, as a path prefix.
bool Anchor(const CDriverModel& model, const json& entry, std::vector<StObjectKey>& prefix) {
  prefix.clear();
  if (!entry.contains("tablet")) return true;
  const CServiceNode& root = model.Root();
  const auto modelCode = entry.at("model").get<std::uint64_t>();
  const auto wanted = entry.at("tablet").get<std::uint32_t>();
  const CServiceNode* tablet = root.FindChild({sc::kTablet, wanted, 0});
  std::uint32_t number = wanted;
  if (tablet == nullptr || tablet->FindValue(sc::kModel, 0)->Load(0) != modelCode) {
    tablet = nullptr;
    for (const auto& [key, child] : root.Children()) {
      if (key.code == sc::kTablet && child->FindValue(sc::kModel, 0)->Load(0) == modelCode) {
        tablet = child.get();
        number = key.index;
        break;
      }
    }
  }
  if (tablet == nullptr) return false;
  prefix.push_back({0, sc::kTablet, number});
  if (!entry.contains("type")) return true;
  for (const auto& [key, tool] : tablet->Children()) {
    if (tool->Kind() == NodeKind::kTool &&
        tool->FindValue(sc::kTypeCode, 0)->Load(0) == entry.at("type").get<std::uint64_t>() &&
        tool->FindValue(sc::kSerial, 0)->Load(0) == entry.at("serial").get<std::uint64_t>()) {
      prefix.push_back({0, sc::kTool, key.index});
      return true;
    }
  }
  return false;
}

std::uint32_t ApplicationCount(const CDriverModel& model) {
  return static_cast<std::uint32_t>(
      model.Root().FindChild({sc::kApplicationList, 0, 0})->FindValue(sc::kCount, 0)->Load(0));
}

}  // namespace

void StStateContent::Merge(const StStateRecord& record) {
  if (!record.applications.is_null()) applications = record.applications;
  for (const json& entry : record.values) values[CStateFile::KeyOf(entry)] = {entry, nextOrder++};
}

std::vector<const json*> StStateContent::Ordered() const {
  std::vector<const StEntry*> sorted;
  sorted.reserve(values.size());
  for (const auto& [key, entry] : values) sorted.push_back(&entry);
  std::sort(sorted.begin(), sorted.end(), [](const StEntry* a, const StEntry* b) { return a->order < b->order; });
  std::vector<const json*> out;
  out.reserve(sorted.size());
  for (const StEntry* entry : sorted) out.push_back(&entry->entry);
  return out;
}

json CStateFile::Applications(const CDriverModel& model) {
  const CServiceNode& apps = *model.Root().FindChild({sc::kApplicationList, 0, 0});
  json list = json::array();
  for (const auto& [key, app] : apps.Children()) {
    json entry = json::object();
    for (const auto& [id, value] : app->Values()) entry[std::to_string(id.first)] = ToHex(value.Bytes());
    list.push_back(std::move(entry));
  }
  return list;
}

StStateRecord CStateFile::Snapshot(const CDriverModel& model) {
  StStateRecord record;
  record.applications = Applications(model);
  const CServiceNode& root = model.Root();
  std::vector<StObjectKey> path;
  Collect(root, path, record.values, json::object());
  const CServiceNode& apps = *root.FindChild({sc::kApplicationList, 0, 0});
  for (const auto& [tabletKey, tablet] : root.Children()) {
    if (tabletKey.code != sc::kTablet) continue;
    const json tabletAnchor = {{"tablet", tabletKey.index}, {"model", tablet->FindValue(sc::kModel, 0)->Load(0)}};
    path.clear();
    Collect(*tablet, path, record.values, tabletAnchor);
    for (const auto& [key, part] : tablet->Hidden()) {
      // Function sets are named by the identifier of their application.
      for (const auto& [appKey, app] : apps.Children()) {
        if (static_cast<std::uint32_t>(app->m_uid) != key.index) continue;
        const auto identifier = static_cast<std::uint32_t>(app->FindValue(sc::kAppIdentifier, 0)->Load(0));
        path = {{sc::kByIdentifier, key.code, identifier}};
        Collect(*part, path, record.values, tabletAnchor);
      }
    }
    for (const auto& [toolKey, tool] : tablet->Children()) {
      if (tool->Kind() != NodeKind::kTool) continue;
      json toolAnchor = tabletAnchor;
      toolAnchor["type"] = tool->FindValue(sc::kTypeCode, 0)->Load(0);
      toolAnchor["serial"] = tool->FindValue(sc::kSerial, 0)->Load(0);
      path.clear();
      Collect(*tool, path, record.values, toolAnchor);
    }
  }
  return record;
}

std::string CStateFile::KeyOf(const json& entry) {
  std::string key;
  for (const char* field : {"tablet", "model", "type", "serial"}) {
    if (entry.contains(field)) key += std::to_string(entry.at(field).get<std::uint64_t>());
    key += ';';
  }
  return key + entry.at("path").get<std::string>();
}

bool CStateFile::ParseLine(std::string_view line, bool first, StStateRecord& out) {
  const json record = json::parse(line, nullptr, false);
  if (record.is_discarded() || !record.is_object()) return false;
  const int version = record.contains("version") && record.at("version").is_number_unsigned()
                          ? record.at("version").get<int>()
                          : 0;
  // Version 1 files were one document and carry the same fields.
  if (first != record.contains("version") || (first && version != 1 && version != kVersion)) return false;
  std::size_t fields = first ? 1 : 0;
  out = {};
  if (record.contains("applications")) {
    if (!IsApplicationList(record.at("applications"))) return false;
    out.applications = record.at("applications");
    ++fields;
  }
  if (record.contains("values")) {
    const json& values = record.at("values");
    if (!values.is_array()) return false;
    for (const json& entry : values) {
      if (!IsEntry(entry)) return false;
      out.values.push_back(entry);
    }
    ++fields;
  }
  return fields == record.size();
}

std::string CStateFile::FormatBase(const StStateContent& content) {
  json values = json::array();
  for (const json* entry : content.Ordered()) values.push_back(*entry);
  json base = {{"version", kVersion}, {"values", std::move(values)}};
  if (!content.applications.is_null()) base["applications"] = content.applications;
  return base.dump() + "\n";
}

std::string CStateFile::FormatRecord(const StStateRecord& record) {
  json line = {{"values", record.values}};
  if (!record.applications.is_null()) line["applications"] = record.applications;
  return line.dump() + "\n";
}

CStateFile::StParsed CStateFile::Parse(std::string_view text) {
  StParsed parsed;
  std::size_t start = 0;
  bool first = true;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    // The first line is written whole (a new file renamed into place); a later
    // one without its line end is a record whose writer died before answering.
    if (end == std::string_view::npos && !first) break;
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = std::min(end + 1, text.size());
    parsed.complete = start;
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
    StStateRecord record;
    if (ParseLine(line, first, record)) {
      parsed.content.Merge(record);
      ++parsed.goodLines;
    } else if (first && parsed.goodLines == 0 && ParseLine(text, true, record)) {
      // A file written as one indented document.
      parsed.content.Merge(record);
      parsed.goodLines = 1;
      parsed.complete = text.size();
      parsed.wholeDocument = true;
      return parsed;
    } else {
      ++parsed.badLines;
    }
    first = false;
  }
  return parsed;
}

bool CStateFile::ApplyApplications(const json& list, CDriverModel& model) {
  if (!list.is_array() || list.empty() || list == Applications(model)) return false;
  // Entries may have moved: rebuild the list rather than patch it. The first
  // application cannot be removed and is rewritten in place.
  for (std::uint32_t position = ApplicationCount(model); position > 1; --position) {
    const StObjectKey remove[] = {{0, sc::kApplicationList, 0}, {0, sc::kApplicationEntry, position - 1}};
    DropStatus(model.Remove(remove), "a list the model refuses to shrink keeps its extra entries");
  }
  for (std::size_t position = 0; position < list.size(); ++position) {
    if (position >= ApplicationCount(model)) {
      std::optional<std::uint16_t> number;
      const StObjectKey create[] = {{0, sc::kApplicationList, 0}, {0, sc::kApplicationEntry, 0}};
      if (model.Create(create, {}, number) != kStatusOk) break;
    }
    for (const auto& [code, hex] : list[position].items()) {
      std::vector<std::uint8_t> value;
      std::string error;
      const auto level = CPathText::Parse(code, error);
      if (!level || !FromHex(hex.get<std::string>(), value)) continue;
      const StObjectKey path[] = {{0, sc::kApplicationList, 0},
                                  {0, sc::kApplication, static_cast<std::uint32_t>(position)},
                                  (*level)[0]};
      CServiceValue* target = model.Materialize(path);
      // A value of another size belongs to some other device: skipped.
      if (target == nullptr || !target->Restore(value)) continue;
    }
  }
  model.Resync();
  return true;
}

void CStateFile::ApplyValues(const std::vector<const json*>& entries, CDriverModel& model) {
  for (const json* entry : entries) {
    std::vector<StObjectKey> path;
    std::string error;
    const auto rest = CPathText::Parse(entry->at("path").get<std::string>(), error);
    std::vector<std::uint8_t> bytes;
    if (!rest || !FromHex(entry->at("bytes").get<std::string>(), bytes)) continue;
    if (!Anchor(model, *entry, path)) continue;  // that device is not attached here
    path.insert(path.end(), rest->begin(), rest->end());
    CServiceValue* value = model.Materialize(path);
    if (value == nullptr || !value->Restore(bytes)) continue;
  }
  model.Resync();
}
