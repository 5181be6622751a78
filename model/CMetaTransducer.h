#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/CTransducer.h"
#include "settings/CDataGrouping.h"

class CModelContext;

// One tool as the user sees it: the tool numbers of a tablet that share a
// tool type code and a serial number. Its key is the tablet's key plus
// (4, first tool number of the group).
class CMetaTransducer : public CDataGrouping {
 public:
  explicit CMetaTransducer(CModelContext& context);
  ~CMetaTransducer() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  // Kind 0 drops the tools the driver no longer has, then counts the rest.
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
  [[nodiscard]] Status RemoveSubGroup(std::int32_t index, std::int32_t kind) override;
  [[nodiscard]] Status Remove() override;

  // Makes a stylus or a puck for tool number `toolNumber` of the tablet, by
  // its type code, and appends it; 257 for a type code of neither.
  [[nodiscard]] Status AddTool(std::uint32_t toolNumber);

  [[nodiscard]] std::size_t GetTransducerCount() const { return m_transducers.size(); }
  [[nodiscard]] std::uint16_t GetTransducersRemoved() const { return m_transducersRemoved; }

 private:
  // Drops the tools whose present flag reads 0.
  void Refresh();

  CModelContext& m_context;
  std::vector<std::unique_ptr<CTransducer>> m_transducers;
  std::uint16_t m_transducersRemoved = 0;
};
