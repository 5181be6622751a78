#pragma once

#include <filesystem>

// Where the service's socket and state file live when nothing is given.
class CServicePaths {
 public:
  // $KELVO_SERVICE_SOCKET, else $XDG_RUNTIME_DIR/kelvo-tablet.sock, else
  // /tmp/kelvo-$UID/kelvo-tablet.sock.
  [[nodiscard]] static std::filesystem::path Socket();
  // $KELVO_STATE, else $XDG_STATE_HOME/kelvo/state.json (~/.local/state when unset).
  [[nodiscard]] static std::filesystem::path State();
  // Makes the private directory the default socket lives in (mode 0700).
  [[nodiscard]] static bool PrepareSocketDirectory(const std::filesystem::path& socket);
};
