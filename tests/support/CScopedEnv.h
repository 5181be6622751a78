#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets (or, with std::nullopt, unsets) an environment variable for the life of
// the object and restores what was there before.
class CScopedEnv {
 public:
  CScopedEnv(const char* name, const std::optional<std::string>& value) : m_name(name) {
    if (const char* old = std::getenv(name); old != nullptr) m_previous = old;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  // A null `value` unsets the variable.
  CScopedEnv(const char* name, const char* value)
      : CScopedEnv(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt) {}
  ~CScopedEnv() {
    if (m_previous)
      setenv(m_name.c_str(), m_previous->c_str(), 1);
    else
      unsetenv(m_name.c_str());
  }
  CScopedEnv(const CScopedEnv&) = delete;
  CScopedEnv& operator=(const CScopedEnv&) = delete;

 private:
  std::string m_name;
  std::optional<std::string> m_previous;
};
