#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "driver/CDataKey.h"
#include "protocol/StDriverPacket.h"
#include "protocol/StObjectKey.h"
#include "settings/CDataGrouping.h"

// Whether a value is taken as the item holds it or read from the driver again.
enum class ReadMode { kHeld, kFresh };

// Reads sizeof(T) bytes of the value at `base` plus `levels` straight from the
// driver (get command), for the counts and codes the model walks by.
template <typename T>
[[nodiscard]] Status ReadPath(const CDataKey& base, std::initializer_list<StObjectKey> levels,
                              T& out) {
  CDataKey key = base;
  for (const StObjectKey& level : levels) key.AppendLevel(level.code, level.index, level.qualifier);
  T value{};
  KELVO_TRY(key.Request(kCommandGet, static_cast<std::uint16_t>(sizeof(T)), &value));
  out = value;
  return kStatusOk;
}

// Reads the value of a grouping's item into raw bytes; `fresh` re-reads the
// driver first. Copies at most `size` bytes.
[[nodiscard]] Status ReadItemBytes(CDataGrouping& grouping, ItemId itemId, void* out,
                                   std::size_t size, ReadMode mode);

template <typename T>
[[nodiscard]] Status ReadItem(CDataGrouping& grouping, ItemId itemId, T& out,
                              ReadMode mode = ReadMode::kHeld) {
  T value{};
  KELVO_TRY(ReadItemBytes(grouping, itemId, &value, sizeof(T), mode));
  out = value;
  return kStatusOk;
}

// The zero-terminated text of a text item.
[[nodiscard]] Status ReadItemText(CDataGrouping& grouping, ItemId itemId, std::string& out,
                                  ReadMode mode = ReadMode::kHeld);

// Sets a grouping's item from sizeof(T) bytes (the rest of the value zero).
template <typename T>
[[nodiscard]] Status WriteItem(CDataGrouping& grouping, ItemId itemId, const T& value);
[[nodiscard]] Status WriteItemBytes(CDataGrouping& grouping, ItemId itemId, const void* value,
                                    std::size_t size);

template <typename T>
Status WriteItem(CDataGrouping& grouping, ItemId itemId, const T& value) {
  return WriteItemBytes(grouping, itemId, &value, sizeof(T));
}
