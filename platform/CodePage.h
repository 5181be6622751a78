#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Turns 8-bit text of a Windows code page (936, 950, 932, 949, 1251, 1252,
// 65001) into UTF-8. Bytes that do not decode become U+FFFD and decoding goes
// on; a code page we do not know keeps ASCII and replaces every other byte.
[[nodiscard]] std::string DecodeCodePage(std::string_view bytes, std::uint32_t codePage);

// The byte that stands for one Unicode character in a single-byte code page
// (1250, 1251, 1252), or -1 when the code page has no single byte for it
// (or is a multi-byte one). ASCII is itself everywhere.
[[nodiscard]] int EncodeCodePageCharacter(char32_t character, std::uint32_t codePage);

// UTF-16 little-endian (without byte-order mark) to UTF-8.
[[nodiscard]] std::string DecodeUtf16Le(std::string_view bytes);

// The iconv name of a code page, or null when we do not carry it.
[[nodiscard]] const char* CodePageCharset(std::uint32_t codePage);
