#include "settings/CDriverData.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "protocol/StDriverPacket.h"
#include "settings/CBehaviour.h"

CDriverData::CDriverData(DataType type) : m_type(type), m_size(DataTypeSize(type)) {}

CDriverData::~CDriverData() = default;

std::span<const std::byte> CDriverData::View(const Buffer& buffer) const {
  if (!buffer) return {};
  return {buffer.get(), m_size};
}

Status CDriverData::Init(const CDataKey& key, BehaviourKind kind) {
  if (&key != &m_key) m_key = key;
  try {
    m_observers.reserve(1);
  } catch (const std::bad_alloc&) {
    return kStatusOutOfMemory;
  }
  m_behaviour = ::GetBehaviour(kind);
  if (m_behaviour == nullptr) return kStatusOutOfMemory;

  // Zero-filled; the order only matters for which allocation fails first.
  for (Buffer* buffer : {&m_lastWritten, &m_baseline, &m_current, &m_driverValue}) {
    buffer->reset(new (std::nothrow) std::byte[m_size]());
    if (!*buffer) return kStatusOutOfMemory;
  }
  m_loaded = false;
  m_lastStatus = kStatusOk;
  return kStatusOk;
}

bool CDriverData::EqualOver(const void* a, const void* b, std::uint32_t length) const {
  const std::uint32_t bytes = std::min(length, m_size);
  return bytes == 0 || std::memcmp(a, b, bytes) == 0;
}

void CDriverData::CopyBuffer(Buffer& to, const Buffer& from) {
  if (m_size != 0) std::memcpy(to.get(), from.get(), m_size);
}

bool CDriverData::HasObserver(ObserverToken observer) const {
  return std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end();
}

Status CDriverData::RequestIntoDriverValue(std::uint32_t command) {
  if (!m_driverValue) return kStatusNoItem;
  return m_key.Request(command, static_cast<std::uint16_t>(m_size), m_driverValue.get());
}

void CDriverData::CopyLastWrittenToDriverValue() {
  if (!m_driverValue || !m_lastWritten) return;
  CopyBuffer(m_driverValue, m_lastWritten);
}

Status CDriverData::Load() {
  m_lastStatus = m_behaviour->Read(*this);
  if (m_lastStatus != kStatusOk) return m_lastStatus;
  CopyBuffer(m_lastWritten, m_driverValue);
  CopyBuffer(m_baseline, m_driverValue);
  CopyBuffer(m_current, m_driverValue);
  m_loaded = true;
  return kStatusOk;
}

Status CDriverData::LoadIfNeeded() {
  if (m_loaded) return kStatusOk;
  // An item that was never initialised has nothing to read into.
  if (m_behaviour == nullptr) return kStatusNoItem;
  return Load();
}

Status CDriverData::SendCurrent() {
  const Status status =
      m_key.Request(kCommandSet, static_cast<std::uint16_t>(m_size), m_current.get());
  // The value counts as written whatever the driver said; the next Refresh
  // shows what the driver really holds.
  CopyBuffer(m_lastWritten, m_current);
  return status;
}

Status CDriverData::WriteIfChanged(WriteMode mode) {
  if (!m_current) return kStatusNoItem;
  if (mode != WriteMode::kForce && !m_alwaysWrite &&
      EqualOver(m_current.get(), m_lastWritten.get(), ComparisonLength(m_type, m_lastWritten.get()))) {
    return kStatusOk;
  }
  return SendCurrent();
}

Status CDriverData::Get(void* out) {
  if (out == nullptr) return kStatusNullPointer;
  KELVO_TRY(LoadIfNeeded());
  if (m_size != 0) std::memcpy(out, m_current.get(), m_size);
  return m_lastStatus;
}

Status CDriverData::Set(const void* value) {
  if (value == nullptr) return kStatusNullPointer;
  KELVO_TRY(LoadIfNeeded());
  if (EqualOver(value, m_current.get(), ComparisonLength(m_type, value))) return kStatusOk;
  if (m_size != 0) std::memcpy(m_current.get(), value, m_size);
  ForgetObservers();
  return m_behaviour->OnSet(*this);
}

Status CDriverData::Revert() {
  if (!m_loaded) return kStatusOk;
  if (EqualOver(m_baseline.get(), m_current.get(), ComparisonLength(m_type, m_baseline.get()))) {
    return kStatusOk;
  }
  CopyBuffer(m_current, m_baseline);
  ForgetObservers();
  return m_behaviour->OnRevert(*this);
}

Status CDriverData::Commit() {
  KELVO_TRY(LoadIfNeeded());
  CopyBuffer(m_baseline, m_current);
  return kStatusOk;
}

Status CDriverData::SetDefault() {
  KELVO_TRY(LoadIfNeeded());
  const Status status = m_behaviour->ReadDefault(*this);
  if (status == kStatusNotSupported || status == kStatusNotFound) {
    // No default for this value: show the driver's plain value again.
    return Load();
  }
  if (status != kStatusOk) return status;
  if (EqualOver(m_driverValue.get(), m_current.get(),
                ComparisonLength(m_type, m_driverValue.get()))) {
    return kStatusOk;
  }
  CopyBuffer(m_current, m_driverValue);
  ForgetObservers();
  return m_behaviour->OnDefault(*this);
}

Status CDriverData::Apply() {
  if (!m_loaded) return kStatusOk;
  return m_behaviour->OnApply(*this);
}

Status CDriverData::ForceWrite() {
  if (m_behaviour == nullptr) return kStatusNoItem;
  KELVO_TRY(LoadIfNeeded());
  return SendCurrent();
}

namespace {

// The open read round's number; 0 while none is open.
std::uint64_t g_readRound = 0;
std::uint64_t g_lastReadRound = 0;

}  // namespace

void CDriverData::OpenReadRound() { g_readRound = ++g_lastReadRound; }

void CDriverData::CloseReadRound() { g_readRound = 0; }

Status CDriverData::Refresh(bool& changed, ObserverToken observer) {
  changed = false;
  if (g_readRound == 0 || m_readRound != g_readRound) {
    m_readRound = g_readRound;
    m_roundLoaded = LoadIfNeeded();
    if (m_roundLoaded == kStatusOk) m_roundStatus = m_behaviour->Read(*this);
  }
  KELVO_TRY(m_roundLoaded);
  const Status readStatus = m_roundStatus;
  if (readStatus != kStatusOk) {
    m_lastStatus = readStatus;
    return readStatus;
  }
  if (!HasObserver(observer)) {
    try {
      m_observers.push_back(observer);
    } catch (const std::bad_alloc&) {
      return kStatusOutOfMemory;
    }
    changed = true;
  }
  if (m_lastStatus == kStatusOk &&
      EqualOver(m_driverValue.get(), m_lastWritten.get(),
                ComparisonLength(m_type, m_driverValue.get()))) {
    return kStatusOk;
  }
  // Someone else changed the driver's value. Take it over unless the user
  // has a change of their own pending.
  if (m_size == 0 || std::memcmp(m_current.get(), m_lastWritten.get(), m_size) == 0) {
    CopyBuffer(m_current, m_driverValue);
    ForgetObservers();
    // Cannot throw: clearing keeps the capacity reserved at Init.
    m_observers.push_back(observer);
    changed = true;
  }
  CopyBuffer(m_lastWritten, m_driverValue);
  m_lastStatus = kStatusOk;
  return kStatusOk;
}
