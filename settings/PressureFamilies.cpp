#include "settings/PressureFamilies.h"

#include <algorithm>
#include <array>

#include "settings/CClickThresholdFamilyData.h"
#include "settings/CPressureBezierFamilyData.h"
#include "settings/MakeNoThrow.h"

namespace {

constexpr std::uint16_t kTypeCodeQVN = 42;
constexpr std::uint16_t kTypeCodeXFW = 45;
constexpr std::array<std::uint16_t, 4> kTypeCodesKRB{53, 54, 55, 63};
constexpr std::array<std::uint16_t, 7> kTypeCodesMJ{7, 17, 20, 46, 49, 50, 51};

// The family a code names outright; others fall to the mixed choice.
bool NamedFamily(std::uint16_t typeCode, PressureFamily& family) {
  if (typeCode == kTypeCodeQVN) {
    family = PressureFamily::kQVN;
  } else if (typeCode == kTypeCodeXFW) {
    family = PressureFamily::kXFW;
  } else if (std::ranges::find(kTypeCodesKRB, typeCode) != kTypeCodesKRB.end()) {
    family = PressureFamily::kKRB;
  } else if (std::ranges::find(kTypeCodesMJ, typeCode) != kTypeCodesMJ.end()) {
    family = PressureFamily::kMJ;
  } else {
    return false;
  }
  return true;
}

}  // namespace

PressureFamily CurveFamilyFor(std::uint16_t typeCode) {
  PressureFamily family = PressureFamily::kMJ;
  return NamedFamily(typeCode, family) ? family : PressureFamily::kMJ;
}

PressureFamily ClickFamilyFor(std::uint16_t typeCode) {
  PressureFamily family = PressureFamily::kKRB;
  return NamedFamily(typeCode, family) ? family : PressureFamily::kKRB;
}

std::unique_ptr<CPressureBezierData> MakePressureBezierData(PressureFamily family) {
  switch (family) {
    case PressureFamily::kKRB: return MakeNoThrow<CPressureBezierDataKRB>();
    case PressureFamily::kMJ: return MakeNoThrow<CPressureBezierDataMJ>();
    case PressureFamily::kQVN: return MakeNoThrow<CPressureBezierDataQVN>();
    case PressureFamily::kXFW: return MakeNoThrow<CPressureBezierDataXFW>();
  }
  return nullptr;
}

std::unique_ptr<CClickThresholdData> MakeClickThresholdData(PressureFamily family) {
  switch (family) {
    case PressureFamily::kKRB: return MakeNoThrow<CClickThresholdDataKRB>();
    case PressureFamily::kMJ: return MakeNoThrow<CClickThresholdDataMJ>();
    case PressureFamily::kQVN: return MakeNoThrow<CClickThresholdDataQVN>();
    case PressureFamily::kXFW: return MakeNoThrow<CClickThresholdDataXFW>();
  }
  return nullptr;
}
