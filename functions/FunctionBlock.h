#pragma once

#include <optional>

#include "functions/FunctionCodes.h"
#include "settings/BehaviourKind.h"
#include "settings/StItemRow.h"

// Which item of the block holds what a function needs besides its code.
enum class FunctionData : std::uint8_t { kNone, kKeystroke, kModifiers, kApplication };
[[nodiscard]] FunctionData FunctionDataOf(FunctionCode code);

// The row of `itemId` in a function block at `base`: the function code, the
// modifier mask and its six single-bit items, the keystroke, the application
// path and the function name, whose kind differs between tool buttons
// (applied with the function) and tablet buttons (live). None for an id
// outside the block.
[[nodiscard]] std::optional<StItemRow> FunctionBlockRow(ItemId base, ItemId itemId,
                                                        BehaviourKind nameKind);
