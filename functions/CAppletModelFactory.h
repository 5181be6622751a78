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
};
