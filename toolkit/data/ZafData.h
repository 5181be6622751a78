#pragma once

#include <string>

// A named data object kept by the data manager.
class ZafData {
 public:
  ZafData(std::string className, std::string name) : m_className(std::move(className)), m_name(std::move(name)) {}
  virtual ~ZafData() = default;
  ZafData(const ZafData&) = delete;
  ZafData& operator=(const ZafData&) = delete;

  [[nodiscard]] const std::string& ClassName() const { return m_className; }
  [[nodiscard]] const std::string& Name() const { return m_name; }

 private:
  std::string m_className;
  std::string m_name;
};
