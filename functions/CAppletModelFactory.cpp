#include "functions/CAppletModelFactory.h"

#include "functions/CBattery.h"
#include "functions/CButton.h"
#include "functions/CJoystick.h"
#include "functions/CMetaFunctions.h"
#include "functions/CPressureButton.h"
#include "functions/CRoller.h"
#include "functions/CWheelDataGrouping.h"
#include "settings/CCorrelatedTransNameData.h"
#include "settings/CDoubleClickFeelData.h"
#include "settings/CQVNDoubleClickFeelData.h"
#include "settings/CUDPenHasEraser.h"
#include "settings/MakeNoThrow.h"
#include "settings/mapping/CMapping.h"

namespace {

// Connects a composite to its sources, which come in its SetSources order;
// a count that does not fit is a missing source.
template <typename T, std::size_t kCount>
Status MakeOver(std::span<CDriverData* const> sources, std::unique_ptr<CDriverData>& item) {
  if (sources.size() != kCount) return kStatusMissingArgument;
  std::unique_ptr<T> made = MakeNoThrow<T>();
  if (!made) return kStatusOutOfMemory;
  Status status = kStatusOk;
  if constexpr (kCount == 1) {
    status = made->SetSources(sources[0]);
  } else if constexpr (kCount == 2) {
    status = made->SetSources(sources[0], sources[1]);
  } else {
    status = made->SetSources(sources[0], sources[1], sources[2]);
  }
  if (status == kStatusOk) item = std::move(made);
  return status;
}

}  // namespace

CAppletModelFactory::~CAppletModelFactory() = default;

std::unique_ptr<CDataGrouping> CAppletModelFactory::MakeFunctionObject(CModelContext& context) {
  return MakeNoThrow<CMetaFunctions>(context);
}

std::unique_ptr<CDataGrouping> CAppletModelFactory::MakeTabletControl(TabletControlClass kind) {
  switch (kind) {
    case TabletControlClass::kBattery: return MakeNoThrow<CBattery>();
    case TabletControlClass::kJoystick: return MakeNoThrow<CJoystick>();
    case TabletControlClass::kNone: break;
  }
  return nullptr;
}

std::unique_ptr<CDataGrouping> CAppletModelFactory::MakeButton(ButtonClass kind) {
  switch (kind) {
    case ButtonClass::kButton: return MakeNoThrow<CButton>();
    case ButtonClass::kPressureButton: return MakeNoThrow<CPressureButton>();
    case ButtonClass::kRoller: return MakeNoThrow<CRoller>();
    case ButtonClass::kWheel: return MakeNoThrow<CWheelDataGrouping>();
    case ButtonClass::kNone: break;
  }
  return nullptr;
}

Status CAppletModelFactory::MakeComposite(CompositeClass kind, std::span<CDriverData* const> sources,
                                          std::unique_ptr<CDriverData>& item) {
  item.reset();
  switch (kind) {
    case CompositeClass::kCorrelatedToolName: return MakeOver<CCorrelatedTransNameData, 2>(sources, item);
    case CompositeClass::kPenHasEraser: return MakeOver<CUDPenHasEraser, 1>(sources, item);
    case CompositeClass::kDoubleClickFeel: return MakeOver<CDoubleClickFeelData, 3>(sources, item);
    case CompositeClass::kOwnDoubleClickFeel: return MakeOver<CQVNDoubleClickFeelData, 3>(sources, item);
  }
  return kStatusOk;
}

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
