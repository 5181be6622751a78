#include "toolkit/storage/ZafStorage.h"

#include <algorithm>

#include "toolkit/storage/CByteReader.h"
#include "toolkit/ZafClassTable.h"
#include "toolkit/storage/ReadRegularFile.h"
#include "toolkit/storage/ZncFormat.h"

namespace {

bool ReadObject(CByteReader& in, StResourceObject& object, std::size_t depth) {
  if (depth > znc::kMaxDepth) return false;
  object.classId = in.U16();
  object.className = in.Str();
  // Repeated identifiers are fine; a name stored with another class's id is not.
  if (!in.Ok() || !ZafClassTable::KnowsWindowClass(object.className, object.classId)) return false;
  const std::uint16_t count = in.U16();
  std::uint32_t seen = 0;
  for (std::uint16_t i = 0; i < count && in.Ok(); ++i) {
    const std::uint8_t tag = in.U8();
    if (tag == 0 || tag > znc::kLastTag) return false;
    const std::uint32_t bit = 1U << tag;
    if ((seen & bit) != 0) return false;
    seen |= bit;
    switch (static_cast<znc::Tag>(tag)) {
      case znc::Tag::kStringId: object.stringId = in.Str(); break;
      case znc::Tag::kNumberId: object.numberId = in.I32(); break;
      case znc::Tag::kText: object.text = in.Str(); break;
      case znc::Tag::kQuickTip: object.quickTip = in.Str(); break;
      case znc::Tag::kRegion: {
        std::array<std::int32_t, 4> r{};
        for (std::int32_t& v : r) v = in.I32();
        if (r[2] < 0 || r[3] < 0) return false;
        object.region = r;
        break;
      }
      case znc::Tag::kStyles:
        object.styles = in.U32();
        if ((object.styles & ~znc::kKnownStyles) != 0) return false;
        break;
      case znc::Tag::kFlags:
        object.flags = in.U32();
        if ((object.flags & ~znc::kKnownFlags) != 0) return false;
        break;
      case znc::Tag::kValue: object.value = in.I32(); break;
      case znc::Tag::kMinimum: object.minimum = in.I32(); break;
      case znc::Tag::kMaximum: object.maximum = in.I32(); break;
      case znc::Tag::kStep: object.step = in.I32(); break;
      case znc::Tag::kEntries: {
        const std::uint16_t n = in.U16();
        // Each entry takes at least 8 bytes: refuse counts the data cannot hold.
        if (n > in.Remaining() / 8) return false;
        std::vector<StResourceEntry> entries(n);
        for (StResourceEntry& e : entries) {
          e.text = in.Str();
          e.stringId = in.Str();
          e.value = in.I32();
        }
        object.entries = std::move(entries);
        break;
      }
      case znc::Tag::kBitmap: object.bitmap = in.Str(); break;
      case znc::Tag::kForeground:
      case znc::Tag::kBackground: {
        const std::int32_t colour = in.I32();
        if (colour < -1 || colour >= znc::kColourCount) return false;
        (tag == static_cast<std::uint8_t>(znc::Tag::kForeground) ? object.foreground : object.background) = colour;
        break;
      }
      case znc::Tag::kPageText: object.pageText = in.Str(); break;
      case znc::Tag::kChildren: {
        const std::uint16_t n = in.U16();
        if (n > in.Remaining() / 6) return false;
        object.children.resize(n);
        for (StResourceObject& child : object.children) {
          if (!ReadObject(in, child, depth + 1)) return false;
        }
        break;
      }
    }
  }
  return in.Ok();
}

bool ReadDataObject(CByteReader& in, StResourceData& data) {
  data.classId = in.U16();
  data.className = in.Str();
  data.name = in.Str();
  const StClassInfo* info = ZafClassTable::FindDataClass(data.className);
  if (info == nullptr || info->id != data.classId || !in.Ok()) return false;
  if (data.className == "ZafStringData") {
    data.text = in.Str();
  } else if (data.className == "ZafIntegerData") {
    data.value = in.I32();
  } else if (data.className == "ZafBitmapData") {
    data.width = in.U16();
    data.height = in.U16();
    if (data.width > znc::kMaxBitmapSide || data.height > znc::kMaxBitmapSide) return false;
    const std::size_t n = std::size_t{data.width} * data.height;
    const auto pixels = in.Bytes(n);
    if (!in.Ok()) return false;
    for (std::uint8_t p : pixels) {
      if (p != znc::kTransparentPixel && p >= znc::kColourCount) return false;
    }
    data.pixels.assign(pixels.begin(), pixels.end());
  } else if (data.className == znc::kLanguageClassName) {
    const std::uint16_t languages = in.U16();
    for (std::uint16_t l = 0; l < languages && in.Ok(); ++l) {
      std::string code = in.Str();
      const std::uint32_t count = in.U32();
      if (count > in.Remaining() / 4) return false;
      auto& strings = data.languages[code];
      for (std::uint32_t i = 0; i < count && in.Ok(); ++i) {
        std::string id = in.Str();
        strings[std::move(id)] = in.Str();
      }
    }
  } else {
    return false;  // a data class we know by name but cannot store
  }
  return in.Ok();
}

}  // namespace

