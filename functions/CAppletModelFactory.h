#pragma once

#include "model/CModelFactory.h"

// The applet's model factory: makes the parts of the object model that live
// above it (function sets, tool controls, mappings, composite items).
class CAppletModelFactory : public CModelFactory {
 public:
  CAppletModelFactory() = default;
  ~CAppletModelFactory() override;

  [[nodiscard]] std::unique_ptr<CDataGrouping> MakeFunctionObject(CModelContext& context) override;
  [[nodiscard]] std::unique_ptr<CDataGrouping> MakeTabletControl(TabletControlClass kind) override;
  [[nodiscard]] std::unique_ptr<CDataGrouping> MakeButton(ButtonClass kind) override;
  [[nodiscard]] Status MakeComposite(CompositeClass kind, std::span<CDriverData* const> sources,
                                     std::unique_ptr<CDriverData>& item) override;
  // A CMapping over the three context values.
  [[nodiscard]] std::unique_ptr<CDataGrouping> MakeMapping(std::uint32_t context1,
                                                           std::uint32_t context2,
                                                           std::uint16_t context3) override;
  // The mapping's RemoveFromDriver; 0x603 for a grouping that is no mapping.
  [[nodiscard]] Status RemoveMapping(CDataGrouping& mapping) override;
  // The mapping's ForceWriteAll; 0x603 for a grouping that is no mapping.
  [[nodiscard]] Status RewriteMapping(CDataGrouping& mapping) override;
};
