#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "protocol/StObjectKey.h"
#include "protocol/Status.h"
#include "service/CDaemonClient.h"
#include "service/CValueText.h"

// The files the service keeps, for the commands that work on them directly
// (export and import need no running tabletd).
struct StControlFiles {
  std::filesystem::path profile;  // empty: the built-in virtual tablet
  std::filesystem::path state;
};

// One tabletctl command, most of them against a running tabletd. A value is
// named by its path or by a setting's name (`tabletctl names`).
class CControlCommand {
 public:
  // Exit codes, as the manual page lists them.
  static constexpr int kExitDone = 0;
  static constexpr int kExitRefused = 1;    // the service refused (its status is printed)
  static constexpr int kExitUsage = 2;      // bad usage, path, name or value
  static constexpr int kExitNoService = 3;  // no tabletd, or one that cannot be trusted or is busy
  static constexpr int kExitPreset = 4;     // a preset could not be read, written or applied

  CControlCommand(CDaemonClient& client, std::FILE* out, std::FILE* err, StControlFiles files = {});
  [[nodiscard]] int Run(const std::vector<std::string>& args);

  // What the commands in their own classes build on.
  [[nodiscard]] Status Send(std::uint32_t command, const std::vector<StObjectKey>& path,
                            std::vector<std::uint8_t>& data, std::uint32_t capacity);
  // The exit code for a status, with what went wrong on stderr.
  [[nodiscard]] int Finish(Status status, const std::string& what);
  [[nodiscard]] std::uint64_t ReadNumber(const std::vector<StObjectKey>& path, Status& status);
  // The one line that says what is wrong with the command line; the exit code.
  [[nodiscard]] int Usage(const std::string& why);
  // Sets a value as typed (a number, text:WORDS or hex:BYTES, or in a named
  // setting's own form), sized as the driver sizes it.
  [[nodiscard]] int SetValue(const std::vector<StObjectKey>& path, const std::string& valueText,
                             const StValueType* type = nullptr);
  [[nodiscard]] CDaemonClient& Client() { return m_client; }
  [[nodiscard]] std::FILE* Out() const { return m_out; }
  [[nodiscard]] std::FILE* Err() const { return m_err; }

 private:
  struct StCommand {
    const char* name;
    std::size_t least;  // arguments after the name
    std::size_t most;
    const char* arguments;  // what the one-line complaint says it takes
    int (CControlCommand::*run)(const std::vector<std::string>& args);
  };
  static const StCommand kCommands[];

  [[nodiscard]] int ListCommand(const std::vector<std::string>& args);
  [[nodiscard]] int NamesCommand(const std::vector<std::string>& args);
  [[nodiscard]] int GetCommand(const std::vector<std::string>& args);
  [[nodiscard]] int SetCommand(const std::vector<std::string>& args);
  [[nodiscard]] int CreateCommand(const std::vector<std::string>& args);
  [[nodiscard]] int RemoveCommand(const std::vector<std::string>& args);
  [[nodiscard]] int AttachCommand(const std::vector<std::string>& args);
  [[nodiscard]] int DetachCommand(const std::vector<std::string>& args);
  [[nodiscard]] int ExportCommand(const std::vector<std::string>& args);
  [[nodiscard]] int ImportCommand(const std::vector<std::string>& args);
  [[nodiscard]] int StatusCommand(const std::vector<std::string>& args);
  // A path text or a setting's name; `type` (may be null) gets how the
  // setting's value reads, or null for a path. 0, or the exit code once it
  // has said why.
  [[nodiscard]] int ParseTarget(const std::string& text, std::vector<StObjectKey>& path, const StValueType** type);
  [[nodiscard]] bool ParsePath(const std::string& text, std::vector<StObjectKey>& path);
  [[nodiscard]] int Get(const std::string& target, std::uint32_t command);
  [[nodiscard]] int Pen(const std::vector<std::string>& args);
  [[nodiscard]] int Attach(const std::vector<std::string>& args, bool attach);
  [[nodiscard]] int Watch(const std::vector<std::string>& args);
  void Print(const std::vector<std::uint8_t>& bytes);

  CDaemonClient& m_client;
  std::FILE* m_out;
  std::FILE* m_err;
  StControlFiles m_files;
};
