#pragma once

#include <cstdint>
#include <memory>

#include "settings/CClickThresholdData.h"
#include "settings/CPressureBezierData.h"

// The tablet families whose pressure tables differ.
enum class PressureFamily : std::uint8_t { kKRB, kMJ, kQVN, kXFW };

// Which family's curve and which family's click percentages a tool of this
// type code follows; other codes mix the MJ curve with the KRB click.
[[nodiscard]] PressureFamily CurveFamilyFor(std::uint16_t typeCode);
[[nodiscard]] PressureFamily ClickFamilyFor(std::uint16_t typeCode);

// The family's item, unconnected; none when out of memory.
[[nodiscard]] std::unique_ptr<CPressureBezierData> MakePressureBezierData(PressureFamily family);
[[nodiscard]] std::unique_ptr<CClickThresholdData> MakeClickThresholdData(PressureFamily family);
