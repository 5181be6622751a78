#include "settings/DataType.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

struct StSizeCase {
  std::int32_t code;
  std::uint32_t size;
};

TEST(DataTypeTest, SizesFollowTheTypeTable) {
  constexpr StSizeCase kCases[] = {
      {1, 1},   {2, 2},   {3, 4},   {4, 8},   {5, 256}, {6, 8},   {7, 8},  {8, 12},
      {9, 0},   {10, 4},  {11, 12}, {12, 16}, {13, 48}, {14, 44}, {15, 5}, {16, 16},
      {17, 32}, {18, 48}, {19, 14}, {20, 256}, {0, 0},  {21, 0},  {-1, 0}, {1000, 0},
  };
  for (const StSizeCase& c : kCases) {
    EXPECT_EQ(DataTypeSize(static_cast<DataType>(c.code)), c.size) << "type " << c.code;
  }
}

std::array<std::uint32_t, 64> WordList(std::size_t nonZeroWords) {
  std::array<std::uint32_t, 64> words{};
  for (std::size_t i = 0; i < nonZeroWords; ++i) words[i] = 0x41000000u + static_cast<std::uint32_t>(i);
  return words;
}

TEST(DataTypeTest, WordListComparesUpToAndIncludingTheZeroWord) {
  struct StCase {
    std::size_t nonZeroWords;
    std::uint32_t length;
  };
  constexpr StCase kCases[] = {{0, 4}, {1, 8}, {3, 16}, {62, 252}, {63, 256}, {64, 256}};
  for (const StCase& c : kCases) {
    auto words = WordList(c.nonZeroWords);
    // What follows the zero word must not matter.
    if (c.nonZeroWords + 1 < words.size()) words[c.nonZeroWords + 1] = 0xDEADBEEF;
    EXPECT_EQ(ComparisonLength(DataType::kWordList, words.data()), c.length)
        << c.nonZeroWords << " words";
  }
}

TEST(DataTypeTest, TextComparesUpToAndIncludingTheZeroByte) {
  struct StCase {
    const char* text;
    std::uint32_t length;
  };
  constexpr StCase kCases[] = {{"", 1}, {"a", 2}, {"Grip Pen", 9}};
  for (const StCase& c : kCases) {
    std::array<char, 256> field{};
    field.fill('x');
    std::memcpy(field.data(), c.text, std::strlen(c.text) + 1);
    EXPECT_EQ(ComparisonLength(DataType::kText, field.data()), c.length) << '"' << c.text << '"';
  }
  std::array<char, 256> unterminated{};
  unterminated.fill('x');
  EXPECT_EQ(ComparisonLength(DataType::kText, unterminated.data()), 256u);
}

TEST(DataTypeTest, OtherTypesCompareTheirWholeSize) {
  const std::array<std::uint8_t, 256> zeros{};
  for (std::int32_t code : {1, 2, 3, 11, 12, 14, 19, 9}) {
    const auto type = static_cast<DataType>(code);
    EXPECT_EQ(ComparisonLength(type, zeros.data()), DataTypeSize(type)) << "type " << code;
  }
}

}  // namespace