Status ZafStorage::Open(const std::string& path) {
  m_path = path;
  std::vector<std::uint8_t> bytes;
  std::string problem;
  if (!ReadRegularFile(path, kMaxFileSize, bytes, problem)) {
    m_bytes.clear();
    m_entries.clear();
    m_problem = std::move(problem);
    return m_error = kStatusResourceMissing;
  }
  return OpenBytes(std::move(bytes));
}

Status ZafStorage::OpenBytes(std::vector<std::uint8_t> bytes) {
  m_bytes = std::move(bytes);
  m_entries.clear();
  m_problem.clear();
  m_error = ReadDirectory();
  if (m_error != kStatusOk) {
    m_bytes.clear();
    m_entries.clear();
    m_problem = "is damaged (not a whole, intact resource file)";
  }
  return m_error;
}

Status ZafStorage::ReadDirectory() {
  if (m_bytes.size() < znc::kHeaderSize) return kStatusResourceDamaged;
  if (!std::equal(znc::kMagic.begin(), znc::kMagic.end(), m_bytes.begin(),
                  [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; })) {
    return kStatusResourceDamaged;
  }
  CByteReader header(std::span<const std::uint8_t>(m_bytes).subspan(4, znc::kHeaderSize - 4));
  const std::uint16_t version = header.U16();
  header.U16();
  const std::uint32_t count = header.U32();
  const std::uint32_t directory = header.U32();
  const std::uint32_t size = header.U32();
  const std::uint32_t crc = header.U32();
  if (version != znc::kFormatVersion || size != m_bytes.size()) return kStatusResourceDamaged;
  if (directory < znc::kHeaderSize || directory > size) return kStatusResourceDamaged;
  const std::span<const std::uint8_t> body(m_bytes.data() + znc::kHeaderSize, m_bytes.size() - znc::kHeaderSize);
  if (znc::Crc32(body) != crc) return kStatusResourceDamaged;

  CByteReader in(std::span<const std::uint8_t>(m_bytes).subspan(directory));
  // A directory entry takes at least 14 bytes.
  if (count > in.Remaining() / 14) return kStatusResourceDamaged;
  for (std::uint32_t i = 0; i < count; ++i) {
    StEntry e{};
    e.kind = in.U8();
    in.U8();
    e.classId = in.U16();
    e.className = in.Str();
    e.name = in.Str();
    e.offset = in.U32();
    e.size = in.U32();
    if (!in.Ok()) return kStatusResourceDamaged;
    if (e.kind != static_cast<std::uint8_t>(znc::EntryKind::kWindow) &&
        e.kind != static_cast<std::uint8_t>(znc::EntryKind::kData)) {
      return kStatusResourceDamaged;
    }
    if (e.offset < znc::kHeaderSize || e.offset > directory || e.size > directory - e.offset) {
      return kStatusResourceDamaged;
    }
    if (Find(e.kind, e.name) != nullptr) return kStatusResourceDamaged;
    m_entries.push_back(std::move(e));
  }
  return in.AtEnd() ? kStatusOk : kStatusResourceDamaged;
}

const ZafStorage::StEntry* ZafStorage::Find(std::uint8_t kind, const std::string& name) const {
  for (const StEntry& e : m_entries) {
    if (e.kind == kind && e.name == name) return &e;
  }
  return nullptr;
}

std::span<const std::uint8_t> ZafStorage::Payload(const StEntry& entry) const {
  return std::span<const std::uint8_t>(m_bytes).subspan(entry.offset, entry.size);
}

Status ZafStorage::ReadWindow(const std::string& name, StResourceObject& out) const {
  if (m_error != kStatusOk) return m_error;
  const StEntry* e = Find(static_cast<std::uint8_t>(znc::EntryKind::kWindow), name);
  if (e == nullptr) return kStatusNotFound;
  CByteReader in(Payload(*e));
  StResourceObject object;
  if (!ReadObject(in, object, 0) || !in.AtEnd() || object.className != e->className) {
    return kStatusResourceDamaged;
  }
  out = std::move(object);
  return kStatusOk;
}

Status ZafStorage::ReadData(const std::string& name, StResourceData& out) const {
  if (m_error != kStatusOk) return m_error;
  const StEntry* e = Find(static_cast<std::uint8_t>(znc::EntryKind::kData), name);
  if (e == nullptr) return kStatusNotFound;
  CByteReader in(Payload(*e));
  StResourceData data;
  if (!ReadDataObject(in, data) || !in.AtEnd() || data.name != name || data.className != e->className) {
    return kStatusResourceDamaged;
  }
  out = std::move(data);
  return kStatusOk;
}

std::vector<std::string> ZafStorage::WindowNames() const {
  std::vector<std::string> names;
  for (const StEntry& e : m_entries) {
    if (e.kind == static_cast<std::uint8_t>(znc::EntryKind::kWindow)) names.push_back(e.name);
  }
  return names;
}

std::vector<std::string> ZafStorage::DataNames() const {
  std::vector<std::string> names;
  for (const StEntry& e : m_entries) {
    if (e.kind == static_cast<std::uint8_t>(znc::EntryKind::kData)) names.push_back(e.name);
  }
  return names;
}
