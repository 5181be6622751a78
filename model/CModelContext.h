#pragma once

#include <cstdint>

class CAppObject;
class CDataGrouping;
class CModelFactory;
class CModelRemovalListener;

// What the objects below the driver object need from it: the maker of the
// parts that live in other layers, the application list, and the one listener
// told before any of them is deleted by a refresh.
class CModelContext {
 public:
  CModelContext() = default;
  virtual ~CModelContext();
  CModelContext(const CModelContext&) = delete;
  CModelContext& operator=(const CModelContext&) = delete;

  [[nodiscard]] virtual CModelFactory& GetModelFactory() = 0;
  // The first application whose identifier reads as `id`, or none.
  [[nodiscard]] virtual CAppObject* FindApplicationById(std::uint32_t id) = 0;

  // None stops the telling; the listener must be unset before it goes.
  void SetRemovalListener(CModelRemovalListener* listener) { m_removalListener = listener; }
  [[nodiscard]] CModelRemovalListener* GetRemovalListener() const { return m_removalListener; }
  // Called by an owner just before it deletes `leaving` during a refresh.
  void NotifyRemoving(const CDataGrouping& leaving);

 private:
  CModelRemovalListener* m_removalListener = nullptr;
};
