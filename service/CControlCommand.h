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

 private:
  [[nodiscard]] Status Send(std::uint32_t command, const std::vector<StObjectKey>& path,
                            std::vector<std::uint8_t>& data, std::uint32_t capacity);
  [[nodiscard]] int Finish(Status status, const std::string& what);
  [[nodiscard]] int Usage(const std::string& why);
  [[nodiscard]] bool ParsePath(const std::string& text, std::vector<StObjectKey>& path);
  [[nodiscard]] int Get(const std::string& pathText, std::uint32_t command);
  [[nodiscard]] int SetValue(const std::vector<StObjectKey>& path, const std::string& valueText);
  [[nodiscard]] int List();
  [[nodiscard]] int Pen(const std::vector<std::string>& args);
  [[nodiscard]] int Attach(const std::vector<std::string>& args, bool attach);
  [[nodiscard]] int Watch(const std::vector<std::string>& args);
  [[nodiscard]] std::uint64_t ReadNumber(const std::vector<StObjectKey>& path, Status& status);
  void Print(const std::vector<std::uint8_t>& bytes);

  CDaemonClient& m_client;
  std::FILE* m_out;
  std::FILE* m_err;
};
