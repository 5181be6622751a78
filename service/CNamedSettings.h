#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/StObjectKey.h"
#include "protocol/Status.h"
#include "service/CValueText.h"

// Which tools a named setting applies to.
enum class ToolScope : std::uint8_t { kStylus, kPuck, kAny };

// Where a named setting's value lies below its tablet.
enum class SettingPlace : std::uint8_t {
  kTool,         // 2:t/4:n/code
  kButton,       // 2:t/4:n/11:b/code
  kContext,      // the tool's mapping context below 2:t/12, then code
  kDisplayPart,  // ... then the display part the applet's controls use, then code
  kTabletPart,   // ... then the tablet-area part the applet's controls use, then code
};

// A setting with a name a user can type in place of a path.
struct StNamedSetting {
  const char* name;  // below the tool: "tip.threshold"; '#' stands for a button number
  ToolScope scope;
  SettingPlace place;
  std::uint32_t button;  // kButton: the button; 0 when the name carries it
  std::uint16_t code;
  int dataType;  // the value's data type, as the builders make it
  StValueType type;
  const char* meaning;  // what the value means, with its range
};

// Names for the settings a user adjusts (tip and eraser feel, the eraser,
// every switch's function, double click, mapping areas ...), written
//   [tabletT.]TOOL.SETTING
// where TOOL is pen, airbrush or puck (the first such tool that is present)
// or toolN (tool number N), on the current tablet unless tabletT says.
class CNamedSettings {
 public:
  [[nodiscard]] static std::span<const StNamedSetting> Table();

  // A path text starts with a digit; a name with a letter.
  [[nodiscard]] static bool IsName(std::string_view text);

  // Reads a number of at most 8 bytes from the service.
  using Reader = std::function<Status(const std::vector<StObjectKey>& path, std::uint64_t& value)>;

  struct StResolved {
    std::vector<StObjectKey> path;
    const StNamedSetting* setting = nullptr;
  };
  // The path a name stands for on the service `read` asks; false with
  // `error` saying why when the name is unknown or names no tool there.
  [[nodiscard]] static bool Resolve(std::string_view name, const Reader& read, StResolved& out,
                                    std::string& error);

  // The setting a path below a tool (2:t/4:n/...) names, and its name
  // after the tool ("switch1.function"); none when no name covers it.
  [[nodiscard]] static const StNamedSetting* FindBelowTool(std::span<const StObjectKey> path,
                                                           std::uint16_t typeCode, std::string& name);
  // The same for a mapping path below a tablet (12/...), whatever tool's context it is.
  [[nodiscard]] static const StNamedSetting* FindMapping(std::span<const StObjectKey> path, std::string& name);

  // "pen.", "puck." or "TOOL.": how `names` shows a setting's scope.
  [[nodiscard]] static const char* ScopePrefix(ToolScope scope);
};
