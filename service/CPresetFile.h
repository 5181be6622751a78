#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "service/CDriverModel.h"

// A preset: every value a user changed from its factory value, readable and
// portable to another machine. docs/presets.md describes the format:
//   {"format": "tablet-properties preset", "version": 1,
//    "applications": [{"program", "title", "identifier"}, ...],
//    "values": [{"tablet": {"model", "number"}, "tool": {"kind", "type", "serial"},
//                "application", "setting", "path", "value"}, ...]}
// A value belongs to the driver (no "tablet"), to a tablet by model, or to
// a tool by type code and serial on it; "application" names the program
// whose identifier the path carries, so that the value finds that program
// on a machine where it has another identifier.
class CPresetFile {
 public:
  static constexpr const char* kFormat = "tablet-properties preset";
  static constexpr int kVersion = 1;

  // Keys in the order the format gives them, so the file reads top down.
  [[nodiscard]] static nlohmann::ordered_json Export(const CDriverModel& model);

  // Applies a whole preset to `model`: applications it lacks are added,
  // then every value is set. Each entry that cannot be applied adds one
  // line to `problems`, naming it; the caller keeps the model only when
  // there are none.
  [[nodiscard]] static bool Apply(const nlohmann::json& preset, CDriverModel& model,
                                  std::vector<std::string>& problems);
};
