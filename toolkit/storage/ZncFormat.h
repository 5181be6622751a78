#pragma once

// Layout of the binary resource file (see docs/resource-file.md). Shared by the
// packer that writes it and the storage that reads it, so that both agree on
// every tag and limit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace znc {

inline constexpr std::array<char, 4> kMagic = {'Z', 'N', 'C', '\x1A'};
inline constexpr std::uint16_t kFormatVersion = 1;
inline constexpr std::size_t kHeaderSize = 32;

// What a directory entry names.
enum class EntryKind : std::uint8_t { kWindow = 1, kData = 2 };

// Field tags of a window-object record.
enum class Tag : std::uint8_t {
  kStringId = 1,
  kNumberId = 2,
  kText = 3,
  kQuickTip = 4,
  kRegion = 5,
  kStyles = 6,
  kFlags = 7,
  kValue = 8,
  kMinimum = 9,
  kMaximum = 10,
  kStep = 11,
  kEntries = 12,
  kBitmap = 13,
  kForeground = 14,
  kBackground = 15,
  kPageText = 16,
  kChildren = 17,
};
inline constexpr std::uint8_t kLastTag = 17;

// Flag bits of Tag::kFlags.
inline constexpr std::uint32_t kFlagHidden = 1U << 0;
inline constexpr std::uint32_t kFlagDisabled = 1U << 1;
inline constexpr std::uint32_t kFlagChecked = 1U << 2;
inline constexpr std::uint32_t kKnownFlags = kFlagHidden | kFlagDisabled | kFlagChecked;

// Style bits of Tag::kStyles, by their readable names; the bit is the index.
inline constexpr std::array<std::string_view, 18> kStyleNames = {
    "pushButton", "checkBox", "radioButton",  "default",    "cancel",    "slider",
    "horizontal", "vertical", "radioGroup",   "modal",      "sizeable",  "dropDownList",
    "multiLine",  "readOnly", "right",        "center",     "frameless", "captureKeys"};
inline constexpr std::uint32_t kKnownStyles = (1U << kStyleNames.size()) - 1U;

// Returns the style bit of a name, 0 when the name is unknown.
[[nodiscard]] std::uint32_t StyleBit(std::string_view name);

// Limits that keep a damaged file from asking for absurd amounts of memory.
inline constexpr std::size_t kMaxDepth = 32;
inline constexpr std::uint32_t kMaxBitmapSide = 4096;
inline constexpr std::uint8_t kTransparentPixel = 0xFF;
inline constexpr int kColourCount = 252;

// The language-string data object's class: ours, not one of the stored
// toolkit data classes, so it takes an identifier outside their range.
inline constexpr std::string_view kLanguageClassName = "ZafLanguageData";
inline constexpr std::uint16_t kLanguageClassId = 3190;

[[nodiscard]] std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

}  // namespace znc
