#pragma once

#include <filesystem>
#include <string>

// Where the service's socket and state file live when nothing is given, and
// the checks that keep another user from standing in for the service.
class CServicePaths {
 public:
  // $KELVO_SERVICE_SOCKET, else $XDG_RUNTIME_DIR/kelvo-tablet.sock, else
  // /tmp/kelvo-$UID/kelvo-tablet.sock.
  [[nodiscard]] static std::filesystem::path Socket();
  // $KELVO_STATE, else $XDG_STATE_HOME/kelvo/state.json, else
  // ~/.local/state/kelvo/state.json with ~ from $HOME or the user database;
  // empty when the user has no home (nothing is kept then).
  [[nodiscard]] static std::filesystem::path State();
  // Makes the private directory the default socket lives in (mode 0700).
  [[nodiscard]] static bool PrepareSocketDirectory(const std::filesystem::path& socket);
  // What tabletd and every client check before they use a socket: its
  // folder belongs to this user and nobody else may change it (nobody else
  // may enter the /tmp one), and a socket file there is this user's.
  [[nodiscard]] static bool CheckSocket(const std::filesystem::path& socket, std::string& error);
};
