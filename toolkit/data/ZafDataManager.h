#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/data/ZafData.h"

// Holds the named data objects of the application (owned).
class ZafDataManager {
 public:
  // Replaces a data object of the same name; answers the one kept.
  ZafData* Add(std::unique_ptr<ZafData> data);
  [[nodiscard]] ZafData* Get(const std::string& name) const;
  template <typename T>
  [[nodiscard]] T* GetAs(const std::string& name) const {
    return dynamic_cast<T*>(Get(name));
  }
  std::unique_ptr<ZafData> Remove(const std::string& name);
  [[nodiscard]] std::size_t Count() const { return m_data.size(); }

 private:
  std::vector<std::unique_ptr<ZafData>> m_data;
};
