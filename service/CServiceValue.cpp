#include "service/CServiceValue.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsSingleBit(std::uint32_t index) { return index != 0 && (index & (index - 1)) == 0 && index <= 0x8000; }

std::uint64_t ReadLittle(const std::uint8_t* at, std::uint32_t size) {
  std::uint64_t value = 0;
  for (std::uint32_t i = std::min<std::uint32_t>(size, 8); i > 0; --i) value = (value << 8) | at[i - 1];
  return value;
}

void WriteLittle(std::uint8_t* at, std::uint32_t size, std::uint64_t value) {
  for (std::uint32_t i = 0; i < size; ++i) {
    at[i] = i < 8 ? static_cast<std::uint8_t>(value >> (8 * i)) : std::uint8_t{0};
  }
}

}  // namespace

CServiceValue::CServiceValue(std::uint32_t size, ValueKind kind,
                             std::optional<std::vector<std::uint8_t>> factory, ValueAccess access)
    : m_kind(kind), m_access(access), m_current(size, 0), m_factory(std::move(factory)) {
  if (m_factory) {
    m_factory->resize(size, 0);
    m_current = *m_factory;
  }
}

CServiceValue CServiceValue::Number(std::uint32_t size, std::uint64_t number, bool hasDefault,
                                    ValueAccess access) {
  std::vector<std::uint8_t> bytes(size, 0);
  WriteLittle(bytes.data(), size, number);
  CServiceValue value(size, ValueKind::kPlain, std::nullopt, access);
  value.m_current = bytes;
  if (hasDefault) value.m_factory = bytes;
  return value;
}

CServiceValue CServiceValue::Text(std::uint32_t size, const char* text, bool hasDefault) {
  std::vector<std::uint8_t> bytes(size, 0);
  if (size > 0) std::memcpy(bytes.data(), text, std::min<std::size_t>(std::strlen(text), size - 1));
  CServiceValue value(size, ValueKind::kPlain, std::nullopt);
  value.m_current = bytes;
  if (hasDefault) value.m_factory = bytes;
  return value;
}

CServiceValue CServiceValue::Raw(std::vector<std::uint8_t> bytes, bool hasDefault, ValueAccess access) {
  CServiceValue value(static_cast<std::uint32_t>(bytes.size()), ValueKind::kPlain, std::nullopt, access);
  value.m_current = bytes;
  if (hasDefault) value.m_factory = std::move(bytes);
  return value;
}

void CServiceValue::AddField(std::uint32_t index, std::uint32_t offset, std::uint32_t size) {
  m_kind = ValueKind::kRecord;
  m_fields.push_back({index, offset, size});
}

const StValueField* CServiceValue::FindField(std::uint32_t index) const {
  for (const StValueField& field : m_fields)
    if (field.index == index) return &field;
  return nullptr;
}

bool CServiceValue::HasIndex(std::uint32_t index) const {
  switch (m_kind) {
    case ValueKind::kPlain:
    case ValueKind::kTrigger:
      return index == 0;
    case ValueKind::kRecord:
      return index == 0 || FindField(index) != nullptr;
    case ValueKind::kBitMask:
      return index == 0 || IsSingleBit(index);
  }
  return false;
}

std::uint32_t CServiceValue::SizeOf(std::uint32_t index) const {
  if (!HasIndex(index)) return 0;
  if (m_kind == ValueKind::kRecord) {
    // A record may name its first field by index 0 when it declares one.
    if (const StValueField* field = FindField(index)) return field->size;
  }
  if (m_kind == ValueKind::kBitMask) return kMaskValueSize;
  return static_cast<std::uint32_t>(m_current.size());
}

Status CServiceValue::ReadFrom(const std::vector<std::uint8_t>& source, std::uint32_t index,
                               std::span<std::uint8_t> out) const {
  const std::uint32_t size = SizeOf(index);
  if (size == 0 && !(m_kind == ValueKind::kTrigger && index == 0)) return kStatusNotFound;
  if (out.size() < size) return kStatusDataTooLong;
  if (m_kind == ValueKind::kBitMask && index != 0) {
    const std::uint64_t mask = ReadLittle(source.data(), kMaskValueSize);
    WriteLittle(out.data(), kMaskValueSize, (mask & index) != 0 ? 1 : 0);
    return kStatusOk;
  }
  std::uint32_t offset = 0;
  if (m_kind == ValueKind::kRecord) {
    if (const StValueField* field = FindField(index)) offset = field->offset;
  }
  if (size != 0) std::memcpy(out.data(), source.data() + offset, size);
  return kStatusOk;
}

Status CServiceValue::Read(std::uint32_t index, std::span<std::uint8_t> out) const {
  return ReadFrom(m_current, index, out);
}

Status CServiceValue::ReadDefault(std::uint32_t index, std::span<std::uint8_t> out) const {
  if (!HasIndex(index)) return kStatusNotFound;
  if (!m_factory) return kStatusNotSupported;
  return ReadFrom(*m_factory, index, out);
}

Status CServiceValue::Write(std::uint32_t index, std::span<const std::uint8_t> in) {
  if (!HasIndex(index)) return kStatusNotFound;
  if (m_access == ValueAccess::kReadOnly) return kStatusReadOnly;
  const std::uint32_t size = SizeOf(index);
  if (in.size() != size) return kStatusWrongSize;
  m_changed = true;
  if (m_kind == ValueKind::kBitMask && index != 0) {
    std::uint64_t mask = ReadLittle(m_current.data(), kMaskValueSize);
    mask = ReadLittle(in.data(), size) != 0 ? (mask | index) : (mask & ~std::uint64_t{index});
    WriteLittle(m_current.data(), kMaskValueSize, mask);
    return kStatusOk;
  }
  std::uint32_t offset = 0;
  if (m_kind == ValueKind::kRecord) {
    if (const StValueField* field = FindField(index)) offset = field->offset;
  }
  if (size != 0) std::memcpy(m_current.data() + offset, in.data(), size);
  return kStatusOk;
}

void CServiceValue::Store(std::uint32_t index, std::uint64_t number) {
  const std::uint32_t size = SizeOf(index);
  if (size == 0) return;
  std::vector<std::uint8_t> bytes(size, 0);
  WriteLittle(bytes.data(), size, number);
  const ValueAccess access = m_access;
  const bool changed = m_changed;
  m_access = ValueAccess::kReadWrite;
  DropStatus(Write(index, bytes), "sized for this index and opened for writing, so it cannot fail");
  m_access = access;
  m_changed = changed;
}

std::uint64_t CServiceValue::Load(std::uint32_t index) const {
  const std::uint32_t size = SizeOf(index);
  std::vector<std::uint8_t> bytes(size, 0);
  if (Read(index, bytes) != kStatusOk) return 0;
  return ReadLittle(bytes.data(), size);
}

bool CServiceValue::Restore(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != m_current.size() || m_access == ValueAccess::kReadOnly) return false;
  std::copy(bytes.begin(), bytes.end(), m_current.begin());
  m_changed = true;
  return true;
}
