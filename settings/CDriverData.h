#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "driver/CDataKey.h"
#include "protocol/Status.h"
#include "settings/BehaviourKind.h"
#include "settings/DataType.h"

class CBehaviour;

// Views pass their own identity; any value stable for a view's lifetime works.
using ObserverToken = const void*;

// Whether a write may be skipped when the driver already holds the value.
enum class WriteMode { kIfChanged, kForce };

// One value held by the driver. Four copies tell apart what the user sees
// (current), what the driver last held as far as we know (last-written), what
// Cancel restores (baseline), and what the latest read returned (driver value).
// When a change reaches the driver is decided by the shared behaviour.
class CDriverData {
 public:
  explicit CDriverData(DataType type);
  virtual ~CDriverData();
  CDriverData(const CDriverData&) = delete;
  CDriverData& operator=(const CDriverData&) = delete;

  // Takes a copy of `key`, the behaviour of `kind` and four zeroed buffers.
  // 0x101 when the behaviour or a buffer cannot be had.
  [[nodiscard]] virtual Status Init(const CDataKey& key, BehaviourKind kind);
  // Copies GetSize() bytes of the current value to `out`; answers the status
  // of the latest read.
  [[nodiscard]] virtual Status Get(void* out);
  // Takes GetSize() bytes at `value` as the new current value.
  [[nodiscard]] virtual Status Set(const void* value);
  [[nodiscard]] virtual Status Revert();
  [[nodiscard]] virtual Status Commit();
  [[nodiscard]] virtual Status SetDefault();
  [[nodiscard]] virtual Status Apply();
  // Writes the current value whatever the behaviour; 0x600 without one.
  [[nodiscard]] virtual Status ForceWrite();
  // Re-reads the driver. `changed` says whether `observer` must redraw.
  // Within a read round an item is read once; later refreshes in the round
  // take what that read found.
  [[nodiscard]] virtual Status Refresh(bool& changed, ObserverToken observer);

  // A read round spans one refresh of many views that share items (a
  // dialog's timer tick). Rounds do not nest.
  static void OpenReadRound();
  static void CloseReadRound();

  [[nodiscard]] DataType GetType() const { return m_type; }
  [[nodiscard]] std::uint32_t GetSize() const { return m_size; }
  [[nodiscard]] bool IsAlwaysWrite() const { return m_alwaysWrite; }
  [[nodiscard]] bool IsLoaded() const { return m_loaded; }
  [[nodiscard]] Status GetLastStatus() const { return m_lastStatus; }
  [[nodiscard]] CBehaviour* GetBehaviour() const { return m_behaviour; }
  [[nodiscard]] const CDataKey& GetKey() const { return m_key; }
  [[nodiscard]] std::size_t GetObserverCount() const { return m_observers.size(); }

  // The copies, GetSize() bytes each (empty before Init).
  [[nodiscard]] std::span<const std::byte> CurrentValue() const { return View(m_current); }
  [[nodiscard]] std::span<const std::byte> LastWrittenValue() const { return View(m_lastWritten); }
  [[nodiscard]] std::span<const std::byte> BaselineValue() const { return View(m_baseline); }
  [[nodiscard]] std::span<const std::byte> DriverValue() const { return View(m_driverValue); }

  // Used by the behaviours.
  // Sends `command` for the item's key with the driver value buffer.
  [[nodiscard]] Status RequestIntoDriverValue(std::uint32_t command);
  // The driver value becomes what this item last wrote (no request).
  void CopyLastWrittenToDriverValue();
  // Sends the current value unless it equals the last-written one (and the
  // mode and the always-write flag allow skipping); it counts as written
  // whatever the driver answered.
  [[nodiscard]] Status WriteIfChanged(WriteMode mode);

 protected:
  // Only the forced variant sets it.
  void SetAlwaysWrite() { m_alwaysWrite = true; }
  // Runs the first read when the item is not loaded yet.
  [[nodiscard]] Status LoadIfNeeded();

 private:
  using Buffer = std::unique_ptr<std::byte[]>;

  [[nodiscard]] std::span<const std::byte> View(const Buffer& buffer) const;
  [[nodiscard]] Status Load();
  [[nodiscard]] Status SendCurrent();
  void CopyBuffer(Buffer& to, const Buffer& from);
  [[nodiscard]] bool EqualOver(const void* a, const void* b, std::uint32_t length) const;
  void ForgetObservers() { m_observers.clear(); }
  [[nodiscard]] bool HasObserver(ObserverToken observer) const;

  DataType m_type;
  std::uint32_t m_size;
  bool m_alwaysWrite = false;
  CDataKey m_key;
  Buffer m_current;
  Buffer m_lastWritten;
  Buffer m_baseline;
  Buffer m_driverValue;
  bool m_loaded = false;
  CBehaviour* m_behaviour = nullptr;
  Status m_lastStatus = kStatusOk;
  std::vector<ObserverToken> m_observers;
  std::uint64_t m_readRound = 0;  // the round of the latest read
  Status m_roundLoaded = kStatusOk;  // what the round's load and read answered
  Status m_roundStatus = kStatusOk;
};
