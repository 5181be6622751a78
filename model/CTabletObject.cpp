#include "model/CTabletObject.h"

#include <array>

#include "model/CModelContext.h"
#include "model/CModelFactory.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "settings/MakeNoThrow.h"

namespace {

using enum DataType;
constexpr BehaviourKind kLive = BehaviourKind::kLive;

constexpr std::array<StItemRow, 21> kTabletItems{{
    {kItemDriverOn, 186, kByte, kLive, 0},
    {16, 123, kWord, kLive, 0},
    {17, 29, kText, kLive, 0},
    {18, 124, kWord, kLive, 0},  // model code
    {19, 28, kWord, kLive, 4},   // total number of tool numbers
    {20, 84, kType7, kLive, 0},
    {21, 161, kLong, kLive, 0},
    {23, 224, kType15, kLive, 0},  // version record
    {24, 162, kByte, kLive, 0},
    {25, 163, kByte, kLive, 0},
    {26, 164, kByte, kLive, 0},
    {27, 165, kByte, kLive, 0},
    {30, 172, kByte, kLive, 0},  // present flag
    {31, 185, kWord, kLive, 0},
    {32, 182, kText, kLive, 0},
    {33, 183, kWord, kLive, 0},
    {34, 203, kWord, kLive, 0},  // the driver's current tool number
    {kItemSignalState, 52, kByte, kLive, 0},
    {38, 254, kByte, kLive, 0},
    {40, 208, kWord, BehaviourKind::kApply, 0, ItemVariant::kForced},
    {22, 28, kWord, kLive, 0},  // under (23, 0, qualifier 1), see below
}};

// Fields of two multi-field records: index 0 is the whole record.
constexpr std::array<StItemRow, 15> kFirstRecordItems{{
    {29, 190, kType14, kLive, 0},  {45, 190, kWord, kLive, 4},   {46, 190, kWord, kLive, 4},
    {48, 190, kLong, kLive, 5},    {148, 190, kWord, kLive, 3},  {149, 190, kLong, kLive, 6},
    {150, 190, kLong, kLive, 7},   {151, 190, kLong, kLive, 8},  {152, 190, kWord, kLive, 9},
    {153, 190, kWord, kLive, 10},  {154, 190, kWord, kLive, 11}, {155, 190, kWord, kLive, 12},
    {156, 190, kWord, kLive, 13},  {157, 248, kLong, kLive, 0},  {158, 248, kLong, kLive, 5},
}};

constexpr std::array<StItemRow, 14> kSecondRecordItems{{
    {28, 168, kType14, kLive, 0},  {159, 168, kWord, kLive, 3},  {160, 168, kLong, kLive, 6},
    {161, 168, kLong, kLive, 7},   {162, 168, kLong, kLive, 8},  {163, 168, kWord, kLive, 9},
    {164, 168, kWord, kLive, 10},  {165, 168, kWord, kLive, 11}, {166, 168, kWord, kLive, 12},
    {167, 168, kWord, kLive, 13},  {168, 247, kLong, kLive, 0},  {169, 247, kLong, kLive, 5},
    {170, 246, kLong, kLive, 8},   {171, 246, kLong, kLive, 9},
}};

// Tablet-area values, on the path of the tablet's mapping context.
constexpr std::array<StItemRow, 2> kAreaItems{{
    {36, 60, kType8, kLive, 18},
    {37, 61, kType8, kLive, 18},
}};
constexpr std::array<StObjectKey, 7> kAreaPath{{
    {0, 12, 0}, {4, 5, 0}, {0, 2, 0}, {0, 5, 0}, {4, 19, 1}, {0, 19, 16416}, {0, 20, 0},
}};

constexpr ItemId kItemNone = 15;
constexpr ItemId kItemCount = 22;

}  // namespace

CTabletObject::CTabletObject(CModelContext& context) : m_context(context) {
  m_toolGroups.reserve(1);
}

CTabletObject::~CTabletObject() {
  m_functionObject.reset();
  while (!m_toolGroups.empty()) m_toolGroups.pop_back();
  m_controls.clear();
}

