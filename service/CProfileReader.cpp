#include "service/CProfileReader.h"

#include <fstream>
#include <initializer_list>
#include <limits>
#include <sstream>

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

// Walks one JSON document and remembers the first fault with its field path.
class CFieldReader {
 public:
  explicit CFieldReader(std::string& error) : m_error(error) {}

  bool Fail(const std::string& field, const std::string& what) {
    if (m_ok) m_error = field + ": " + what;
    m_ok = false;
    return false;
  }
  [[nodiscard]] bool Ok() const { return m_ok; }

  // A field without which the object means nothing.
  bool Required(const json& object, const std::string& field, const char* key) {
    return object.contains(key) || Fail(Join(field, key), "missing");
  }

  bool OnlyKeys(const json& object, const std::string& field, std::initializer_list<const char*> keys) {
    if (!object.is_object()) return Fail(field.empty() ? "(top level)" : field, "expected an object");
    for (const auto& item : object.items()) {
      bool known = false;
      for (const char* key : keys) known = known || item.key() == key;
      if (!known) return Fail(Join(field, item.key()), "unknown field");
    }
    return true;
  }

  template <typename T>
  void Number(const json& object, const std::string& field, const char* key, T& out,
              std::uint64_t low = 0, std::uint64_t high = std::numeric_limits<T>::max()) {
    if (!m_ok || !object.contains(key)) return;
    const json& value = object.at(key);
    if (!value.is_number_unsigned() || value.get<std::uint64_t>() < low || value.get<std::uint64_t>() > high) {
      Fail(Join(field, key), "expected an integer from " + std::to_string(low) + " to " + std::to_string(high));
      return;
    }
    out = static_cast<T>(value.get<std::uint64_t>());
  }

  void Flag(const json& object, const std::string& field, const char* key, bool& out) {
    if (!m_ok || !object.contains(key)) return;
    if (!object.at(key).is_boolean()) {
      Fail(Join(field, key), "expected true or false");
      return;
    }
    out = object.at(key).get<bool>();
  }

  void Text(const json& object, const std::string& field, const char* key, std::string& out) {
    if (!m_ok || !object.contains(key)) return;
    const json& value = object.at(key);
    if (!value.is_string() || value.get<std::string>().size() > 255) {
      Fail(Join(field, key), "expected a text of at most 255 bytes");
      return;
    }
    out = value.get<std::string>();
  }

  void Version(const json& object, const std::string& field, const char* key, StVersionBytes& out) {
    if (!m_ok || !object.contains(key)) return;
    const json& value = object.at(key);
    if (!value.is_array() || value.size() != out.size()) {
      Fail(Join(field, key), "expected five numbers (major, tens, units, letter, build)");
      return;
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
      if (!value[i].is_number_unsigned() || value[i].get<std::uint64_t>() > 255) {
        Fail(Join(field, key) + "[" + std::to_string(i) + "]", "expected an integer from 0 to 255");
        return;
      }
      out[i] = static_cast<std::uint8_t>(value[i].get<std::uint64_t>());
    }
  }

  // A list of at most `most` integers up to `high`.
  void Numbers(const json& object, const std::string& field, const char* key, std::vector<std::uint32_t>& out,
               std::size_t most, std::uint32_t high) {
    if (!m_ok || !object.contains(key)) return;
    const json& value = object.at(key);
    if (!value.is_array() || value.size() > most) {
      Fail(Join(field, key), "expected a list of at most " + std::to_string(most) + " integers");
      return;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
      if (!value[i].is_number_unsigned() || value[i].get<std::uint64_t>() > high) {
        Fail(Join(field, key) + "[" + std::to_string(i) + "]", "expected an integer from 0 to " + std::to_string(high));
        return;
      }
      out.push_back(static_cast<std::uint32_t>(value[i].get<std::uint64_t>()));
    }
  }

  static std::string Join(const std::string& field, const std::string& key) {
    return field.empty() ? key : field + "." + key;
  }

 private:
  std::string& m_error;
  bool m_ok = true;
};

void ReadTool(CFieldReader& reader, const json& node, const std::string& field, StToolProfile& tool) {
  if (!reader.OnlyKeys(node, field, {"type", "serial", "identity", "name", "eraser", "buttons", "roller", "wheel"}))
    return;
  if (!reader.Required(node, field, "type")) return;
  reader.Number(node, field, "type", tool.type);
  reader.Number(node, field, "serial", tool.serial);
  reader.Number(node, field, "identity", tool.identity);
  reader.Text(node, field, "name", tool.name);
  reader.Flag(node, field, "eraser", tool.eraser);
  reader.Number(node, field, "buttons", tool.buttons, 0, 15);
  reader.Flag(node, field, "roller", tool.roller);
  reader.Flag(node, field, "wheel", tool.wheel);
}

