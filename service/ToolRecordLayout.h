#pragma once

#include <array>
#include <cstdint>

#include "service/CServiceValue.h"
#include "service/ServiceCodes.h"

// Where each field of the 44-byte tool records (190, 168) lies: the index a
// request names it by, its offset and its size.
inline constexpr std::uint32_t kToolRecordSize = 44;
inline constexpr std::array<StValueField, 13> kToolRecordFields{{
    {1, 0, 2},
    {2, 2, 2},
    {service_codes::kFieldProximity, 4, 2},
    {service_codes::kFieldType, 6, 2},
    {service_codes::kFieldSerial, 8, 4},
    {service_codes::kFieldX, 12, 4},
    {service_codes::kFieldY, 16, 4},
    {service_codes::kFieldSwitches, 20, 4},
    {service_codes::kFieldPressure, 24, 2},
    {service_codes::kFieldTiltX, 26, 2},
    {service_codes::kFieldTiltY, 28, 2},
    {service_codes::kFieldWheel, 30, 2},
    {service_codes::kFieldRotation, 32, 2},
}};
