#include "toolkit/tools/CJsonResourceLoader.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "toolkit/ZafClassTable.h"
#include "toolkit/storage/ZncFormat.h"

namespace {

using nlohmann::json;

// A validation failure: the field path inside the file and what is wrong.
struct CSourceError : std::runtime_error {
  CSourceError(const std::string& field, const std::string& what)
      : std::runtime_error("field \"" + field + "\": " + what) {}
};

constexpr const char* kLanguageCodes[] = {"en", "zhc", "zht", "fr", "de", "ja", "ko",
                                          "it", "es", "pt", "nl", "ru", "sv"};

std::int32_t Int(const json& v, const std::string& field, std::int64_t lo = INT32_MIN, std::int64_t hi = INT32_MAX) {
  if (!v.is_number_integer()) throw CSourceError(field, "must be an integer");
  const auto n = v.get<std::int64_t>();
  if (n < lo || n > hi) {
    throw CSourceError(field, "must lie in " + std::to_string(lo) + ".." + std::to_string(hi));
  }
  return static_cast<std::int32_t>(n);
}

std::string Str(const json& v, const std::string& field) {
  if (!v.is_string()) throw CSourceError(field, "must be a string");
  auto s = v.get<std::string>();
  if (s.size() > 0xFFFF) throw CSourceError(field, "is longer than 65535 bytes");
  return s;
}

bool Bool(const json& v, const std::string& field) {
  if (!v.is_boolean()) throw CSourceError(field, "must be true or false");
  return v.get<bool>();
}

StResourceObject ReadWindowObject(const json& j, const std::string& at, std::set<std::string>& bitmaps) {
  if (!j.is_object()) throw CSourceError(at.empty() ? "(top)" : at, "must be an object");
  const std::string prefix = at.empty() ? "" : at + ".";
  if (!j.contains("class")) throw CSourceError(prefix + "class", "is missing");
  StResourceObject o;
  o.className = Str(j["class"], prefix + "class");
  const StClassInfo* info = ZafClassTable::FindWindowClass(o.className);
  if (info == nullptr) throw CSourceError(prefix + "class", "unknown class \"" + o.className + "\"");
  o.classId = info->id;
  for (const auto& [key, v] : j.items()) {
    const std::string field = prefix + key;
    if (key == "class") continue;
    if (key == "stringId") o.stringId = Str(v, field);
    else if (key == "numberId") o.numberId = Int(v, field, 0, 0xFFFF);
    else if (key == "text") o.text = Str(v, field);
    else if (key == "quickTip") o.quickTip = Str(v, field);
    else if (key == "region") {
      if (!v.is_array() || v.size() != 4) throw CSourceError(field, "must be [x, y, width, height]");
      std::array<std::int32_t, 4> r{};
      for (std::size_t i = 0; i < 4; ++i) {
        r[i] = Int(v[i], field + "[" + std::to_string(i) + "]", i < 2 ? -32768 : 0, 32767);
      }
      o.region = r;
    } else if (key == "style") {
      if (!v.is_array()) throw CSourceError(field, "must be a list of style names");
      for (std::size_t i = 0; i < v.size(); ++i) {
        const std::string name = Str(v[i], field + "[" + std::to_string(i) + "]");
        if ((info->styles & znc::StyleBit(name)) == 0) {
          throw CSourceError(field, "style \"" + name + "\" does not apply to " + o.className);
        }
        o.styles |= znc::StyleBit(name);
      }
    } else if (key == "hidden") {
      if (Bool(v, field)) o.flags |= znc::kFlagHidden;
    } else if (key == "disabled") {
      if (Bool(v, field)) o.flags |= znc::kFlagDisabled;
    } else if (key == "checked") {
      if (Bool(v, field)) o.flags |= znc::kFlagChecked;
    } else if (key == "value") o.value = Int(v, field);
    else if (key == "minimum") o.minimum = Int(v, field);
    else if (key == "maximum") o.maximum = Int(v, field);
    else if (key == "step") o.step = Int(v, field, 1, INT32_MAX);
    else if (key == "entries") {
      if (!v.is_array()) throw CSourceError(field, "must be a list");
      if (v.size() > 0xFFFF) throw CSourceError(field, "has too many entries");
      std::vector<StResourceEntry> entries;
      for (std::size_t i = 0; i < v.size(); ++i) {
        const std::string ef = field + "[" + std::to_string(i) + "]";
        if (!v[i].is_object()) throw CSourceError(ef, "must be an object");
        StResourceEntry e;
        for (const auto& [ek, ev] : v[i].items()) {
          if (ek == "text") e.text = Str(ev, ef + ".text");
          else if (ek == "stringId") e.stringId = Str(ev, ef + ".stringId");
          else if (ek == "value") e.value = Int(ev, ef + ".value");
          else throw CSourceError(ef + "." + ek, "unknown field");
        }
        entries.push_back(std::move(e));
      }
      o.entries = std::move(entries);
    } else if (key == "bitmap") {
      o.bitmap = Str(v, field);
      bitmaps.insert(*o.bitmap);
    } else if (key == "foreground") o.foreground = Int(v, field, 0, znc::kColourCount - 1);
    else if (key == "background") o.background = Int(v, field, 0, znc::kColourCount - 1);
    else if (key == "pageText") o.pageText = Str(v, field);
    else if (key == "children") {
      if (!v.is_array()) throw CSourceError(field, "must be a list");
      if (v.size() > 0xFFFF) throw CSourceError(field, "has too many children");
      for (std::size_t i = 0; i < v.size(); ++i) {
        o.children.push_back(ReadWindowObject(v[i], field + "[" + std::to_string(i) + "]", bitmaps));
      }
    } else {
      throw CSourceError(field, "unknown field");
    }
  }
  if (o.minimum && o.maximum && *o.minimum > *o.maximum) throw CSourceError(prefix + "minimum", "is above maximum");
  if (o.className == "ZafNotebook") {
    for (std::size_t i = 0; i < o.children.size(); ++i) {
      if (o.children[i].className != "ZafWindow") {
        throw CSourceError(prefix + "children[" + std::to_string(i) + "]", "a notebook page must be a ZafWindow");
      }
    }
  }
  return o;
}

void CheckOnly(const json& j, std::initializer_list<const char*> fields) {
  if (!j.is_object()) throw CSourceError("(top)", "must be an object");
  for (const auto& [key, v] : j.items()) {
    bool known = false;
    for (const char* f : fields) known = known || key == f;
    if (!known) throw CSourceError(key, "unknown field");
  }
  for (const char* f : fields) {
    if (!j.contains(f)) throw CSourceError(f, "is missing");
  }
}

StResourceData ReadImage(const json& j, const std::string& stem) {
  CheckOnly(j, {"name", "width", "height", "palette", "rows"});
  StResourceData d;
  d.className = "ZafBitmapData";
  d.classId = ZafClassTable::FindDataClass(d.className)->id;
  d.name = Str(j["name"], "name");
  if (d.name != stem) throw CSourceError("name", "must equal the file name \"" + stem + "\"");
  d.width = static_cast<std::uint16_t>(Int(j["width"], "width", 1, znc::kMaxBitmapSide));
  d.height = static_cast<std::uint16_t>(Int(j["height"], "height", 1, znc::kMaxBitmapSide));
  std::map<char, std::uint8_t> palette;
  if (!j["palette"].is_object()) throw CSourceError("palette", "must map characters to colour indexes");
  for (const auto& [key, v] : j["palette"].items()) {
    if (key.size() != 1) throw CSourceError("palette." + key, "a key must be one character");
    const std::int32_t colour = Int(v, "palette." + key, -1, znc::kColourCount - 1);
    palette[key[0]] = colour < 0 ? znc::kTransparentPixel : static_cast<std::uint8_t>(colour);
  }
  const json& rows = j["rows"];
  if (!rows.is_array() || rows.size() != d.height) throw CSourceError("rows", "must hold \"height\" rows");
  for (std::size_t y = 0; y < rows.size(); ++y) {
    const std::string field = "rows[" + std::to_string(y) + "]";
    const std::string row = Str(rows[y], field);
    if (row.size() != d.width) throw CSourceError(field, "must be \"width\" characters long");
    for (char c : row) {
      auto it = palette.find(c);
      if (it == palette.end()) throw CSourceError(field, std::string("character '") + c + "' is not in the palette");
      d.pixels.push_back(it->second);
    }
  }
  return d;
}

StResourceData ReadDataFile(const json& j, const std::string& stem) {
  if (!j.is_object() || !j.contains("class")) throw CSourceError("class", "is missing");
  StResourceData d;
  d.className = Str(j["class"], "class");
  if (d.className == "ZafStringData") {
    CheckOnly(j, {"class", "name", "text"});
    d.text = Str(j["text"], "text");
  } else if (d.className == "ZafIntegerData") {
    CheckOnly(j, {"class", "name", "value"});
    d.value = Int(j["value"], "value");
  } else {
    throw CSourceError("class", "must be ZafStringData or ZafIntegerData");
  }
  d.classId = ZafClassTable::FindDataClass(d.className)->id;
  d.name = Str(j["name"], "name");
  if (d.name != stem) throw CSourceError("name", "must equal the file name \"" + stem + "\"");
  return d;
}

}  // namespace

