#include "functions/CAppletModelFactory.h"

#include "settings/MakeNoThrow.h"
#include "settings/mapping/CMapping.h"

CAppletModelFactory::~CAppletModelFactory() = default;

std::unique_ptr<CDataGrouping> CAppletModelFactory::MakeMapping(std::uint32_t context1,
                                                                std::uint32_t context2,
                                                                std::uint16_t context3) {
  return MakeNoThrow<CMapping>(context1, context2, context3);
}

Status CAppletModelFactory::RemoveMapping(CDataGrouping& mapping) {
  auto* made = dynamic_cast<CMapping*>(&mapping);
  return made == nullptr ? kStatusNotSupported : made->RemoveFromDriver();
}

Status CAppletModelFactory::RewriteMapping(CDataGrouping& mapping) {
  auto* made = dynamic_cast<CMapping*>(&mapping);
  return made == nullptr ? kStatusNotSupported : made->ForceWriteAll();
}
