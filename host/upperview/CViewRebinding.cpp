#include "host/upperview/CViewRebinding.h"

#include "model/CDriverObject.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"

namespace {

constexpr std::uint16_t kNoTablet = 0xFFFF;
// A rebinding whose own reads keep deleting parts of the model gives up after
// this many passes and leaves the views unbound until the next request.
constexpr int kRebindPasses = 4;

bool Supported(CTabletObject* tablet) {
  return tablet != nullptr && IsSupportedTabletModel(TabletModelCode(tablet));
}

}  // namespace

std::uint16_t TabletModelCode(CDataGrouping* tablet) {
  std::uint16_t model = 0;
  if (tablet != nullptr)
    DropStatus(ReadItem(*tablet, kItemModelCode, model),
               "a tablet whose model cannot be read counts as model 0");
  return model;
}

bool IsSupportedTabletModel(std::uint16_t m) {
  return (m >= 60 && m <= 69) || (m >= 80 && m <= 82) || (m >= 90 && m <= 99) ||
         (m >= 100 && m <= 199) || (m >= 220 && m <= 229) || (m >= 280 && m <= 289) || m == 240 ||
         m == 265;
}

void CViewRebinding::Rebind(CDriverObject& root, CTarget& target) {
  if (m_running) return;
  m_running = true;
  // Every read below may delete more of the model; a pass during which that
  // happened holds nothing it found and starts over.
  for (int pass = 0; m_changed && pass < kRebindPasses; ++pass) {
    m_changed = false;
    const std::uint32_t removals = m_removals;
    if (!target.HoldsTablet()) {
      CTabletObject* tablet = FindSupportedTablet(root);
      if (m_removals != removals) continue;
      target.TakeTablet(tablet);
    }
    target.FindToolsAgain();
    if (m_removals != removals) continue;
    target.BindOpenTab();
  }
  m_running = false;
}

CTabletObject* CViewRebinding::FindSupportedTablet(CDriverObject& root) {
  const std::int32_t count = root.GetSubGroupCount(kSubGroupMain);
  std::uint16_t current = kNoTablet;
  if (ReadItem(root, kItemCurrentTablet, current, ReadMode::kFresh) == kStatusOk && current < count) {
    auto* tablet = dynamic_cast<CTabletObject*>(root.GetSubGroup(current, kSubGroupMain));
    if (Supported(tablet)) return tablet;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    auto* tablet = dynamic_cast<CTabletObject*>(root.GetSubGroup(i, kSubGroupMain));
    if (Supported(tablet)) return tablet;
  }
  return nullptr;
}
