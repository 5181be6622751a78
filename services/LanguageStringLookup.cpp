#include "services/LanguageStringLookup.h"

#include <cstring>

Status LookupLanguageString(const LanguageStringTables& tables, const char* table,
                            std::uint16_t number, char* out) {
  // Leading digits only, as the tables are named by plain decimal numbers.
  std::uint32_t tableNumber = 0;
  for (const char* at = table; at != nullptr && *at >= '0' && *at <= '9'; ++at)
    tableNumber = tableNumber * 10 + static_cast<std::uint32_t>(*at - '0');
  const auto found = tables.find(tableNumber);
  if (table == nullptr || found == tables.end()) return kStatusNotFound;

  const LanguageStringTable& strings = found->second;
  auto entry = strings.find(std::to_string(number));
  if (entry == strings.end() && tableNumber == kTabletModelTable)
    entry = strings.find(kTabletModelFallback);
  if (entry == strings.end()) {
    if (out != nullptr) std::memcpy(out, " ", 2);
    return kStatusNotFound;
  }
  if (out == nullptr) return kStatusNoOutText;
  std::memcpy(out, entry->second.c_str(), entry->second.size() + 1);
  return kStatusOk;
}
