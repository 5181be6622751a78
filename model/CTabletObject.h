#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "model/CMetaTransducer.h"
#include "settings/CDataGrouping.h"

class CModelContext;

// One tablet the driver reports. Its key is the driver object's key plus
// (2, tablet number). Sub-groups of kind 0: position 0 is the function
// object, positions 1.. the tool groups; kind 1: the tablet controls
// (0 battery, 1 joystick).
class CTabletObject : public CDataGrouping {
 public:
  explicit CTabletObject(CModelContext& context);
  ~CTabletObject() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  // Kind 0 refreshes the tool groups first.
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
  [[nodiscard]] Status RemoveSubGroup(std::int32_t index, std::int32_t kind) override;

  // Brings the tool groups up to the driver's tool numbers and drops the
  // groups that have no tool left.
  [[nodiscard]] Status RefreshToolGroups();

  [[nodiscard]] std::size_t GetToolGroupCount() const { return m_toolGroups.size(); }
  [[nodiscard]] std::uint16_t GetToolsRemoved() const { return m_toolsRemoved; }

 private:
  [[nodiscard]] Status MakeSelectedGroupItem(CDriverData*& item);
  // Position (1..) of the group holding a tool of this type code and serial.
  [[nodiscard]] std::size_t FindGroupPosition(std::uint16_t typeCode, std::uint32_t serial);
  [[nodiscard]] CDataGrouping* GetFunctionObject();
  [[nodiscard]] CDataGrouping* GetTabletControl(std::int32_t number);
  [[nodiscard]] Status AddToolNumber(std::uint32_t toolNumber);

  CModelContext& m_context;
  std::unique_ptr<CDataGrouping> m_functionObject;
  std::vector<std::unique_ptr<CMetaTransducer>> m_toolGroups;
  std::uint16_t m_toolsRemoved = 0;
  std::map<std::int32_t, std::unique_ptr<CDataGrouping>> m_controls;
};
