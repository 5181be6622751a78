#pragma once

#include <cstdint>

class CAppObject;
class CModelFactory;

// What the objects below the driver object need from it: the maker of the
// parts that live in other layers, and the application list.
class CModelContext {
 public:
  CModelContext() = default;
  virtual ~CModelContext();
  CModelContext(const CModelContext&) = delete;
  CModelContext& operator=(const CModelContext&) = delete;

  [[nodiscard]] virtual CModelFactory& GetModelFactory() = 0;
  // The first application whose identifier reads as `id`, or none.
  [[nodiscard]] virtual CAppObject* FindApplicationById(std::uint32_t id) = 0;
};