void ReadTablet(CFieldReader& reader, const json& node, const std::string& field, StTabletProfile& tablet) {
  if (!reader.OnlyKeys(node, field,
                       {"model", "name", "version", "pressureLevels", "width", "height", "penDisplay",
                        "monitor", "battery", "batteryLevel", "joystick", "tabletButtons", "touchStrips",
                        "tools"}))
    return;
  if (!reader.Required(node, field, "model")) return;
  reader.Number(node, field, "model", tablet.model);
  reader.Text(node, field, "name", tablet.name);
  reader.Version(node, field, "version", tablet.version);
  reader.Number(node, field, "pressureLevels", tablet.pressureLevels, 1, 65535);
  reader.Number(node, field, "width", tablet.width, 1, 0x7FFFFFFF);
  reader.Number(node, field, "height", tablet.height, 1, 0x7FFFFFFF);
  reader.Flag(node, field, "penDisplay", tablet.penDisplay);
  reader.Number(node, field, "monitor", tablet.monitor, 1, 16);
  reader.Flag(node, field, "battery", tablet.battery);
  reader.Number(node, field, "batteryLevel", tablet.batteryLevel, 0, 5);
  reader.Flag(node, field, "joystick", tablet.joystick);
  reader.Number(node, field, "tabletButtons", tablet.tabletButtons, 0, 8);
  reader.Number(node, field, "touchStrips", tablet.touchStrips, 0, 2);
  tablet.tools.clear();
  if (!reader.Ok() || !node.contains("tools")) return;
  const json& tools = node.at("tools");
  if (!tools.is_array() || tools.size() > 64) {
    reader.Fail(CFieldReader::Join(field, "tools"), "expected a list of at most 64 tools");
    return;
  }
  for (std::size_t i = 0; i < tools.size() && reader.Ok(); ++i) {
    const std::string toolField = CFieldReader::Join(field, "tools") + "[" + std::to_string(i) + "]";
    StToolProfile tool;
    ReadTool(reader, tools[i], toolField, tool);
    // The applet takes tools of one type code and serial for one tool.
    for (std::size_t k = 0; k < tablet.tools.size() && reader.Ok(); ++k) {
      if (tablet.tools[k].type == tool.type && tablet.tools[k].serial == tool.serial)
        reader.Fail(toolField, "type and serial already name tools[" + std::to_string(k) + "]");
    }
    tablet.tools.push_back(tool);
  }
}

constexpr std::uint32_t kHighestFunction = 1000;
constexpr std::size_t kMostTabletButtons = 8;
constexpr std::size_t kMostTouchStrips = 2;
constexpr std::size_t kMostPopupEntries = 64;

void ReadApplication(CFieldReader& reader, const json& node, const std::string& field, StApplicationProfile& app) {
  if (!reader.OnlyKeys(node, field,
                       {"identifier", "program", "title", "tabletMenu", "tabletButtons", "touchStrips", "popup"}))
    return;
  reader.Number(node, field, "identifier", app.identifier);
  reader.Text(node, field, "program", app.program);
  reader.Text(node, field, "title", app.title);
  if (node.contains("tabletMenu")) {
    std::uint32_t function = 0;
    reader.Number(node, field, "tabletMenu", function, 0, kHighestFunction);
    app.tabletMenu = function;
  }
  reader.Numbers(node, field, "tabletButtons", app.tabletButtons, kMostTabletButtons, kHighestFunction);
  reader.Numbers(node, field, "touchStrips", app.touchStrips, kMostTouchStrips, kHighestFunction);
  reader.Numbers(node, field, "popup", app.popup, kMostPopupEntries, kHighestFunction);
}

}  // namespace

bool CProfileReader::ReadText(std::string_view text, std::string_view source, StProfile& out,
                              std::string& error) {
  const json document = json::parse(text, nullptr, false);
  if (document.is_discarded()) {
    error = std::string(source) + ": not valid JSON";
    return false;
  }
  std::string fault;
  CFieldReader reader(fault);
  StProfile profile;
  profile.tablets.clear();
  profile.applications.clear();
  if (reader.OnlyKeys(document, "", {"name", "driverVersion", "tablets", "applications", "devices"})) {
    reader.Text(document, "", "name", profile.name);
    reader.Flag(document, "", "devices", profile.devices);
    reader.Version(document, "", "driverVersion", profile.driverVersion);
    if (reader.Ok() && (!document.contains("tablets") || !document.at("tablets").is_array() ||
                        document.at("tablets").empty() || document.at("tablets").size() > 16))
      reader.Fail("tablets", "expected a list of 1 to 16 tablets");
    for (std::size_t i = 0; reader.Ok() && i < document.at("tablets").size(); ++i) {
      StTabletProfile tablet;
      ReadTablet(reader, document.at("tablets")[i], "tablets[" + std::to_string(i) + "]", tablet);
      profile.tablets.push_back(tablet);
    }
    if (reader.Ok() && document.contains("applications")) {
      const json& apps = document.at("applications");
      if (!apps.is_array() || apps.size() > 64) reader.Fail("applications", "expected a list of at most 64");
      for (std::size_t i = 0; reader.Ok() && i < apps.size(); ++i) {
        const std::string field = "applications[" + std::to_string(i) + "]";
        StApplicationProfile app;
        ReadApplication(reader, apps[i], field, app);
        profile.applications.push_back(app);
      }
    }
  }
  if (!reader.Ok()) {
    error = std::string(source) + ": " + fault;
    return false;
  }
  if (profile.applications.empty()) profile.applications.push_back({});
  out = std::move(profile);
  return true;
}

bool CProfileReader::ReadFile(const std::filesystem::path& file, StProfile& out, std::string& error) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = file.string() + ": cannot be read";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ReadText(text.str(), file.string(), out, error);
}
