#include "settings/CUDPenHasEraser.h"

#include <cstring>

namespace {

constexpr std::uint16_t kEraserInUse = 0;
constexpr std::uint16_t kEraserUnused = 2;

}  // namespace

CUDPenHasEraser::CUDPenHasEraser() : CCompositeData(DataType::kWord) {}

CUDPenHasEraser::~CUDPenHasEraser() = default;

Status CUDPenHasEraser::SetSources(CDriverData* eraser) {
  return AssignSources({eraser});
}

Status CUDPenHasEraser::Get(void* out) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  std::uint16_t eraser = 0;
  KELVO_TRY(ReadValue(*GetSource(0), &eraser, sizeof eraser));
  const std::uint16_t ticked = eraser == kEraserInUse ? 1 : 0;
  std::memcpy(out, &ticked, sizeof ticked);
  return kStatusOk;
}

Status CUDPenHasEraser::Set(const void* value) {
  if (GetSourceCount() == 0) return GetMissingSourceStatus();
  std::uint16_t ticked = 0;
  std::memcpy(&ticked, value, sizeof ticked);
  const std::uint16_t eraser = ticked != 0 ? kEraserInUse : kEraserUnused;
  return WriteValue(*GetSource(0), &eraser, sizeof eraser);
}

Status CUDPenHasEraser::Revert() {
  return GetSourceCount() == 0 ? kStatusOk : GetSource(0)->Revert();
}

Status CUDPenHasEraser::Commit() {
  return GetSourceCount() == 0 ? kStatusOk : GetSource(0)->Commit();
}

Status CUDPenHasEraser::SetDefault() {
  return GetSourceCount() == 0 ? kStatusOk : GetSource(0)->SetDefault();
}

Status CUDPenHasEraser::Apply() {
  return GetSourceCount() == 0 ? kStatusOk : GetSource(0)->Apply();
}
