#include "settings/mapping/CMappingRectData.h"

#include <cstring>

#include "settings/mapping/MappingValues.h"

CMappingRectData::CMappingRectData() : CCompositeData(DataType::kType16) {}

Status CMappingRectData::SetSources(CDriverData* origin, CDriverData* extent) {
  return AssignSources({origin, extent});
}

CMappingRectData::Rect CMappingRectData::FromOriginExtent(const Words& origin,
                                                          const Words& extent) {
  return {origin[1], origin[0], WrapAdd(origin[1], extent[1]), WrapAdd(origin[0], extent[0])};
}

Status CMappingRectData::Get(void* out) {
  if (GetSourceCount() != 2) return GetMissingSourceStatus();
  const Rect rect =
      FromOriginExtent(SourceValue<Words>(*GetSource(0)), SourceValue<Words>(*GetSource(1)));
  std::memcpy(out, rect.data(), sizeof(rect));
  return kStatusOk;
}

Status CMappingRectData::Set(const void* value) {
  if (GetSourceCount() != 2) return GetMissingSourceStatus();
  Rect rect{};
  std::memcpy(rect.data(), value, sizeof(rect));
  // The third words stay as the driver holds them.
  Words origin = SourceValue<Words>(*GetSource(0));
  Words extent = SourceValue<Words>(*GetSource(1));
  origin[0] = rect[1];
  origin[1] = rect[0];
  extent[0] = WrapSub(rect[3], rect[1]);
  extent[1] = WrapSub(rect[2], rect[0]);
  const Status originStatus = SetSourceValue(*GetSource(0), origin);
  const Status extentStatus = SetSourceValue(*GetSource(1), extent);
  return PreferFailure(extentStatus, originStatus);
}
