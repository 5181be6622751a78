#pragma once

#include "services/CStringManager.h"

using StringRoutine = Status (*)(const char* table, std::uint16_t number, char* out);

// Calls the string routine the main window installed.
class CWinStringManager : public CStringManager {
 public:
  CWinStringManager() = default;
  ~CWinStringManager() override = default;

  Status InstallRoutine(StringRoutine routine);
  [[nodiscard]] Status GetString(const char* table, std::uint16_t number, char* out) override;

 private:
  StringRoutine m_routine = nullptr;
};
