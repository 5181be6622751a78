#include "services/CWinStringManager.h"

Status CWinStringManager::InstallRoutine(StringRoutine routine) {
  m_routine = routine;
  return kStatusOk;
}

Status CWinStringManager::GetString(const char* table, std::uint16_t number, char* out) {
  if (m_routine == nullptr) return kStatusNoRoutine;
  return m_routine(table, number, out);
}
