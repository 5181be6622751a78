#include "model/CDriverObject.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "model/DriverVersion.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "protocol/StDriverPacket.h"
#include "services/CDriverInterface.h"
#include "settings/MakeNoThrow.h"

namespace {

using enum DataType;
constexpr BehaviourKind kLive = BehaviourKind::kLive;
constexpr BehaviourKind kApply = BehaviourKind::kApply;

constexpr std::array<StItemRow, 10> kDriverItems{{
    {kItemWindowPosition, 195, kType6, kLive, 0},  // saved main window position
    {2, 184, kLong, kLive, 0},
    {kItemDriverVersion, 219, kType15, kLive, 0},  // driver version record
    {4, 120, kByte, kApply, 0},
    {kItemDriverValue, 187, kWord, kLive, 0},
    {kItemCurrentTablet, 202, kWord, kLive, 0},  // the driver's current tablet number
    {7, 196, kWord, kLive, 0},
    {8, 199, kLong, kLive, 0},
    {9, 180, kWord, kApply, 0},
    {kItemSwitchMode, 223, kByte, kLive, 0},
}};
constexpr StItemRow kClickSound{kItemClickSound, 234, kByte, kLive, 0};  // under (18, 0)
constexpr StItemRow kGroupValue{13, 214, kWord, kLive, 0};   // under (14, 0)

constexpr std::array<ItemId, 6> kAppliedAndReset{1, 4, 5, 9, 10, 11};

constexpr std::uint16_t kCodeSessionValue = 244;
constexpr std::uint16_t kCodeSessionCompanion = 102;
constexpr std::uint16_t kCodeAppletOpen = 193;
constexpr std::uint16_t kCodeItemGroup = 14;

constexpr StObjectKey Level(std::uint16_t code, std::uint32_t index = 0) { return {0, code, index}; }

template <typename List>
void ClearFromBack(List& list) {
  while (!list.empty()) list.pop_back();
}

}  // namespace

CDriverObject::CDriverObject(std::unique_ptr<CModelFactory> factory)
    : m_factory(factory ? std::move(factory) : std::make_unique<CModelFactory>()) {
  m_tablets.reserve(1);
}

CDriverObject::~CDriverObject() {
  ResetSessionValue();
  const std::uint8_t closed = 0;
  DropStatus(WritePath({Level(kCodeAppletOpen)}, sizeof closed, &closed),
             "the applet is closing; there is no one left to tell");
  ClearFromBack(m_tablets);
}

void CDriverObject::ResetSessionValue() {
  const std::uint32_t zero = 0;
  DropStatus(WritePath({Level(kCodeSessionValue, 6)}, sizeof zero, &zero),
             "the session reset is best effort; a driver without the value is fine");
  std::uint8_t unused = 0;
  DropStatus(ReadPath(GetKey(), {Level(kCodeSessionCompanion)}, unused),
             "the session reset is best effort; a driver without the value is fine");
}

Status CDriverObject::WritePath(std::initializer_list<StObjectKey> levels, std::uint32_t size,
                                const void* value) {
  CDataKey key = GetKey();
  for (const StObjectKey& level : levels) key.AppendLevel(level.code, level.index, level.qualifier);
  std::array<std::byte, 8> buffer{};
  std::memcpy(buffer.data(), value, std::min<std::size_t>(size, buffer.size()));
  return key.Request(kCommandSet, static_cast<std::uint16_t>(size), buffer.data());
}

Status CDriverObject::SetKey(const CDataKey& key) {
  ResetSessionValue();
  KELVO_TRY(CDataGrouping::SetKey(key));
  const std::uint8_t open = 1;
  KELVO_TRY(WritePath({Level(kCodeAppletOpen)}, sizeof open, &open));
  bool fit = false;
  KELVO_TRY(ReadVersions(fit));
  if (!fit) return kStatusVersionMismatch;
  return RefreshApplicationList();
}

Status CDriverObject::ReadVersions(bool& fit) {
  VersionRecord driver{};
  KELVO_TRY(ReadItem(*this, kItemDriverVersion, driver));
  CDriverInterface* link = GetDriverInterface();
  if (link == nullptr) return kStatusNoDriverInterface;
  VersionRecord applet{};
  KELVO_TRY(link->GetAppletVersion(applet));
  fit = VersionsFit(driver, applet);
  return kStatusOk;
}

Status CDriverObject::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (itemId == kItemSelected) return MakeSelectedTabletItem(item);
  if (itemId == kClickSound.itemId || itemId == kGroupValue.itemId) {
    CDataKey key = GetKey();
    key.AppendLevel(itemId == kClickSound.itemId ? kCodeApplicationList : kCodeItemGroup, 0);
    return MakeRowItem(itemId == kClickSound.itemId ? kClickSound : kGroupValue, key, item);
  }
  return GetTableItem(kDriverItems, itemId, item);
}

