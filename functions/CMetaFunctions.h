#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "settings/CDataGrouping.h"

class CFunctionsObject;
class CModelContext;

// All function sets of one tablet, one per application with settings of its
// own, in the driver's order. The list is rebuilt only when the driver's
// number of sets changes, so that sets and their pending values survive
// every other reload.
class CMetaFunctions : public CDataGrouping {
 public:
  explicit CMetaFunctions(CModelContext& context);
  ~CMetaFunctions() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  // Kind 0 reloads first.
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] Status ApplyItems() override;
  // Stops after the first set that fails.
  [[nodiscard]] Status DefaultItems() override;
  // Removes a set from the driver and reloads; the set at position 0 stays.
  [[nodiscard]] Status RemoveSubGroup(std::int32_t index, std::int32_t kind) override;

  [[nodiscard]] Status Reload();
  [[nodiscard]] std::size_t GetSetCount() const { return m_sets.size(); }

 private:
  CModelContext& m_context;
  std::vector<std::unique_ptr<CFunctionsObject>> m_sets;
};
