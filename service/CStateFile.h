#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "service/CDriverModel.h"

// One line of the state file: the application list when it changed, and the
// values that changed. Each value entry is anchored to a tablet by number and
// model and to a tool by type code and serial, so that it returns to the same
// device: {"tablet", "model", "type", "serial", "path", "bytes"}.
struct StStateRecord {
  nlohmann::json applications;  // null when the line does not carry the list
  std::vector<nlohmann::json> values;
};

// Everything a state file holds: the latest application list and the latest
// bytes of every entry, with the order in which entries were last written.
struct StStateContent {
  struct StEntry {
    nlohmann::json entry;
    std::uint64_t order = 0;
  };
  nlohmann::json applications;
  std::map<std::string, StEntry> values;  // by KeyOf
  std::uint64_t nextOrder = 0;

  void Merge(const StStateRecord& record);
  // The entries in the order they were written, so a later one wins.
  [[nodiscard]] std::vector<const nlohmann::json*> Ordered() const;
};

// The state file's text and its meaning for a driver model. The file is a
// sequence of lines: the first is the whole content at the time it was
// written ({"version": 2, "applications": [...], "values": [...]}), every
// further line one record of later changes. Live pen records are never part
// of it.
class CStateFile {
 public:
  static constexpr int kVersion = 2;

  // What the model holds that clients set.
  [[nodiscard]] static StStateRecord Snapshot(const CDriverModel& model);
  [[nodiscard]] static std::string KeyOf(const nlohmann::json& entry);

  // One line without its line end; false when it is damaged. The first line
  // of a file must carry a version.
  [[nodiscard]] static bool ParseLine(std::string_view line, bool first, StStateRecord& out);
  [[nodiscard]] static std::string FormatBase(const StStateContent& content);
  [[nodiscard]] static std::string FormatRecord(const StStateRecord& record);

  struct StParsed {
    StStateContent content;
    std::size_t goodLines = 0;
    std::size_t badLines = 0;
    std::size_t complete = 0;   // bytes up to the end of the last whole line
    bool wholeDocument = false;  // an older file written as one document
  };
  // Reads a whole file's text; an unfinished last line (a writer that died
  // mid-line) is left out and not counted as damage.
  [[nodiscard]] static StParsed Parse(std::string_view text);

  // Makes the model's application list the given one (rebuilt when it
  // differs); answers whether it changed anything.
  static bool ApplyApplications(const nlohmann::json& list, CDriverModel& model);
  // Restores entries in order; those of devices not attached are skipped.
  static void ApplyValues(const std::vector<const nlohmann::json*>& entries, CDriverModel& model);
  [[nodiscard]] static nlohmann::json Applications(const CDriverModel& model);
};
