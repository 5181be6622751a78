// The application-list operations of CDriverObject.
#include <string>

#include "model/CDriverObject.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"

namespace {

constexpr std::uint16_t kCodeApplicationEntry = 142;

// Sum of the name's bytes, each as a signed 8-bit number.
std::uint32_t NameSum(std::string_view name) {
  std::int32_t sum = 0;
  for (const char c : name) sum += static_cast<std::int8_t>(c);
  return static_cast<std::uint32_t>(sum);
}

}  // namespace

CAppObject* CDriverObject::FindApplicationById(std::uint32_t id) {
  (void)RefreshApplicationList();
  for (const auto& application : m_applications) {
    std::uint32_t held = 0;
    if (ReadItem(*application, kItemApplicationId, held, ReadMode::kFresh) == kStatusOk &&
        held == id)
      return application.get();
  }
  return nullptr;
}

CAppObject* CDriverObject::FindApplicationByProgram(std::string_view name) {
  (void)RefreshApplicationList();
  for (const auto& application : m_applications) {
    std::string program;
    if (ReadItemText(*application, kItemProgramName, program, ReadMode::kFresh) == kStatusOk &&
        program == name)
      return application.get();
  }
  return nullptr;
}

std::uint16_t CDriverObject::GetApplicationPosition(const CAppObject* application) const {
  for (std::size_t i = 0; i < m_applications.size(); ++i) {
    if (m_applications[i].get() == application) return static_cast<std::uint16_t>(i);
  }
  return 0;
}

Status CDriverObject::AddApplication(std::uint32_t& number) {
  CDataKey key = GetKey();
  key.AppendLevel(kCodeApplicationList, 0).AppendLevel(kCodeApplicationEntry, 0);
  std::uint16_t made = 0;
  KELVO_TRY(key.Request(kCommandCreate, sizeof made, &made));
  number = made;
  return RefreshApplicationList();
}

Status CDriverObject::CheckApplication(std::int32_t& position) {
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
      KELVO_TRY(MakeApplicationId(program, id));
      KELVO_TRY(WriteItem(application, kItemApplicationId, id));
    }
    return RefreshApplicationList();
  }

  // A nameless entry, or a second entry for the same program, goes.
  position = other;
  CDataKey key = GetKey();
  key.AppendLevel(kCodeApplicationList, 0).AppendLevel(kCodeApplicationEntry, checked);
  KELVO_TRY(key.Request(kCommandRemove, 0, nullptr));
  return RefreshApplicationList();
}

Status CDriverObject::MakeApplicationId(std::string_view name, std::uint32_t& id) {
  std::uint32_t candidate = NameSum(name);
  // Each step passes over an identifier some other program holds, so this
  // ends after at most one step per application.
  for (;;) {
    CAppObject* holder = FindApplicationById(candidate);
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