Status CTabletObject::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (itemId == kItemNone) return kStatusOk;
  if (itemId == kItemSelected) return MakeSelectedGroupItem(item);
  if (itemId == kItemCount) {
    CDataKey key = GetKey();
    key.AppendLevel(23, 0, 1);
    return MakeRowItem(*FindItemRow(kTabletItems, itemId), key, item);
  }
  if (const StItemRow* row = FindItemRow(kAreaItems, itemId); row != nullptr) {
    CDataKey key = GetKey();
    for (const StObjectKey& level : kAreaPath) key.AppendLevel(level.code, level.index, level.qualifier);
    return MakeRowItem(*row, key, item);
  }
  for (const std::span<const StItemRow> table :
       {std::span<const StItemRow>(kTabletItems), std::span<const StItemRow>(kFirstRecordItems),
        std::span<const StItemRow>(kSecondRecordItems)}) {
    if (const StItemRow* row = FindItemRow(table, itemId); row != nullptr)
      return MakeRowItem(*row, GetKey(), item);
  }
  return kStatusNoItem;
}

Status CTabletObject::MakeSelectedGroupItem(CDriverData*& item) {
  std::unique_ptr<CDriverData> made;
  KELVO_TRY(MakeItem(made, GetKey(), 27, DataType::kWord, BehaviourKind::kNoDriver, 0));
  item = AddItem(kItemSelected, std::move(made));
  if (item == nullptr) return kStatusOutOfMemory;

  // The group of the tool the driver last saw; 0 when the driver does not know it.
  std::uint16_t position = 0;
  std::uint16_t toolNumber = 0;
  std::uint16_t typeCode = 0;
  if (ReadItem(*this, kItemCurrentTool, toolNumber, ReadMode::kFresh) == kStatusOk &&
      ReadPath(GetKey(), {{0, kCodeTool, toolNumber}, {0, kCodeToolTypeCode, 0}}, typeCode) ==
          kStatusOk) {
    std::uint32_t serial = 0;
    if (ReadPath(GetKey(), {{0, kCodeTool, toolNumber}, {0, kCodeToolSerial, 0}}, serial) ==
        kStatusOk) {
      DropStatus(RefreshToolGroups(), "a failed refresh still leaves what was found so far");
      position = static_cast<std::uint16_t>(FindGroupPosition(typeCode, serial));
    }
  }
  KELVO_TRY(item->Set(&position));
  // The chosen group remembers the selection too.
  if (CDataGrouping* group = GetSubGroup(position, kSubGroupMain); group != nullptr)
    DropStatus(WriteItem(*group, kItemSelected, position),
               "the tablet's own selection is set; the group's copy only follows it");
  return kStatusOk;
}

std::size_t CTabletObject::FindGroupPosition(std::uint16_t typeCode, std::uint32_t serial) {
  for (std::size_t i = 0; i < m_toolGroups.size(); ++i) {
    std::uint16_t groupType = 0;
    std::uint32_t groupSerial = 0;
    if (ReadItem(*m_toolGroups[i], kItemToolTypeCode, groupType) == kStatusOk &&
        ReadItem(*m_toolGroups[i], kItemToolSerial, groupSerial) == kStatusOk &&
        groupType == typeCode && groupSerial == serial)
      return i + 1;
  }
  return 0;
}

CDataGrouping* CTabletObject::GetSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind == kSubGroupTabletControl) return GetTabletControl(index);
  if (kind != kSubGroupMain || index < 0) return nullptr;
  if (index == 0) return GetFunctionObject();
  // The position counts in the list as the driver has it now.
  if (index >= GetSubGroupCount(kSubGroupMain)) return nullptr;
  return m_toolGroups[static_cast<std::size_t>(index) - 1].get();
}

CDataGrouping* CTabletObject::GetFunctionObject() {
  if (m_functionObject) return m_functionObject.get();
  std::unique_ptr<CDataGrouping> made = m_context.GetModelFactory().MakeFunctionObject(m_context);
  // One that cannot take the key is dropped; the next call tries again.
  if (!made || made->SetKey(GetKey()) != kStatusOk) return nullptr;
  m_functionObject = std::move(made);
  return m_functionObject.get();
}

CDataGrouping* CTabletObject::GetTabletControl(std::int32_t number) {
  if (number < 0) return nullptr;
  if (const auto found = m_controls.find(number); found != m_controls.end())
    return found->second.get();
  const TabletControlClass kind = TabletControlClassFor(static_cast<std::uint32_t>(number));
  std::unique_ptr<CDataGrouping> control;
  if (kind != TabletControlClass::kNone) control = m_context.GetModelFactory().MakeTabletControl(kind);
  if (control) {
    CDataKey key = GetKey();
    key.AppendLevel(kind == TabletControlClass::kBattery ? kCodeBattery : kCodeJoystick, 0);
    if (control->SetKey(key) != kStatusOk) return nullptr;
  }
  CDataGrouping* result = control.get();
  m_controls.emplace(number, std::move(control));
  return result;
}

