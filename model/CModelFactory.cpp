#include "model/CModelFactory.h"

#include "settings/CDataGrouping.h"

CModelFactory::~CModelFactory() = default;

std::unique_ptr<CDataGrouping> CModelFactory::MakeFunctionObject(CModelContext& /*context*/) {
  return nullptr;
}

std::unique_ptr<CDataGrouping> CModelFactory::MakeTabletControl(TabletControlClass /*kind*/) {
  return nullptr;
}

std::unique_ptr<CDataGrouping> CModelFactory::MakeButton(ButtonClass /*kind*/) { return nullptr; }

std::unique_ptr<CDataGrouping> CModelFactory::MakeMapping(std::uint32_t /*context1*/,
                                                          std::uint32_t /*context2*/,
                                                          std::uint16_t /*context3*/) {
  return nullptr;
}

Status CModelFactory::RemoveMapping(CDataGrouping& /*mapping*/) { return kStatusNotSupported; }

Status CModelFactory::RewriteMapping(CDataGrouping& /*mapping*/) { return kStatusNotSupported; }

Status CModelFactory::MakeComposite(CompositeClass /*kind*/,
                                    std::span<CDriverData* const> /*sources*/,
                                    std::unique_ptr<CDriverData>& item) {
  item.reset();
  return kStatusOk;
}
