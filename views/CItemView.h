#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "settings/StItemRow.h"
#include "views/CKelvoView.h"

class CDriverData;

// How a view hands values between a request's data and its item: one byte
// and two bytes are widened to 32 bits, anything else goes through as is.
inline constexpr std::uint32_t kValueByte = 1;
inline constexpr std::uint32_t kValueWord = 2;
inline constexpr std::uint32_t kValueLong = 3;

// Outcomes a reference comparison may exclude (bits of the comparison mode).
inline constexpr std::uint32_t kExcludeEqual = 0x1;
inline constexpr std::uint32_t kExcludeGreater = 0x2;
inline constexpr std::uint32_t kExcludeLess = 0x4;

// A control bound to at most one data item of the grouping it is attached to.
class CItemView : public CKelvoView {
 public:
  CItemView(std::uint32_t controlId, ItemId itemId, std::uint32_t valueType = 0);
  ~CItemView() override = default;

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] ViewResult Perform(ViewRequest& request) override;
  [[nodiscard]] ViewResult CanAttach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] ViewResult Detach() override;
  [[nodiscard]] ViewResult SetStateAndNotify(std::uint32_t state) override;
  [[nodiscard]] std::uint32_t GetControlId() const override { return m_controlId; }

  [[nodiscard]] virtual Status Build();
  // Value to compare the item with on Refresh, and which outcomes of that
  // comparison count as a match (mode 0: equal only).
  [[nodiscard]] virtual Status SetReference(const void* bytes, std::uint8_t length,
                                            std::uint32_t mode);
  [[nodiscard]] virtual Status SetStates(std::uint32_t unavailableState, std::uint32_t matchState);
  // Stores the state; answers the control-state code to send (1..3) when it
  // changed to 0..2, else 0.
  [[nodiscard]] virtual std::uint32_t SetState(std::uint32_t state);

  [[nodiscard]] std::uint32_t GetState() const { return m_state; }
  [[nodiscard]] ItemId GetItemId() const { return m_itemId; }
  [[nodiscard]] CDriverData* GetItem() const { return m_item; }
  [[nodiscard]] std::uint32_t GetValueType() const { return m_valueType; }
  [[nodiscard]] bool IsDirty() const { return m_dirty; }
  [[nodiscard]] std::uint8_t GetReferenceLength() const { return m_referenceLength; }
  [[nodiscard]] std::uint32_t GetComparisonMode() const { return m_comparisonMode; }

 protected:
  // The request concerns this view: addressed to it or to every view.
  [[nodiscard]] bool IsForThisView(const ViewRequest& request) const {
    return request.controlId == m_controlId || request.controlId == kBroadcastId;
  }
  // Reads the bound item's value into `out`, at most `capacity` bytes of it
  // (the rest of `out` is zeroed), whatever the item's size.
  [[nodiscard]] Status ReadItem(void* out, std::size_t capacity);

 private:
  [[nodiscard]] ViewResult PerformOnItem(ViewRequest& request);
  [[nodiscard]] ViewResult Refresh(const ViewRequest& request);
  [[nodiscard]] bool MatchesReference();

  std::uint32_t m_controlId;
  std::uint32_t m_state = kStateShown;
  ItemId m_itemId;
  CDriverData* m_item = nullptr;
  bool m_dirty = true;
  std::uint8_t m_referenceLength = 0;
  std::unique_ptr<std::uint8_t[]> m_reference;
  std::unique_ptr<std::uint8_t[]> m_scratch;
  std::uint32_t m_valueType;
  std::uint32_t m_comparisonMode = kExcludeEqual;
  std::uint32_t m_unavailableState = kStateHidden;
  std::uint32_t m_matchState = kStateDisabled;
};
