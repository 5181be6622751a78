#pragma once

// The classes a resource object may name: one row per class says everything
// the toolkit needs outside the class itself — its class identifier, the
// stored styles it reads and how an object of it is made. The class's own
// overrides (ReadStored, WidgetKind, the Shown* answers, KeepsKey) say the
// rest, so a new class is its header and one Register call.
//
// Identifiers repeat (1007 is a plain window and three of the system's own
// windows), so an object is always looked up by its class name; the
// identifier is stored beside it and checked.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "protocol/Status.h"

class ZafWindowObject;

using ZafClassMaker = std::function<std::unique_ptr<ZafWindowObject>()>;

struct StClassInfo {
  std::uint16_t id = 0;
  std::string name;
  std::uint32_t styles = 0;  // the style bits (znc::StyleBit) objects of the class read
  ZafClassMaker make;        // none for data classes
};

class ZafClassTable {
 public:
  // Every row, the toolkit's own first; rows are never removed, so pointers
  // to them stay valid.
  [[nodiscard]] static const std::deque<StClassInfo>& WindowClasses();
  [[nodiscard]] static const std::deque<StClassInfo>& DataClasses();
  // First row with that name, nullptr when none.
  [[nodiscard]] static const StClassInfo* FindWindowClass(std::string_view name);
  [[nodiscard]] static const StClassInfo* FindDataClass(std::string_view name);
  // Whether a row pairs this name with this identifier.
  [[nodiscard]] static bool KnowsWindowClass(std::string_view name, std::uint16_t id);

  // Adds a window-object class of the application's own. A name that is
  // there already gives kStatusAlreadyExists, a row without a maker
  // kStatusMissingArgument.
  [[nodiscard]] static Status Register(StClassInfo row);

  // The system's own classes are those whose name begins with C.
  [[nodiscard]] static bool IsSystemClass(std::string_view name) {
    return !name.empty() && name.front() == 'C';
  }
};
