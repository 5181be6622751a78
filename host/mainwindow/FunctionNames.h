#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The entry that resets a control to its default function; not a function.
inline constexpr std::uint32_t kFunctionDefault = 1000;
inline constexpr std::string_view kFunctionDefaultName = "BDefault";

// The string id of a function's menu entry; empty for codes without a name.
[[nodiscard]] std::string_view FunctionName(std::uint32_t code);

// The functions each list offers, in list order.
[[nodiscard]] std::span<const std::uint32_t> PuckButtonFunctions();
[[nodiscard]] std::span<const std::uint32_t> SideSwitchFunctions();
