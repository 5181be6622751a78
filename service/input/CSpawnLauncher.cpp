#include "service/input/CSpawnLauncher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>

extern char** environ;

void CSpawnLauncher::Launch(const std::string& path) {
  if (path.empty()) return;
  std::string program = path;
  char* const argv[] = {program.data(), nullptr};
  pid_t pid = 0;
  const int error = posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ);
  if (error != 0) std::fprintf(stderr, "tabletd: cannot start %s: %s\n", path.c_str(), std::strerror(error));
  Reap();
}

void CSpawnLauncher::Reap() {
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
}
