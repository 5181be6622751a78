#include <array>
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "settings/DataType.h"

namespace {

// Lists and texts compare up to and including their end marker; what follows
// the marker must not matter.
TEST(DataTypeTest, ListsAndTextsCompareUpToTheirEnd) {
  struct StCase {
    DataType type;
    std::size_t used;  // words of the list, or characters of the text
    std::uint32_t length;
  };
  constexpr StCase kCases[] = {
      {DataType::kWordList, 0, 4},    {DataType::kWordList, 62, 252},
      {DataType::kWordList, 63, 256}, {DataType::kWordList, 64, 256},
      {DataType::kText, 8, 9},        {DataType::kText, 256, 256},
  };
  for (const StCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << "type " << static_cast<int>(c.type) << ", " << c.used);
    std::array<std::uint32_t, 64> words{};
    std::array<char, 256> text{};
    text.fill('x');
    for (std::size_t i = 0; i < c.used && i < words.size(); ++i) {
      words[i] = 0x41000000u + static_cast<std::uint32_t>(i);
    }
    if (c.used + 1 < words.size()) words[c.used + 1] = 0xDEADBEEF;
    if (c.used < text.size()) text[c.used] = '\0';
    const void* value =
        c.type == DataType::kWordList ? static_cast<const void*>(words.data()) : text.data();
    EXPECT_EQ(ComparisonLength(c.type, value), c.length);
  }
}

}  // namespace
