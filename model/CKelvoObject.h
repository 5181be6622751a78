#pragma once

#include <cstdint>

#include "protocol/Status.h"

// Common base of the system's value classes. It holds two words for its
// derived classes; the operations are hooks a derived class may fill in and
// that the base does not support.
class CKelvoObject {
 public:
  CKelvoObject() = default;
  virtual ~CKelvoObject();
  CKelvoObject(const CKelvoObject&) = default;
  CKelvoObject& operator=(const CKelvoObject&) = default;

  [[nodiscard]] virtual Status Start();
  [[nodiscard]] virtual Status Stop();
  [[nodiscard]] virtual Status Load(const void* source);
  [[nodiscard]] virtual Status Store(void* target);
  // Also writes its answer into `result`.
  [[nodiscard]] virtual Status Check(std::uint16_t* result);
  [[nodiscard]] virtual Status Handle(void* argument);

  void SetFirstWord(std::uint32_t value) { m_firstWord = value; }
  void SetSecondWord(std::uint32_t value) { m_secondWord = value; }
  [[nodiscard]] std::uint32_t GetFirstWord() const { return m_firstWord; }
  [[nodiscard]] std::uint32_t GetSecondWord() const { return m_secondWord; }

 private:
  std::uint32_t m_firstWord = 0;
  std::uint32_t m_secondWord = 0;
};
