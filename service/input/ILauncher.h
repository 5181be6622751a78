#pragma once

#include <string>

// Starts the program a run-application button names.
class ILauncher {
 public:
  virtual ~ILauncher() = default;
  // `path` is one program path; it is never split into arguments or given to a shell.
  virtual void Launch(const std::string& path) = 0;
};