Status CJsonResourceLoader::LoadFile(const std::filesystem::path& path) {
  const std::string file = path.string();
  const std::string folder = path.parent_path().filename().string();
  const std::string stem = path.stem().string();
  std::ifstream in(path);
  if (!in) {
    m_error = file + ": cannot be read";
    return kStatusResourceMissing;
  }
  try {
    const json j = json::parse(in);
    if (folder == "windows") {
      std::set<std::string> bitmaps;
      const StResourceObject window = ReadWindowObject(j, "", bitmaps);
      for (const std::string& b : bitmaps) m_bitmapUses.emplace(b, file);
      if (m_writer.AddWindow(stem, window) != kStatusOk) throw CSourceError("(file)", "a second window named " + stem);
    } else if (folder == "languages") {
      CheckOnly(j, {"language", "strings"});
      const std::string code = Str(j["language"], "language");
      bool known = false;
      for (const char* c : kLanguageCodes) known = known || code == c;
      if (!known) throw CSourceError("language", "unknown language code \"" + code + "\"");
      if (code != stem) throw CSourceError("language", "must equal the file name \"" + stem + "\"");
      if (!j["strings"].is_object()) throw CSourceError("strings", "must map identifiers to texts");
      auto& strings = m_languages[code];
      for (const auto& [id, text] : j["strings"].items()) {
        const std::size_t tilde = id.find('~');
        if (tilde == 0 || tilde == std::string::npos || tilde + 1 == id.size()) {
          throw CSourceError("strings." + id, "identifier must read Window~Control");
        }
        strings[id] = Str(text, "strings." + id);
      }
    } else if (folder == "images") {
      const StResourceData image = ReadImage(j, stem);
      m_bitmaps.insert(image.name);
      if (m_writer.AddData(image) != kStatusOk) throw CSourceError("name", "a second data object named " + stem);
    } else if (folder == "data") {
      const StResourceData data = ReadDataFile(j, stem);
      if (data.name == "LanguageStrings") throw CSourceError("name", "LanguageStrings is built from languages/");
      if (m_writer.AddData(data) != kStatusOk) throw CSourceError("name", "a second data object named " + stem);
    } else {
      m_error = file + ": not in windows/, languages/, images/ or data/";
      return kStatusResourceDamaged;
    }
  } catch (const json::exception& e) {
    m_error = file + ": " + e.what();
    return kStatusResourceDamaged;
  } catch (const CSourceError& e) {
    m_error = file + ": " + e.what();
    return kStatusResourceDamaged;
  }
  return kStatusOk;
}

Status CJsonResourceLoader::Write(const std::string& output) {
  for (const auto& [bitmap, file] : m_bitmapUses) {
    if (m_bitmaps.count(bitmap) == 0) {
      m_error = file + ": field \"bitmap\": no image named \"" + bitmap + "\"";
      return kStatusResourceDamaged;
    }
  }
  if (!m_languages.empty()) {
    if (m_languages.count("en") == 0) {
      m_error = "languages/en.json: English strings are missing";
      return kStatusResourceDamaged;
    }
    StResourceData strings;
    strings.className = std::string(znc::kLanguageClassName);
    strings.classId = znc::kLanguageClassId;
    strings.name = "LanguageStrings";
    strings.languages = m_languages;
    if (m_writer.AddData(strings) != kStatusOk) {
      m_error = "LanguageStrings: defined twice";
      return kStatusResourceDamaged;
    }
  }
  const Status status = m_writer.WriteFile(output);
  if (status != kStatusOk) m_error = output + ": cannot be written";
  return status;
}
