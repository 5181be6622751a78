#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "services/LanguageStringLookup.h"

namespace {

LanguageStringTables MakeTables() {
  return {
      {3001, {{"1", "OK"}, {"7", "Seven"}}},
      {2100, {{"91", "Pen Tablet"}, {"12", "Model 12"}}},
      {2102, {{"3", "Eraser"}}},
  };
}

TEST(LanguageStringLookup, Outcomes) {
  struct Case {
    const char* table;
    std::uint16_t number;
    bool withOut;
    Status status;
    const char* out;  // what the out text holds afterwards
  };
  const Case cases[] = {
      {"3001", 1, true, kStatusOk, "OK"},
      {"3001", 2, true, kStatusNotFound, " "},
      {"2100", 12, true, kStatusOk, "Model 12"},
      {"2100", 7, true, kStatusOk, "Pen Tablet"},  // falls back to "91" of the same table
      {"2102", 7, true, kStatusNotFound, " "},     // only table 2100 falls back
      {"1089", 1, true, kStatusNotFound, "keep"},  // no such table: out untouched
      {"3001", 1, false, kStatusNoOutText, nullptr},
      {"2100", 7, false, kStatusNoOutText, nullptr},
      {"3001", 2, false, kStatusNotFound, nullptr},
  };
  const LanguageStringTables tables = MakeTables();
  for (const Case& c : cases) {
    char out[32] = "keep";
    EXPECT_EQ(LookupLanguageString(tables, c.table, c.number, c.withOut ? out : nullptr), c.status)
        << c.table << "/" << c.number;
    if (c.out != nullptr) {
      EXPECT_STREQ(out, c.out) << c.table << "/" << c.number;
    }
  }
  char out[8] = "keep";
  EXPECT_EQ(LookupLanguageString(tables, nullptr, 1, out), kStatusNotFound);
  LanguageStringTables withoutFallback = MakeTables();
  withoutFallback[2100].erase("91");
  EXPECT_EQ(LookupLanguageString(withoutFallback, "2100", 7, out), kStatusNotFound);
  EXPECT_STREQ(out, " ") << "the fallback needs a string of its own";
}

}  // namespace