Status CDriverObject::MakeSelectedTabletItem(CDriverData*& item) {
  std::unique_ptr<CDriverData> made;
  KELVO_TRY(MakeItem(made, GetKey(), 27, kWord, BehaviourKind::kNoDriver, 0));
  item = AddItem(kItemSelected, std::move(made));
  if (item == nullptr) return kStatusOutOfMemory;

  std::uint16_t current = 0xFFFF;
  if (ReadItem(*this, kItemCurrentTablet, current, ReadMode::kFresh) != kStatusOk) current = 0xFFFF;
  const auto held = static_cast<std::int32_t>(m_tablets.size());
  std::uint16_t selected = 0;
  if (current < 0xFFFF && static_cast<std::int16_t>(current) < held)
    selected = current;
  else
    selected = m_tablets.empty() ? 0xFFFF : 0;
  return item->Set(&selected);
}

CDataGrouping* CDriverObject::GetSubGroup(std::int32_t index, std::int32_t kind) {
  if (index < 0 || index >= GetSubGroupCount(kind)) return nullptr;
  const auto position = static_cast<std::size_t>(index);
  if (kind == kSubGroupMain) return m_tablets[position].get();
  if (kind == kSubGroupApplication) return m_applications.At(position);
  return nullptr;
}

std::int32_t CDriverObject::GetSubGroupCount(std::int32_t kind) {
  if (kind == kSubGroupMain) {
    DropStatus(RefreshTabletList(), "a failed refresh still leaves what was found so far");
    return static_cast<std::int32_t>(m_tablets.size());
  }
  if (kind == kSubGroupApplication) {
    DropStatus(RefreshApplicationList(), "a failed refresh still leaves what was found so far");
    return static_cast<std::int32_t>(m_applications.Count());
  }
  return 0;
}

Status CDriverObject::ApplyItems() {
  for (const ItemId id : kAppliedAndReset)
    DropStatus(ApplyItem(id), "one failing item or child must not keep the others unapplied");
  for (const auto& tablet : m_tablets)
    DropStatus(tablet->ApplyItems(),
               "one failing item or child must not keep the others unapplied");
  return kStatusOk;
}

Status CDriverObject::DefaultItems() {
  for (const ItemId id : kAppliedAndReset)
    DropStatus(DefaultItem(id), "a reset answers 0; each item keeps its own status");
  for (const auto& tablet : m_tablets)
    DropStatus(tablet->DefaultItems(), "a reset answers 0; each item keeps its own status");
  return kStatusOk;
}

Status CDriverObject::RemoveSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind != kSubGroupMain || index < 0) return kStatusNoItem;
  const auto position = static_cast<std::size_t>(index);
  if (position >= m_tablets.size()) return kStatusNoItem;
  const std::uint8_t gone = 0;
  DropStatus(WriteItem(*m_tablets[position], kItemTabletPresent, gone),
             "removal answers 0; a flag the driver refused shows at the next refresh");
  return kStatusOk;
}

Status CDriverObject::RefreshTabletList() {
  std::uint16_t inUse = 0;
  std::uint16_t total = 0;
  KELVO_TRY(ReadPath(GetKey(), {Level(kCodeInUseCount, 2)}, inUse));
  KELVO_TRY(ReadPath(GetKey(), {Level(kCodeCount, 2)}, total));

  while (total > m_tabletsMade) {
    std::unique_ptr<CTabletObject> tablet = MakeNoThrow<CTabletObject>(*this);
    if (!tablet) return kStatusOutOfMemory;
    CDataKey key = GetKey();
    key.AppendLevel(kCodeTablet, m_tabletsMade);
    KELVO_TRY(tablet->SetKey(key));
    std::uint16_t modelCode = 0;
    DropStatus(ReadItem(*tablet, kItemModelCode, modelCode),
               "read only to cache the model code; a tablet without one is still listed");
    m_tablets.push_back(std::move(tablet));
    ++m_tabletsMade;
  }
  // More tablets held than the driver has in use: drop those it marks gone.
  // When none is marked, every tablet stays.
  while (m_tablets.size() > inUse && DropOneAbsentTablet()) {
  }
  return kStatusOk;
}

bool CDriverObject::DropOneAbsentTablet() {
  for (auto tablet = m_tablets.begin(); tablet != m_tablets.end(); ++tablet) {
    std::uint8_t present = 1;
    if (ReadItem(**tablet, kItemTabletPresent, present, ReadMode::kFresh) == kStatusOk &&
        present == 0) {
      NotifyRemoving(**tablet);
      m_tablets.erase(tablet);
      return true;
    }
  }
  return false;
}

Status CDriverObject::ApplyOrResetAllTablets(TabletsAction action) {
  for (const auto& tablet : m_tablets)
    DropStatus((action == TabletsAction::kApply ? tablet->ApplyItems() : tablet->DefaultItems()),
               "every tablet gets its turn; the answer is 0 whatever one tablet says");
  return kStatusOk;
}
