#include "toolkit/storage/CZncWriter.h"

#include <cstdio>
#include <fstream>

#include "toolkit/storage/CByteWriter.h"
#include "toolkit/storage/ZncFormat.h"

namespace {

void WriteObject(CByteWriter& out, const StResourceObject& object) {
  out.U16(object.classId);
  out.Str(object.className);
  std::vector<std::uint8_t> fields;
  CByteWriter f(fields);
  std::uint16_t count = 0;
  auto tag = [&](znc::Tag t) {
    f.U8(static_cast<std::uint8_t>(t));
    ++count;
  };
  auto str = [&](znc::Tag t, const std::optional<std::string>& v) {
    if (v) {
      tag(t);
      f.Str(*v);
    }
  };
  auto num = [&](znc::Tag t, const std::optional<std::int32_t>& v) {
    if (v) {
      tag(t);
      f.I32(*v);
    }
  };
  str(znc::Tag::kStringId, object.stringId);
  num(znc::Tag::kNumberId, object.numberId);
  str(znc::Tag::kText, object.text);
  str(znc::Tag::kQuickTip, object.quickTip);
  if (object.region) {
    tag(znc::Tag::kRegion);
    for (std::int32_t v : *object.region) f.I32(v);
  }
  if (object.styles != 0) {
    tag(znc::Tag::kStyles);
    f.U32(object.styles);
  }
  if (object.flags != 0) {
    tag(znc::Tag::kFlags);
    f.U32(object.flags);
  }
  num(znc::Tag::kValue, object.value);
  num(znc::Tag::kMinimum, object.minimum);
  num(znc::Tag::kMaximum, object.maximum);
  num(znc::Tag::kStep, object.step);
  if (object.entries) {
    tag(znc::Tag::kEntries);
    f.U16(static_cast<std::uint16_t>(object.entries->size()));
    for (const StResourceEntry& e : *object.entries) {
      f.Str(e.text);
      f.Str(e.stringId);
      f.I32(e.value);
    }
  }
  str(znc::Tag::kBitmap, object.bitmap);
  num(znc::Tag::kForeground, object.foreground);
  num(znc::Tag::kBackground, object.background);
  str(znc::Tag::kPageText, object.pageText);
  if (!object.children.empty()) {
    tag(znc::Tag::kChildren);
    f.U16(static_cast<std::uint16_t>(object.children.size()));
    for (const StResourceObject& child : object.children) WriteObject(f, child);
  }
  out.U16(count);
  for (std::uint8_t b : fields) out.U8(b);
}

void WriteData(CByteWriter& out, const StResourceData& data) {
  out.U16(data.classId);
  out.Str(data.className);
  out.Str(data.name);
  if (data.className == "ZafStringData") {
    out.Str(data.text);
  } else if (data.className == "ZafIntegerData") {
    out.I32(data.value);
  } else if (data.className == "ZafBitmapData") {
    out.U16(data.width);
    out.U16(data.height);
    for (std::uint8_t p : data.pixels) out.U8(p);
  } else if (data.className == znc::kLanguageClassName) {
    out.U16(static_cast<std::uint16_t>(data.languages.size()));
    for (const auto& [code, strings] : data.languages) {
      out.Str(code);
      out.U32(static_cast<std::uint32_t>(strings.size()));
      for (const auto& [id, text] : strings) {
        out.Str(id);
        out.Str(text);
      }
    }
  }
}

}  // namespace

bool CZncWriter::Has(std::uint8_t kind, const std::string& name) const {
  for (const StPending& e : m_entries) {
    if (e.kind == kind && e.name == name) return true;
  }
  return false;
}

Status CZncWriter::AddWindow(const std::string& name, const StResourceObject& window) {
  const auto kind = static_cast<std::uint8_t>(znc::EntryKind::kWindow);
  if (Has(kind, name)) return kStatusAlreadyExists;
  StPending entry{kind, window.classId, window.className, name, {}};
  CByteWriter out(entry.payload);
  WriteObject(out, window);
  m_entries.push_back(std::move(entry));
  return kStatusOk;
}

Status CZncWriter::AddData(const StResourceData& data) {
  const auto kind = static_cast<std::uint8_t>(znc::EntryKind::kData);
  if (Has(kind, data.name)) return kStatusAlreadyExists;
  StPending entry{kind, data.classId, data.className, data.name, {}};
  CByteWriter out(entry.payload);
  WriteData(out, data);
  m_entries.push_back(std::move(entry));
  return kStatusOk;
}

std::vector<std::uint8_t> CZncWriter::Build() const {
  std::vector<std::uint8_t> file(znc::kHeaderSize, 0);
  CByteWriter out(file);
  std::vector<std::uint32_t> offsets;
  for (const StPending& e : m_entries) {
    offsets.push_back(static_cast<std::uint32_t>(out.Size()));
    for (std::uint8_t b : e.payload) out.U8(b);
  }
  const auto directory = static_cast<std::uint32_t>(out.Size());
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    const StPending& e = m_entries[i];
    out.U8(e.kind);
    out.U8(0);
    out.U16(e.classId);
    out.Str(e.className);
    out.Str(e.name);
    out.U32(offsets[i]);
    out.U32(static_cast<std::uint32_t>(e.payload.size()));
  }
  for (std::size_t i = 0; i < znc::kMagic.size(); ++i) file[i] = static_cast<std::uint8_t>(znc::kMagic[i]);
  file[4] = static_cast<std::uint8_t>(znc::kFormatVersion & 0xFFU);
  file[5] = static_cast<std::uint8_t>(znc::kFormatVersion >> 8);
  out.PatchU32(8, static_cast<std::uint32_t>(m_entries.size()));
  out.PatchU32(12, directory);
  out.PatchU32(16, static_cast<std::uint32_t>(file.size()));
  const std::span<const std::uint8_t> body(file.data() + znc::kHeaderSize, file.size() - znc::kHeaderSize);
  out.PatchU32(20, znc::Crc32(body));
  return file;
}

Status CZncWriter::WriteFile(const std::string& path) const {
  const std::vector<std::uint8_t> bytes = Build();
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return kStatusResourceMissing;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return kStatusResourceMissing;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return kStatusResourceMissing;
  }
  return kStatusOk;
}
