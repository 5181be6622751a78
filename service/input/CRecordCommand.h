#pragma once

#include <cstdio>
#include <string>
#include <vector>

// `tabletctl record DEVICE [--reports N] [--seconds S]`: writes a device's
// events as a recording (docs/event-recordings.md) until N reports or S
// seconds have passed, or until interrupted. The device is not grabbed:
// the desktop keeps seeing it while it is recorded.
class CRecordCommand {
 public:
  CRecordCommand(std::FILE* out, std::FILE* err) : m_out(out), m_err(err) {}
  // `args` are the words after "record"; returns the exit status.
  int Run(const std::vector<std::string>& args);

 private:
  std::FILE* m_out;
  std::FILE* m_err;
};
