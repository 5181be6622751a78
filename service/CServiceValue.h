#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "protocol/Status.h"

// How the indexes of one driver value are read.
enum class ValueKind : std::uint8_t {
  kPlain,    // index 0 only
  kRecord,   // index 0 the whole record, other indexes one field of it
  kBitMask,  // index 0 the 16-bit mask, index = a bit value reads or writes that bit as 0/1
  kTrigger,  // no bytes; a set is an action
};

enum class ValueAccess : std::uint8_t { kReadWrite, kReadOnly };

// One field of a record: which index names it and where it lies.
struct StValueField {
  std::uint32_t index = 0;
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
};

// A value the service keeps: its bytes, its factory default (or none) and,
// for records and masks, how an index selects a part of it.
class CServiceValue {
 public:
  CServiceValue() = default;
  CServiceValue(std::uint32_t size, ValueKind kind, std::optional<std::vector<std::uint8_t>> factory,
                ValueAccess access = ValueAccess::kReadWrite);

  // A fresh value of `size` bytes holding `number` little-endian (truncated).
  static CServiceValue Number(std::uint32_t size, std::uint64_t number, bool hasDefault = true,
                              ValueAccess access = ValueAccess::kReadWrite);
  // A zero-terminated text in `size` bytes.
  static CServiceValue Text(std::uint32_t size, const char* text, bool hasDefault = true);

  // A value holding exactly `bytes`; its factory value is the same bytes or none.
  static CServiceValue Raw(std::vector<std::uint8_t> bytes, bool hasDefault,
                           ValueAccess access = ValueAccess::kReadWrite);

  void AddField(std::uint32_t index, std::uint32_t offset, std::uint32_t size);

  [[nodiscard]] bool HasIndex(std::uint32_t index) const;
  // Size of what `index` names (0 when it names nothing).
  [[nodiscard]] std::uint32_t SizeOf(std::uint32_t index) const;
  [[nodiscard]] ValueKind Kind() const { return m_kind; }
  [[nodiscard]] bool IsReadOnly() const { return m_access == ValueAccess::kReadOnly; }
  [[nodiscard]] bool HasDefault() const { return m_factory.has_value(); }

  // Copies what `index` names into `out`, which must hold SizeOf(index) bytes.
  [[nodiscard]] Status Read(std::uint32_t index, std::span<std::uint8_t> out) const;
  [[nodiscard]] Status ReadDefault(std::uint32_t index, std::span<std::uint8_t> out) const;
  // `in` must be exactly SizeOf(index) bytes; anything else changes nothing.
  [[nodiscard]] Status Write(std::uint32_t index, std::span<const std::uint8_t> in);
  // Writes by the service itself (counts, live data) bypass the read-only mark.
  void Store(std::uint32_t index, std::uint64_t number);
  [[nodiscard]] std::uint64_t Load(std::uint32_t index) const;

  [[nodiscard]] const std::vector<std::uint8_t>& Bytes() const { return m_current; }
  [[nodiscard]] bool IsChanged() const { return m_changed; }
  // Restores saved bytes; a size that does not fit is refused.
  [[nodiscard]] bool Restore(std::span<const std::uint8_t> bytes);

 private:
  [[nodiscard]] const StValueField* FindField(std::uint32_t index) const;
  [[nodiscard]] Status ReadFrom(const std::vector<std::uint8_t>& source, std::uint32_t index,
                                std::span<std::uint8_t> out) const;

  ValueKind m_kind = ValueKind::kPlain;
  ValueAccess m_access = ValueAccess::kReadWrite;
  std::vector<std::uint8_t> m_current;
  std::optional<std::vector<std::uint8_t>> m_factory;
  std::vector<StValueField> m_fields;
  bool m_changed = false;  // set once a client wrote it: only such values are saved
};

inline constexpr std::uint32_t kMaskValueSize = 2;