std::int32_t CTabletObject::GetSubGroupCount(std::int32_t kind) {
  if (kind == kSubGroupMain) {
    // A failed refresh still leaves the groups found so far to count.
    DropStatus(RefreshToolGroups(), "a failed refresh still leaves what was found so far");
    return static_cast<std::int32_t>(m_toolGroups.size() + 1);
  }
  if (kind == kSubGroupTabletControl) return 2;
  return 0;
}

Status CTabletObject::RefreshToolGroups() {
  std::uint16_t inUse = 0;
  std::uint16_t total = 0;
  KELVO_TRY(ReadPath(GetKey(), {{0, kCodeInUseCount, 4}}, inUse));
  KELVO_TRY(ReadPath(GetKey(), {{0, kCodeCount, 4}}, total));

  std::uint32_t toolsMade = m_toolsRemoved;
  for (const auto& group : m_toolGroups)
    toolsMade += static_cast<std::uint32_t>(group->GetTransducerCount() + group->GetTransducersRemoved());
  for (; total > toolsMade; ++toolsMade) KELVO_TRY(AddToolNumber(toolsMade));

  for (std::size_t i = 0; i < m_toolGroups.size();) {
    if (m_toolGroups[i]->GetSubGroupCount(kSubGroupMain) != 0) {
      ++i;
      continue;
    }
    m_toolsRemoved = static_cast<std::uint16_t>(m_toolsRemoved + m_toolGroups[i]->GetTransducersRemoved());
    m_context.NotifyRemoving(*m_toolGroups[i]);
    m_toolGroups.erase(m_toolGroups.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return kStatusOk;
}

Status CTabletObject::AddToolNumber(std::uint32_t toolNumber) {
  std::uint16_t typeCode = 0;
  std::uint32_t serial = 0;
  KELVO_TRY(ReadPath(GetKey(), {{0, kCodeTool, toolNumber}, {0, kCodeToolTypeCode, 0}}, typeCode));
  KELVO_TRY(ReadPath(GetKey(), {{0, kCodeTool, toolNumber}, {0, kCodeToolSerial, 0}}, serial));
  if (const std::size_t position = FindGroupPosition(typeCode, serial); position != 0)
    return m_toolGroups[position - 1]->AddTool(toolNumber);

  std::unique_ptr<CMetaTransducer> group = MakeNoThrow<CMetaTransducer>(m_context);
  if (!group) return kStatusOutOfMemory;
  CDataKey key = GetKey();
  key.AppendLevel(kCodeTool, toolNumber);
  KELVO_TRY(group->SetKey(key));
  // A tool that cannot be made leaves no empty group behind.
  KELVO_TRY(group->AddTool(toolNumber));
  m_toolGroups.push_back(std::move(group));
  return kStatusOk;
}

Status CTabletObject::ApplyItems() {
  DropStatus(ApplyItem(14), "one failing item or child must not keep the others unapplied");
  DropStatus(ApplyItem(31), "one failing item or child must not keep the others unapplied");
  if (m_functionObject)
    DropStatus(m_functionObject->ApplyItems(),
               "one failing item or child must not keep the others unapplied");
  for (const auto& group : m_toolGroups)
    DropStatus(group->ApplyItems(), "one failing item or child must not keep the others unapplied");
  for (const auto& [number, control] : m_controls) {
    if (control)
      DropStatus(control->ApplyItems(),
                 "one failing item or child must not keep the others unapplied");
  }
  return kStatusOk;
}

Status CTabletObject::DefaultItems() {
  const Status status = DefaultItem(31);
  DropStatus(DefaultSubGroup(0, kSubGroupMain),
             "item 31 decides the answer; the children reset on their own");
  for (const auto& group : m_toolGroups)
    DropStatus(group->DefaultItems(),
               "item 31 decides the answer; the children reset on their own");
  for (std::int32_t number = 0; number < 2; ++number)
    DropStatus(DefaultSubGroup(number, kSubGroupTabletControl),
               "item 31 decides the answer; the children reset on their own");
  return status;
}

Status CTabletObject::RemoveSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind != kSubGroupMain || index < 1) return kStatusNoItem;
  const auto position = static_cast<std::size_t>(index);
  if (position > m_toolGroups.size()) return kStatusNoItem;
  KELVO_TRY(m_toolGroups[position - 1]->Remove());
  return RefreshToolGroups();
}
