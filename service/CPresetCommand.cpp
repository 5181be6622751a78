#include "service/CPresetCommand.h"

#include <cerrno>
#include <cstring>

#include "service/CDriverModel.h"
#include "service/CPresetFile.h"
#include "service/CProfileReader.h"
#include "service/CStateStore.h"
#include "service/CTabletService.h"
#include "service/StatusText.h"

using nlohmann::json;

namespace {

bool ReadAll(std::FILE* from, std::string& out) {
  char chunk[16384];
  for (std::size_t n = 0; (n = std::fread(chunk, 1, sizeof chunk, from)) > 0;) out.append(chunk, n);
  return std::ferror(from) == 0;
}

}  // namespace

CPresetCommand::CPresetCommand(std::FILE* out, std::FILE* err, StControlFiles files)
    : m_out(out), m_err(err), m_files(std::move(files)) {}

int CPresetCommand::Fail(const std::string& what, int code) {
  std::fprintf(m_err, "tabletctl: %s\n", what.c_str());
  return code;
}

bool CPresetCommand::ReadProfile(StProfile& profile) {
  profile = MakeDefaultProfile();
  std::string error;
  if (m_files.profile.empty() || CProfileReader::ReadFile(m_files.profile, profile, error)) return true;
  std::fprintf(m_err, "tabletctl: %s\n", error.c_str());
  return false;
}

int CPresetCommand::Export(const std::string& file) {
  StProfile profile;
  if (!ReadProfile(profile)) return CControlCommand::kExitUsage;
  CDriverModel model(std::move(profile));
  CStateStore store(m_files.state);
  store.Load(model);
  const nlohmann::ordered_json preset = CPresetFile::Export(model);
  const std::string text = preset.dump(2) + "\n";
  if (file == "-") {
    std::fputs(text.c_str(), m_out);
    return CControlCommand::kExitDone;
  }
  std::FILE* stream = std::fopen(file.c_str(), "wb");
  const bool written = stream != nullptr && std::fwrite(text.data(), 1, text.size(), stream) == text.size();
  const int error = errno;
  if ((stream != nullptr && std::fclose(stream) != 0) || !written)
    return Fail(file + ": cannot be written (" + std::strerror(written ? errno : error) + ")",
                CControlCommand::kExitPreset);
  std::fprintf(m_out, "exported %zu value%s to %s\n", preset.at("values").size(),
               preset.at("values").size() == 1 ? "" : "s", file.c_str());
  return CControlCommand::kExitDone;
}

int CPresetCommand::Import(const std::string& file) {
  std::string text;
  std::FILE* stream = file == "-" ? stdin : std::fopen(file.c_str(), "rb");
  const bool read = stream != nullptr && ReadAll(stream, text);
  const int error = errno;
  if (stream != nullptr && stream != stdin) std::fclose(stream);
  if (!read) return Fail(file + ": cannot be read (" + std::strerror(error) + ")", CControlCommand::kExitPreset);
  const json preset = json::parse(text, nullptr, false);
  if (preset.is_discarded()) return Fail(file + ": not a JSON document; nothing was imported", CControlCommand::kExitPreset);
  if (m_files.state.empty())
    return Fail("no state file to import into (no home folder; give --state FILE)", CControlCommand::kExitPreset);

  StProfile profile;
  if (!ReadProfile(profile)) return CControlCommand::kExitUsage;
  CDriverModel model(std::move(profile));
  CStateStore store(m_files.state);
  store.Load(model);
  // Under the lock the model takes in what others stored, then the whole preset.
  if (store.Begin(model, CTabletService::kLockWaitMs) != kStatusOk)
    return Fail(m_files.state.string() + " is kept busy by another process; nothing was imported",
                CControlCommand::kExitNoService);
  std::vector<std::string> problems;
  if (!CPresetFile::Apply(preset, model, problems)) {
    store.Cancel();
    for (const std::string& problem : problems) std::fprintf(m_err, "tabletctl: %s: %s\n", file.c_str(), problem.c_str());
    return Fail(file + ": nothing was imported", CControlCommand::kExitPreset);
  }
  StStateWrite write = store.Stage(model);
  const Status stored = store.Write(write);
  store.Finish(write);
  if (stored != kStatusOk)
    return Fail(file + ": the values could not be stored in " + m_files.state.string() + " (" +
                    DescribeStatus(stored) + ")",
                CControlCommand::kExitRefused);
  std::fprintf(m_out, "imported %zu value%s from %s\n", preset.at("values").size(),
               preset.at("values").size() == 1 ? "" : "s", file.c_str());
  return CControlCommand::kExitDone;
}
