#include "model/CApplicationList.h"

#include <string>

#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "settings/MakeNoThrow.h"

namespace {

constexpr std::uint16_t kCodeApplicationEntry = 142;

constexpr StObjectKey Level(std::uint16_t code, std::uint32_t index = 0) { return {0, code, index}; }

// Sum of the name's bytes, each as a signed 8-bit number.
std::uint32_t NameSum(std::string_view name) {
  std::int32_t sum = 0;
  for (const char c : name) sum += static_cast<std::int8_t>(c);
  return static_cast<std::uint32_t>(sum);
}

}  // namespace

CApplicationList::CApplicationList(const CDataGrouping& owner, CModelContext& context)
    : m_owner(owner), m_context(context) {
  m_applications.reserve(1);
}

// From the back, as the driver numbers them.
CApplicationList::~CApplicationList() {
  while (!m_applications.empty()) m_applications.pop_back();
}

Status CApplicationList::Refresh() {
  std::uint16_t inUse = 0;
  std::uint16_t total = 0;
  const StObjectKey list = Level(kCodeApplicationList);
  KELVO_TRY(ReadPath(m_owner.GetKey(), {list, Level(kCodeInUseCount)}, inUse));
  KELVO_TRY(ReadPath(m_owner.GetKey(), {list, Level(kCodeCount)}, total));

  while (total > m_made) {
    std::unique_ptr<CAppObject> application = MakeNoThrow<CAppObject>();
    if (!application) return kStatusOutOfMemory;
    CDataKey key = m_owner.GetKey();
    key.AppendLevel(kCodeApplicationList, 0).AppendLevel(kCodeApplication, m_made);
    KELVO_TRY(application->SetKey(key));
    m_applications.push_back(std::move(application));
    ++m_made;
  }
  while (total < m_made && !m_applications.empty()) {
    m_context.NotifyRemoving(*m_applications.back());
    m_applications.pop_back();
    --m_made;
  }
  return kStatusOk;
}

CAppObject* CApplicationList::FindById(std::uint32_t id) {
  DropStatus(Refresh(), "a failed refresh still leaves what was found so far");
  for (const auto& application : m_applications) {
    std::uint32_t held = 0;
    if (ReadItem(*application, kItemApplicationId, held, ReadMode::kFresh) == kStatusOk &&
        held == id)
      return application.get();
  }
  return nullptr;
}

CAppObject* CApplicationList::FindByProgram(std::string_view name) {
  DropStatus(Refresh(), "a failed refresh still leaves what was found so far");
  for (const auto& application : m_applications) {
    std::string program;
    if (ReadItemText(*application, kItemProgramName, program, ReadMode::kFresh) == kStatusOk &&
        program == name)
      return application.get();
  }
  return nullptr;
}

std::uint16_t CApplicationList::PositionOf(const CAppObject* application) const {
  for (std::size_t i = 0; i < m_applications.size(); ++i) {
    if (m_applications[i].get() == application) return static_cast<std::uint16_t>(i);
  }
  return 0;
}

Status CApplicationList::Add(std::uint32_t& number) {
  CDataKey key = m_owner.GetKey();
  key.AppendLevel(kCodeApplicationList, 0).AppendLevel(kCodeApplicationEntry, 0);
  std::uint16_t made = 0;
  KELVO_TRY(key.Request(kCommandCreate, sizeof made, &made));
  number = made;
  return Refresh();
}

Status CApplicationList::Check(std::int32_t& position) {
  const auto checked = static_cast<std::uint16_t>(static_cast<std::uint32_t>(position) & 0xFFFFU);
  if (checked >= m_applications.size()) return kStatusNoItem;
  CAppObject& application = *m_applications[checked];

  std::uint32_t id = 0;
  std::string program;
  std::string text;
  KELVO_TRY(ReadItem(application, kItemApplicationId, id, ReadMode::kFresh));
  KELVO_TRY(ReadItemText(application, kItemProgramName, program, ReadMode::kFresh));
  KELVO_TRY(ReadItemText(application, kItemApplicationText, text, ReadMode::kFresh));

  std::int32_t other = -1;
  for (std::size_t i = 0; i < m_applications.size() && other < 0; ++i) {
    std::string name;
    if (i != checked &&
        ReadItemText(*m_applications[i], kItemProgramName, name, ReadMode::kFresh) == kStatusOk &&
        name == program)
      other = static_cast<std::int32_t>(i);
  }

  if (!program.empty() && other < 0) {
    if (id == 0) {
      KELVO_TRY(MakeId(program, id));
      KELVO_TRY(WriteItem(application, kItemApplicationId, id));
    }
    return Refresh();
  }

  // A nameless entry, or a second entry for the same program, goes.
  position = other;
  CDataKey key = m_owner.GetKey();
  key.AppendLevel(kCodeApplicationList, 0).AppendLevel(kCodeApplicationEntry, checked);
  KELVO_TRY(key.Request(kCommandRemove, 0, nullptr));
  return Refresh();
}

Status CApplicationList::MakeId(std::string_view name, std::uint32_t& id) {
  std::uint32_t candidate = NameSum(name);
  // Each step passes over an identifier some other program holds, so this
  // ends after at most one step per application.
  for (;;) {
    CAppObject* holder = FindById(candidate);
    if (holder == nullptr) break;
    CDriverData* item = nullptr;
    KELVO_TRY(holder->GetItem(kItemProgramName, item));
    if (item == nullptr) return kStatusNoItem;
    std::string program;
    KELVO_TRY(ReadItemText(*holder, kItemProgramName, program, ReadMode::kFresh));
    if (program == name) break;
    ++candidate;
  }
  id = candidate;
  return kStatusOk;
}
