#pragma once

#include <cstdio>
#include <string>

#include "service/CControlCommand.h"
#include "service/StProfile.h"

// tabletctl export and import: presets read from and written to the state
// file that every process serving the tablet shares, so no tabletd need
// run. An import is checked whole and stored as one change under the state
// file's lock: every process sees all of it at its next look, or nothing.
class CPresetCommand {
 public:
  CPresetCommand(std::FILE* out, std::FILE* err, StControlFiles files);

  // FILE "-" is standard output or input. Answers tabletctl's exit code.
  [[nodiscard]] int Export(const std::string& file);
  [[nodiscard]] int Import(const std::string& file);

 private:
  [[nodiscard]] bool ReadProfile(StProfile& profile);
  [[nodiscard]] int Fail(const std::string& what, int code);

  std::FILE* m_out;
  std::FILE* m_err;
  StControlFiles m_files;
};
