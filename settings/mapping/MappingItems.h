#pragma once

#include <array>
#include <cstdint>

#include "settings/BehaviourKind.h"
#include "settings/DataType.h"
#include "settings/StItemRow.h"

// The items of a mapping grouping: their ids, the driver's codes behind them
// and the chain of key levels between the mapping's key and each item.

// Levels of the chains below the mapping's key.
inline constexpr std::uint16_t kLevelMapping = 12;      // (12, 0, 0): every chain starts here
inline constexpr std::uint16_t kLevelContextSet = 5;    // (5, K1, 4), then (5, 0, 0)
inline constexpr std::uint16_t kLevelContextGroup = 2;  // (2, 0, 0) between the two
inline constexpr std::uint16_t kLevelContextTool = 19;  // (19, K2, 4), then (19, K3, 0)
inline constexpr std::uint16_t kLevelDisplay = 21;      // (21, k, 0)
inline constexpr std::uint16_t kLevelTabletArea = 20;   // (20, k, 0)
// The removal path names the same context with codes of its own.
inline constexpr std::uint16_t kLevelRemoveGroup = 3;
inline constexpr std::uint16_t kLevelRemoveTool = 136;
inline constexpr std::uint32_t kQualifierByValue = 4;  // the index is a context value
inline constexpr std::uint32_t kQualifierCommon = 5;   // the context shared by every tool
inline constexpr std::uint32_t kCommonPart = 2;  // (21, 2) and (20, 2) under the common context

// The tool's type code, read by SetKey to see that the tool is there.
inline constexpr std::uint16_t kCodeMappingToolType = 115;

// Which chain of levels lies between the mapping's key and an item.
enum class MappingChain : std::uint8_t {
  kNone,           // the item sits right on the mapping's key
  kTop,            // (12, 0, 0)
  kDisplay,        // the context, then (21, k, 0)
  kTabletArea,     // the context, then (20, k, 0)
  kContext,        // (12, 0, 0) (5, K1, 4) (2, 0, 0) (5, 0, 0) (19, K2, 4) (19, K3, 0)
  kCommonDisplay,  // (12, 0, 0) (5, 0, 5) (19, 0, 5) (21, 2, 0)
  kCommonTablet,   // (12, 0, 0) (5, 0, 5) (19, 0, 5) (20, 2, 0)
};

// One raw item of a mapping: the row of the plain item table, and where the
// row's level goes.
struct StMappingRow {
  StItemRow item;
  MappingChain chain = MappingChain::kNone;
  std::uint32_t part = 0;  // k of the display and tablet-area chains
};

// Item ids.
inline constexpr ItemId kMapTabletModel = 18;
inline constexpr ItemId kMapTabletMaximum = 20;  // two 32-bit numbers, X then Y
inline constexpr ItemId kMapMinimumPortion = 21;
inline constexpr ItemId kMapItem38 = 38;
inline constexpr ItemId kMapTrackingMode = 118;  // 0 pen mode, 1 mouse mode
inline constexpr ItemId kMapItem119 = 119;
inline constexpr ItemId kMapTabletBounds = 120;
inline constexpr ItemId kMapMouseSpeed = 121;
inline constexpr ItemId kMapAcceleration = 122;  // 0 to 3
inline constexpr ItemId kMapScreenOrigin = 123;  // three signed 32-bit words
inline constexpr ItemId kMapScreenExtent = 124;
inline constexpr ItemId kMapScreenRect = 125;  // composite
inline constexpr ItemId kMapScreenRectReported = 126;
inline constexpr ItemId kMapDisplayAreaMode = 127;
inline constexpr ItemId kMapMonitor = 128;
inline constexpr ItemId kMapDisplayArea = 129;  // composite
inline constexpr ItemId kMapItem130 = 130;
inline constexpr ItemId kMapScreenLimits = 131;
inline constexpr ItemId kMapTabletOrigin = 132;
inline constexpr ItemId kMapTabletExtent = 133;
inline constexpr ItemId kMapTabletRect = 134;  // composite
inline constexpr ItemId kMapTabletRectReported = 135;
inline constexpr ItemId kMapTabletAreaFlag = 136;
inline constexpr ItemId kMapTabletAreaMode = 137;
inline constexpr ItemId kMapTabletArea = 138;        // composite
inline constexpr ItemId kMapForceProportions = 139;  // 1 on, 2 off
inline constexpr ItemId kMapProportionOnOff = 140;   // composite
inline constexpr ItemId kMapPreview = 141;           // composite
inline constexpr ItemId kMapPreviewSecond = 142;
inline constexpr ItemId kMapPreviewFirst = 143;
inline constexpr ItemId kMapCommonOrigin = 144;
inline constexpr ItemId kMapCommonExtent = 145;
inline constexpr ItemId kMapCommonFlag = 146;
inline constexpr ItemId kMapCommonMonitor = 147;  // answers only on a pen display
inline constexpr ItemId kMapRawX = 160;
inline constexpr ItemId kMapRawY = 161;

