#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "protocol/StObjectKey.h"
#include "protocol/Status.h"
#include "service/CDaemonClient.h"

// One tabletctl command against a running tabletd. Exit codes: 0 done,
// 1 the daemon refused (its status is printed), 2 bad usage, path or value,
// 3 no daemon.
class CControlCommand {
 public:
  CControlCommand(CDaemonClient& client, std::FILE* out, std::FILE* err);
  [[nodiscard]] int Run(const std::vector<std::string>& args);

  // What the pen and watch commands build on.
  [[nodiscard]] Status Send(std::uint32_t command, const std::vector<StObjectKey>& path,
                            std::vector<std::uint8_t>& data, std::uint32_t capacity);
  // The exit code for a status, with what went wrong on stderr.
  [[nodiscard]] int Finish(Status status, const std::string& what);
  [[nodiscard]] int Usage(const std::string& why);
  // Sets a value as typed (a number, text:WORDS or hex:BYTES), sized as the driver sizes it.
  [[nodiscard]] int SetValue(const std::vector<StObjectKey>& path, const std::string& valueText);
  [[nodiscard]] std::uint64_t ReadNumber(const std::vector<StObjectKey>& path, Status& status);
  [[nodiscard]] CDaemonClient& Client() { return m_client; }
  [[nodiscard]] std::FILE* Out() const { return m_out; }
  [[nodiscard]] std::FILE* Err() const { return m_err; }

 private:
  [[nodiscard]] bool ParsePath(const std::string& text, std::vector<StObjectKey>& path);
  [[nodiscard]] int Get(const std::string& pathText, std::uint32_t command);
  [[nodiscard]] int List();
  [[nodiscard]] int Attach(const std::vector<std::string>& args, bool attach);
  [[nodiscard]] int Watch(const std::vector<std::string>& args);
  void Print(const std::vector<std::uint8_t>& bytes);

  CDaemonClient& m_client;
  std::FILE* m_out;
  std::FILE* m_err;
};
