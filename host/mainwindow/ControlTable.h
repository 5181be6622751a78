#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "views/ControlIds.h"

// What a bound control is, as update control and SetControlState see it.
enum class ControlKind : std::uint32_t {
  kNone = 0,  // the two group boxes
  kText = 1,
  kCheckBox = 2,
  kSlider = 3,
  kComboBox = 4,
  kRadio = 5,
  kInteger = 6,
  kPushButton = 7,
  kImage = 8,
  kTab = 10,
  kRect = 11,     // a rectangle's group, its four fields carrying their place
  kPicture = 12,  // a picture of the mapping
};

// The user function a control gets; each acts on the toolkit's change event.
enum class ControlHandler { kNone, kCheckBox, kSlider, kCombo, kInteger, kTab, kRadio, kButton, kRect, kPicture };

// One row of the main window's control table: the control of that name gets
// the id, value, handler and kind. A radio button carries its own value.
struct StControlRecord {
  std::uint32_t id;
  std::uint16_t value;
  std::string_view name;
  ControlHandler handler;
  ControlKind kind;
};

// Check boxes whose checked state stands for the value 3 (acceleration off).
[[nodiscard]] constexpr bool IsAccelerationBox(std::uint32_t id) {
  return id == ControlId::kNoAcceleration || id == ControlId::kPuckNoAcceleration;
}

// Every row, in binding order.
[[nodiscard]] std::span<const StControlRecord> GetControlTable();
