#pragma once

#include <cstdint>

class CDataGrouping;
class CDriverObject;
class CTabletObject;

// Tablets whose model codes the applet supports.
[[nodiscard]] bool IsSupportedTabletModel(std::uint16_t modelCode);
// The tablet's model code; 0 when there is no tablet or it cannot be read.
[[nodiscard]] std::uint16_t TabletModelCode(CDataGrouping* tablet);

// Keeps the upper view's views bound while the driver takes tablets and tools
// away: it notes each removal the model announces and, once the request under
// way is done, has the view find its tablet and tools again, starting over
// when one of those reads deleted more of the model.
class CViewRebinding {
 public:
  // What the rebinding asks of the view it keeps bound.
  class CTarget {
   public:
    virtual ~CTarget() = default;
    [[nodiscard]] virtual bool HoldsTablet() const = 0;
    // Binds the tablet found (none: the driver has no supported tablet left).
    virtual void TakeTablet(CTabletObject* tablet) = 0;
    virtual void FindToolsAgain() = 0;
    virtual void BindOpenTab() = 0;
  };

  void NoteRemoval() {
    ++m_removals;
    m_changed = true;
  }
  void MarkChanged() { m_changed = true; }
  void Forget() { m_changed = false; }
  [[nodiscard]] bool Pending() const { return m_changed; }

  // Nothing when a rebinding runs already (the view's own reads call back).
  void Rebind(CDriverObject& root, CTarget& target);

  // The driver's current tablet when it is supported, else the first
  // supported one; none when there is no such tablet. The list is read once
  // first, so that tablets gone leave before one is held.
  [[nodiscard]] static CTabletObject* FindSupportedTablet(CDriverObject& root);

 private:
  std::uint32_t m_removals = 0;
  bool m_changed = false;
  bool m_running = false;
};
