#pragma once

#include "service/input/ILauncher.h"

// Starts a program as the service's own user, without a shell: the path is
// argv[0] and the only argument, so nothing in it is interpreted. The child
// is reaped by SIGCHLD being ignored by the caller or by Reap().
class CSpawnLauncher final : public ILauncher {
 public:
  void Launch(const std::string& path) override;
  // Collects children that have ended.
  static void Reap();
};
