#include "service/CStateFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "service/CPathText.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;
using nlohmann::json;

namespace {

constexpr int kStateVersion = 1;

std::string ToHex(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

bool FromHex(const std::string& text, std::vector<std::uint8_t>& out) {
  if (text.size() % 2 != 0) return false;
  out.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    if (std::sscanf(text.substr(i, 2).c_str(), "%2x", &value) != 1) return false;
    out.push_back(static_cast<std::uint8_t>(value));
  }
  return true;
}

StObjectKey Level(const StNodeKey& key) { return {key.qualifier, key.code, key.index}; }

// Collects every changed value below `node` as (path below the anchor, bytes).
void Collect(const CServiceNode& node, std::vector<StObjectKey>& path, json& out, const json& anchor) {
  for (const auto& [id, value] : node.Values()) {
    // The pen's live records describe the moment, not a setting.
    if (!value.IsChanged() || id.first == sc::kToolRecord || id.first == sc::kRawRecord) continue;
    path.push_back({0, id.first, id.second});
    json entry = anchor;
    entry["path"] = CPathText::Format(path);
    entry["bytes"] = ToHex(value.Bytes());
    out.push_back(entry);
    path.pop_back();
  }
  for (const auto& [key, child] : node.Children()) {
    if (child->Kind() == NodeKind::kTool || child->Kind() == NodeKind::kTablet) continue;
    path.push_back(Level(key));
    Collect(*child, path, out, anchor);
    path.pop_back();
  }
}

json SaveApplications(const CServiceNode& apps) {
  json list = json::array();
  for (const auto& [key, app] : apps.Children()) {
    json entry;
    for (const auto& [id, value] : app->Values()) entry[std::to_string(id.first)] = ToHex(value.Bytes());
    list.push_back(entry);
  }
  return list;
}

json Snapshot(const CDriverModel& model) {
  const CServiceNode& root = model.Root();
  json values = json::array();
  std::vector<StObjectKey> path;
  Collect(root, path, values, json::object());
  const CServiceNode& apps = *root.FindChild({sc::kApplicationList, 0, 0});
  for (const auto& [tabletKey, tablet] : root.Children()) {
    if (tabletKey.code != sc::kTablet) continue;
    const json tabletAnchor = {{"tablet", tabletKey.index}, {"model", tablet->FindValue(sc::kModel, 0)->Load(0)}};
    path.clear();
    Collect(*tablet, path, values, tabletAnchor);
    for (const auto& [key, part] : tablet->Hidden()) {
      // Function sets are named by the identifier of their application.
      for (const auto& [appKey, app] : apps.Children()) {
        if (static_cast<std::uint32_t>(app->m_uid) != key.index) continue;
        const auto identifier = static_cast<std::uint32_t>(app->FindValue(sc::kAppIdentifier, 0)->Load(0));
        path = {{sc::kByIdentifier, key.code, identifier}};
        Collect(*part, path, values, tabletAnchor);
      }
    }
    for (const auto& [toolKey, tool] : tablet->Children()) {
      if (tool->Kind() != NodeKind::kTool) continue;
      json toolAnchor = tabletAnchor;
      toolAnchor["type"] = tool->FindValue(sc::kTypeCode, 0)->Load(0);
      toolAnchor["serial"] = tool->FindValue(sc::kSerial, 0)->Load(0);
      path.clear();
      Collect(*tool, path, values, toolAnchor);
    }
  }
  return {{"version", kStateVersion}, {"applications", SaveApplications(apps)}, {"values", values}};
}

// The tablet and tool a saved entry belongs to, as a path prefix.
bool Anchor(const CDriverModel& model, const json& entry, std::vector<StObjectKey>& prefix) {
  prefix.clear();
  if (!entry.contains("tablet")) return true;
  const CServiceNode& root = model.Root();
  const auto model_ = entry.at("model").get<std::uint64_t>();
  const auto wanted = entry.at("tablet").get<std::uint32_t>();
  const CServiceNode* tablet = root.FindChild({sc::kTablet, wanted, 0});
  std::uint32_t number = wanted;
  if (tablet == nullptr || tablet->FindValue(sc::kModel, 0)->Load(0) != model_) {
    tablet = nullptr;
    for (const auto& [key, child] : root.Children()) {
      if (key.code == sc::kTablet && child->FindValue(sc::kModel, 0)->Load(0) == model_) {
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

void RestoreApplications(const json& list, CDriverModel& model) {
  for (std::size_t position = 0; position < list.size(); ++position) {
    const StObjectKey count[] = {{0, sc::kApplicationList, 0}, {0, sc::kCount, 0}};
    std::uint8_t bytes[2] = {0, 0};
    std::uint32_t length = 0;
    if (model.Get(count, bytes, length) != kStatusOk) return;
    if (position >= static_cast<std::size_t>(bytes[0] | (bytes[1] << 8))) {
      std::optional<std::uint16_t> number;
      const StObjectKey create[] = {{0, sc::kApplicationList, 0}, {0, sc::kApplicationEntry, 0}};
      if (model.Create(create, {}, number) != kStatusOk) return;
    }
    for (const auto& [code, hex] : list[position].items()) {
      std::vector<std::uint8_t> value;
      const StObjectKey path[] = {{0, sc::kApplicationList, 0},
                                  {0, sc::kApplication, static_cast<std::uint32_t>(position)},
                                  {0, static_cast<std::uint16_t>(std::stoul(code)), 0}};
      if (!FromHex(hex.get<std::string>(), value)) continue;
      if (CServiceValue* target = model.Materialize(path)) (void)target->Restore(value);
    }
  }
}

bool Restore(const json& document, CDriverModel& model) {
  if (!document.is_object() || document.value("version", 0) != kStateVersion) return false;
  RestoreApplications(document.at("applications"), model);
  model.Resync();
  for (const json& entry : document.at("values")) {
    std::vector<StObjectKey> path;
    std::string error;
    const auto rest = CPathText::Parse(entry.at("path").get<std::string>(), error);
    std::vector<std::uint8_t> bytes;
    if (!rest || !FromHex(entry.at("bytes").get<std::string>(), bytes)) return false;
    if (!Anchor(model, entry, path)) continue;  // that device is not attached now
    path.insert(path.end(), rest->begin(), rest->end());
    if (CServiceValue* value = model.Materialize(path)) (void)value->Restore(bytes);
  }
  model.Resync();
  return true;
}

}  // namespace

void CStateFile::Load(const std::filesystem::path& file, CDriverModel& model) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return;
  std::ostringstream text;
  text << in.rdbuf();
  in.close();
  bool restored = false;
  try {
    const json document = json::parse(text.str());
    restored = Restore(document, model);
  } catch (const json::exception&) {
    restored = false;
  } catch (const std::logic_error&) {
    restored = false;
  }
  if (restored) return;
  std::filesystem::path aside = file;
  aside += ".damaged";
  std::error_code ignored;
  std::filesystem::rename(file, aside, ignored);
  std::fprintf(stderr, "tablet service: state file %s is damaged; moved to %s, defaults used\n",
               file.c_str(), aside.c_str());
}

Status CStateFile::Save(const std::filesystem::path& file, const CDriverModel& model) {
  const std::string text = Snapshot(model).dump(1);
  std::error_code ignored;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  std::filesystem::path temporary = file;
  temporary += ".tmp." + std::to_string(::getpid());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return kStatusNotFound;
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const bool ok = written == text.size() && ::fsync(fd) == 0;
  ::close(fd);
  if (!ok || ::rename(temporary.c_str(), file.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return kStatusNotFound;
  }
  return kStatusOk;
}
