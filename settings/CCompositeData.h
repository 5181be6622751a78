#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>

#include "settings/CDriverData.h"

// An item with no key and no buffers of its own: it presents a value computed
// from one to five source items of the same grouping and passes every
// operation on to them. It never owns its sources and is never initialised,
// so ForceWrite answers 0x600.
class CCompositeData : public CDriverData {
 public:
  static constexpr std::size_t kMaxSources = 5;

  // `missingSourceStatus` is what SetSources answers when a source is none.
  CCompositeData(DataType type, Status missingSourceStatus = kStatusMissingArgument);

  [[nodiscard]] Status Get(void* out) override = 0;
  [[nodiscard]] Status Set(const void* value) override = 0;
  // Each source in order; the status of the last source that failed.
  [[nodiscard]] Status Revert() override;
  // Each present source in order; 0.
  [[nodiscard]] Status Commit() override;
  [[nodiscard]] Status SetDefault() override;
  [[nodiscard]] Status Apply() override;
  // Each source in order; changed when any changed; the first non-zero source
  // status is answered at once.
  [[nodiscard]] Status Refresh(bool& changed, ObserverToken observer) override;

  [[nodiscard]] std::size_t GetSourceCount() const { return m_sourceCount; }
  [[nodiscard]] CDriverData* GetSource(std::size_t i) const;
  [[nodiscard]] Status GetMissingSourceStatus() const { return m_missingSourceStatus; }

 protected:
  // Copies `size` bytes of `item`'s value to `out`, zero-filled first, so
  // that a value of another size than expected is cut or padded.
  [[nodiscard]] static Status ReadValue(CDriverData& item, void* out, std::size_t size);
  // Sets `item` from `size` bytes at `value`, the rest of its value zero.
  [[nodiscard]] static Status WriteValue(CDriverData& item, const void* value, std::size_t size);

  // Derived SetSources call this with their arguments in order. A none among
  // them gives the missing-source status and keeps the earlier sources.
  [[nodiscard]] Status AssignSources(std::initializer_list<CDriverData*> sources);

 private:
  std::array<CDriverData*, kMaxSources> m_sources{};
  std::size_t m_sourceCount = 0;
  Status m_missingSourceStatus;
};
