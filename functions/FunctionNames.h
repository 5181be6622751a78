#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "functions/FunctionCodes.h"

// The string id of the menu entry that resets a control; code 1000 has no
// row in the name table.
inline constexpr char kFunctionDefaultName[] = "BDefault";

// The name-table row of a code (0 to 29): the string id of its menu entry.
// Codes 28 and 29, and codes without a row, have an empty name.
[[nodiscard]] const char* FunctionName(FunctionCode code);

// What the user reads for a function: string table "1089" at the decimal
// code; a single space when there is none.
[[nodiscard]] std::string FunctionText(FunctionCode code);

// A function name as the driver keeps it: a word list (data type 5) with one
// character per 32-bit word, in the word's fourth byte, ended by a zero word.
inline constexpr std::size_t kFunctionNameMax = 63;
using PackedFunctionName = std::array<std::byte, 256>;

// Keeps the first 63 characters and always writes the zero word after them.
void PackFunctionName(std::string_view text, PackedFunctionName& out);
// Stops at the first zero word or after 63 characters.
[[nodiscard]] std::string UnpackFunctionName(const PackedFunctionName& in);
