// State files are read back from disk, where anything may have happened to
// them: any text either restores what it can or is counted as damaged, never
// crashes, and what the model then holds writes out as a file that reads
// back whole.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/CDriverModel.h"
#include "service/CStateFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CStateFile::StParsed parsed = CStateFile::Parse(text);
  if (parsed.complete > text.size()) __builtin_trap();
  // A model is costly to build: only for text that restores something.
  if (parsed.content.values.empty() && parsed.content.applications.is_null()) return 0;
  CDriverModel model(MakeDefaultProfile());
  CStateFile::ApplyApplications(parsed.content.applications, model);
  CStateFile::ApplyValues(parsed.content.Ordered(), model);

  StStateContent written;
  written.Merge(CStateFile::Snapshot(model));
  const CStateFile::StParsed again = CStateFile::Parse(CStateFile::FormatBase(written));
  if (again.badLines != 0 || again.goodLines != 1 || again.content.values.size() != written.values.size())
    __builtin_trap();
  return 0;
}
