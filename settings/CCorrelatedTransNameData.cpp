#include "settings/CCorrelatedTransNameData.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "services/CStringManager.h"

namespace {

constexpr std::size_t kName = 0;
constexpr std::size_t kTypeCode = 1;
// Tools are named by table "2102" at their type code plus 1; a type code
// that cannot be read names the tool by this entry's successor.
constexpr char kToolNameTable[] = "2102";
constexpr std::uint32_t kUnknownTypeCode = 69;

}  // namespace

CCorrelatedTransNameData::CCorrelatedTransNameData() : CCompositeData(DataType::kText) {}

CCorrelatedTransNameData::~CCorrelatedTransNameData() = default;

Status CCorrelatedTransNameData::SetSources(CDriverData* name, CDriverData* typeCode) {
  return AssignSources({name, typeCode});
}

Status CCorrelatedTransNameData::Get(void* out) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  auto* text = static_cast<char*>(out);
  const Status nameStatus = ReadValue(*GetSource(kName), text, GetSize());
  text[GetSize() - 1] = '\0';
  if (text[0] != '\0') return nameStatus;

  std::uint32_t typeCode = kUnknownTypeCode;
  std::uint16_t read = 0;
  const Status typeStatus = ReadValue(*GetSource(kTypeCode), &read, sizeof read);
  if (typeStatus == kStatusOk) typeCode = read;
  if (CStringManager* strings = GetStringManager(); strings != nullptr) {
    // The lookup writes as much as the string holds; keep it off the
    // caller's fixed-size buffer.
    std::array<char, 4096> found{};
    DropStatus(
        strings->GetString(kToolNameTable, static_cast<std::uint16_t>(typeCode + 1), found.data()),
        "a missing string leaves the lookup's own fallback");
    found.back() = '\0';
    const std::size_t length = std::min<std::size_t>(std::strlen(found.data()), GetSize() - 1);
    std::memcpy(text, found.data(), length);
    text[length] = '\0';
  }
  return typeStatus;
}

Status CCorrelatedTransNameData::Set(const void* value) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  return GetSource(kName)->Set(value);
}

Status CCorrelatedTransNameData::Revert() {
  return GetSourceCount() == 0 ? kStatusOk : GetSource(kName)->Revert();
}

Status CCorrelatedTransNameData::Commit() {
  return GetSourceCount() == 0 ? kStatusOk : GetSource(kName)->Commit();
}

Status CCorrelatedTransNameData::SetDefault() {
  return GetSourceCount() == 0 ? kStatusOk : GetSource(kName)->SetDefault();
}

Status CCorrelatedTransNameData::Apply() {
  return GetSourceCount() == 0 ? kStatusOk : GetSource(kName)->Apply();
}
