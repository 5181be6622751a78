#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "protocol/Status.h"

// One table of the language strings: decimal string number → text.
using LanguageStringTable = std::map<std::string, std::string, std::less<>>;
// All tables of the current language by table number; the main window fills it.
using LanguageStringTables = std::map<std::uint32_t, LanguageStringTable>;

// Tablet models without a string of their own are named by this one.
inline constexpr std::uint32_t kTabletModelTable = 2100;
inline constexpr char kTabletModelFallback[] = "91";

// The string routine: finds string `number` of table `table` (decimal text).
// 512 when the table is missing; 512 with `out` set to a single blank when the
// string is; 514 when it is found but `out` is null; else the text is copied
// to `out`, which must have room for it, and the answer is 0.
[[nodiscard]] Status LookupLanguageString(const LanguageStringTables& tables, const char* table,
                                          std::uint16_t number, char* out);
