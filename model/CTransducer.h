#pragma once

#include <map>
#include <memory>
#include <vector>

#include "model/ToolClasses.h"
#include "settings/CDataGrouping.h"

class CModelContext;

// One tool number of a tablet: a pen end, an airbrush or a puck. Its key is
// the tablet's key plus (4, tool number). It owns its buttons (kind 0, by
// button number) and its mappings (kind 2, by position).
class CTransducer : public CDataGrouping {
 public:
  explicit CTransducer(CModelContext& context);
  ~CTransducer() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;

  // What the tool's buttons are made as; the base has no buttons of its own.
  [[nodiscard]] virtual ToolClass GetToolClass() const { return ToolClass::kNone; }

  [[nodiscard]] std::size_t GetButtonsMade() const { return m_buttons.size(); }
  [[nodiscard]] std::size_t GetMappingCount() const { return m_mappings.size(); }

  // Removes every mapping from the driver, last first, and deletes it.
  void DiscardMappings();
  // Writes the mapping values of every mapping again, whatever they hold.
  void ForceWriteMappings();

 protected:
  [[nodiscard]] CModelContext& Context() { return m_context; }
  // The low 8 bits of item 58, or the status of a failed read.
  [[nodiscard]] std::int32_t ReportedButtonCount();

 private:
  [[nodiscard]] Status GetApplicationItem(ItemId itemId, CDriverData*& item);
  [[nodiscard]] Status MakeComposite(ItemId itemId, CDriverData*& item);
  [[nodiscard]] CDataGrouping* GetButton(std::int32_t number);
  [[nodiscard]] CDataGrouping* AddMapping();

  CModelContext& m_context;
  std::map<std::int32_t, std::unique_ptr<CDataGrouping>> m_buttons;
  std::vector<std::unique_ptr<CDataGrouping>> m_mappings;
};
