#pragma once

#include <cstdint>

#include "protocol/Status.h"

// Looks up texts of the language strings by table and number.
class CStringManager {
 public:
  CStringManager() = default;
  virtual ~CStringManager();
  CStringManager(const CStringManager&) = delete;
  CStringManager& operator=(const CStringManager&) = delete;

  [[nodiscard]] virtual Status Open() { return kStatusOk; }
  // `table` holds a decimal table number; `out` is the caller's buffer.
  [[nodiscard]] virtual Status GetString(const char* table, std::uint16_t number, char* out) = 0;
};

[[nodiscard]] CStringManager* GetStringManager();
void ReleaseStringManager();
