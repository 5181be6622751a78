#pragma once

#include <cstdint>

#include "settings/CDataGrouping.h"
#include "settings/mapping/MappingItems.h"

// One set of mapping values of the driver: how a tool's position on the
// tablet becomes a position on the screen. Three values the tool reports
// select the set; the grouping builds the keys of its values from them, makes
// the raw items on demand and presents pairs of them as composite items
// (rectangles, display-area and tablet-area choices, proportions, preview).
class CMapping : public CDataGrouping {
 public:
  CMapping(std::uint32_t context1, std::uint32_t context2, std::uint16_t context3);
  ~CMapping() override;

  // Takes the tool's key: the tool must answer its type code; the mapping's
  // key is then the tool's key without its last level.
  [[nodiscard]] Status SetKey(const CDataKey& toolKey) override;
  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;

  // Writes the tool's own mapping values again, whatever they hold.
  [[nodiscard]] Status ForceWriteAll();
  // Tells the driver to drop this set of values.
  [[nodiscard]] Status RemoveFromDriver();

  [[nodiscard]] std::uint32_t GetContext1() const { return m_context1; }
  [[nodiscard]] std::uint32_t GetContext2() const { return m_context2; }
  [[nodiscard]] std::uint16_t GetContext3() const { return m_context3; }

 private:
  [[nodiscard]] CDataKey ChainKey(MappingChain chain, std::uint32_t part) const;
  [[nodiscard]] Status MakeComposite(ItemId itemId, CDriverData*& item);
  template <typename T, typename... Ids>
  [[nodiscard]] Status MakeCompositeOf(ItemId itemId, CDriverData*& item, Ids... sourceIds);

  std::uint32_t m_context1;
  std::uint32_t m_context2;
  std::uint16_t m_context3;
};