// The raw record whose fields 6 and 7 are the pen's raw position.
inline constexpr std::uint16_t kCodeRawRecord = 168;
inline constexpr std::uint32_t kFieldRawX = 6;
inline constexpr std::uint32_t kFieldRawY = 7;

namespace mapping_rows {

constexpr StMappingRow Row(ItemId id, std::uint16_t code, DataType type, MappingChain chain,
                           std::uint32_t part = 0, BehaviourKind kind = BehaviourKind::kLive,
                           std::uint32_t index = 0) {
  return {{id, code, type, kind, index}, chain, part};
}

}  // namespace mapping_rows

// The raw items; composite ids are made from these.
inline constexpr std::array<StMappingRow, 30> kMappingItems{{
    mapping_rows::Row(kMapTabletModel, 124, DataType::kType2, MappingChain::kNone),
    mapping_rows::Row(kMapTabletMaximum, 84, DataType::kType7, MappingChain::kNone),
    mapping_rows::Row(kMapMinimumPortion, 161, DataType::kType3, MappingChain::kNone),
    mapping_rows::Row(kMapItem38, 254, DataType::kType1, MappingChain::kNone),
    mapping_rows::Row(kMapTrackingMode, 135, DataType::kType1, MappingChain::kDisplay, 2),
    mapping_rows::Row(kMapItem119, 140, DataType::kType2, MappingChain::kTop),
    mapping_rows::Row(kMapTabletBounds, 92, DataType::kType13, MappingChain::kTop),
    mapping_rows::Row(kMapMouseSpeed, 191, DataType::kType2, MappingChain::kDisplay, 2),
    mapping_rows::Row(kMapAcceleration, 221, DataType::kType2, MappingChain::kDisplay, 2),
    mapping_rows::Row(kMapScreenOrigin, 78, DataType::kType8, MappingChain::kDisplay, 2),
    mapping_rows::Row(kMapScreenExtent, 79, DataType::kType8, MappingChain::kDisplay, 2),
    mapping_rows::Row(kMapScreenRectReported, 242, DataType::kType16, MappingChain::kDisplay, 2),
    mapping_rows::Row(kMapDisplayAreaMode, 150, DataType::kType2, MappingChain::kDisplay, 2),
    mapping_rows::Row(kMapMonitor, 151, DataType::kType2, MappingChain::kDisplay, 2),
    mapping_rows::Row(kMapItem130, 27, DataType::kType20, MappingChain::kNone, 0,
                      BehaviourKind::kNoDriver),
    mapping_rows::Row(kMapScreenLimits, 27, DataType::kType16, MappingChain::kNone, 0,
                      BehaviourKind::kNoDriver),
    mapping_rows::Row(kMapTabletOrigin, 60, DataType::kType8, MappingChain::kTabletArea, 2),
    mapping_rows::Row(kMapTabletExtent, 61, DataType::kType8, MappingChain::kTabletArea, 2),
    mapping_rows::Row(kMapTabletRectReported, 243, DataType::kType16, MappingChain::kTabletArea, 2),
    mapping_rows::Row(kMapTabletAreaFlag, 149, DataType::kType2, MappingChain::kTabletArea, 2),
    mapping_rows::Row(kMapTabletAreaMode, 126, DataType::kType2, MappingChain::kContext),
    mapping_rows::Row(kMapForceProportions, 152, DataType::kType2, MappingChain::kTabletArea, 2),
    mapping_rows::Row(kMapPreviewSecond, 243, DataType::kType16, MappingChain::kTabletArea, 0),
    mapping_rows::Row(kMapPreviewFirst, 243, DataType::kType16, MappingChain::kTabletArea, 1),
    mapping_rows::Row(kMapCommonOrigin, 60, DataType::kType8, MappingChain::kCommonTablet),
    mapping_rows::Row(kMapCommonExtent, 61, DataType::kType8, MappingChain::kCommonTablet),
    mapping_rows::Row(kMapCommonFlag, 149, DataType::kType2, MappingChain::kCommonTablet),
    mapping_rows::Row(kMapCommonMonitor, 151, DataType::kType2, MappingChain::kCommonDisplay),
    mapping_rows::Row(kMapRawX, kCodeRawRecord, DataType::kType3, MappingChain::kNone, 0,
                      BehaviourKind::kLive, kFieldRawX),
    mapping_rows::Row(kMapRawY, kCodeRawRecord, DataType::kType3, MappingChain::kNone, 0,
                      BehaviourKind::kLive, kFieldRawY),
}};
