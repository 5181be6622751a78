#pragma once

#include <cstdint>

// The language string tables the information views read, and the strings
// they use from them.
namespace InfoStrings {

inline constexpr char kTabletModels[] = "2100";  // at model code + 1
inline constexpr char kToolNames[] = "2102";     // at tool number + 1
inline constexpr char kGeneral[] = "3001";

inline constexpr std::uint16_t kInProximity = 5;
inline constexpr std::uint16_t kOutOfProximity = 6;
inline constexpr std::uint16_t kPenType = 13;
inline constexpr std::uint16_t kPuckType = 14;
inline constexpr std::uint16_t kOtherType = 15;
// The tool name shown for a coded name whose number has no string.
inline constexpr std::uint16_t kUnnamedTool = 18;

}  // namespace InfoStrings
