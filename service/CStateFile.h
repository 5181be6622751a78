#pragma once

#include <filesystem>

#include "protocol/Status.h"
#include "service/CDriverModel.h"

// The values clients set, kept in a JSON file between runs. Entries are
// anchored to a tablet by number and model and to a tool by type code and
// serial number, so that they return to the same device.
class CStateFile {
 public:
  // A missing file restores nothing; a damaged one is renamed aside (one line
  // on stderr says so) and the defaults stay.
  static void Load(const std::filesystem::path& file, CDriverModel& model);
  // Writes a temporary file, flushes it to disk and renames it over `file`.
  [[nodiscard]] static Status Save(const std::filesystem::path& file, const CDriverModel& model);
};
