#pragma once

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "protocol/StDriverPacket.h"
#include "service/CDaemonClient.h"
#include "service/CProfileReader.h"
#include "service/CTabletService.h"

#include <sys/wait.h>

namespace service_test {

inline StObjectKey L(std::uint16_t code, std::uint32_t index = 0, std::uint32_t qualifier = 0) {
  return {qualifier, code, index};
}

// One request as the applet's driver interface sends it, through any front end.
template <typename TFrontEnd>
std::uint32_t Request(TFrontEnd& front, std::uint32_t command, std::vector<StObjectKey> keys,
                      std::vector<std::uint8_t>& data) {
  keys.push_back({});
  StDriverPacket packet;
  DropStatus(
      packet.Make(static_cast<std::uint32_t>(data.size()), data.empty() ? nullptr : data.data()),
      "a packet on the stack is always made");
  DropStatus(packet.FillRequest(command, keys.data(), 0, nullptr, kRequestModeApplet),
             "no data to overflow");
  packet.dataLength = static_cast<std::uint32_t>(data.size());
  std::uint32_t status = 0;
  if constexpr (std::is_same_v<TFrontEnd, CDaemonClient>)
    status = front.Exchange(packet);
  else
    status = front.HandlePacket(packet);
  data.resize(packet.dataLength);
  return status;
}

// The value of type T at `path`, or nothing when the get fails.
template <typename T>
std::optional<T> Get(auto& front, const std::vector<StObjectKey>& path) {
  std::vector<std::uint8_t> data(sizeof(T), 0);
  if (Request(front, kCommandGet, path, data) != kStatusOk || data.size() != sizeof(T))
    return std::nullopt;
  T value;
  std::memcpy(&value, data.data(), sizeof(T));
  return value;
}

template <typename T>
std::uint32_t Set(auto& front, const std::vector<StObjectKey>& path, const T& value) {
  std::vector<std::uint8_t> data(sizeof(T));
  std::memcpy(data.data(), &value, sizeof(T));
  return Request(front, kCommandSet, path, data);
}

inline std::optional<std::uint32_t> GetU32(auto& front, const std::vector<StObjectKey>& path) {
  return Get<std::uint32_t>(front, path);
}
inline std::uint32_t SetU32(auto& front, const std::vector<StObjectKey>& path,
                            std::uint32_t value) {
  return Set(front, path, value);
}

// A profile of service/profiles.
inline StProfile ShippedProfile(const char* file) {
  StProfile profile;
  std::string error;
  const auto path = std::filesystem::path(KELVO_SOURCE_DIR) / "service/profiles" / file;
  EXPECT_TRUE(CProfileReader::ReadFile(path, profile, error)) << error;
  return profile;
}

// A function code of a button: 4 bytes a client may set to any number.
inline std::vector<StObjectKey> Button(std::uint32_t tool, std::uint32_t button) {
  return {L(2), L(4, tool), L(11, button), L(41)};
}

// Someone else on this machine: "nobody" when the tests run as root.
struct StOtherUser {
  uid_t uid = 0;
  gid_t gid = 0;
};
inline std::optional<StOtherUser> OtherUser() {
  if (::geteuid() != 0) return std::nullopt;
  const passwd* user = ::getpwnam("nobody");
  if (user == nullptr) return std::nullopt;
  return StOtherUser{user->pw_uid, user->pw_gid};
}

// Runs `body` in a child where file modes bind: as "nobody" when the tests
// run as root (after giving it `folder`), else as this user. Answers the
// child's exit code, or -1.
inline int RunWhereModesBind(const std::string& folder, const std::function<int()>& body) {
  const auto other = OtherUser();
  if (other ? ::chown(folder.c_str(), other->uid, other->gid) != 0 : ::geteuid() == 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    if (other &&
        (::setgroups(0, nullptr) != 0 || ::setgid(other->gid) != 0 || ::setuid(other->uid) != 0))
      ::_exit(100);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// tabletd of this build serving `socket`, its values in `state`. With
// `wait`, answers once a connection is taken (not when the socket file
// appears: a daemon binds before it listens).
inline pid_t StartTabletd(const std::filesystem::path& socket, const std::filesystem::path& state,
                          bool wait = true) {
  const char* bin = std::getenv("KELVO_BUILD_BIN");
  const std::string tabletd = std::string(bin != nullptr ? bin : ".") + "/tabletd";
  const pid_t daemon = ::fork();
  if (daemon == 0) {
    ::execl(tabletd.c_str(), "tabletd", "--socket", socket.c_str(), "--state", state.c_str(),
            nullptr);
    ::_exit(127);
  }
  for (int i = 0; wait && i < 1000; ++i) {
    CDaemonClient probe(socket, 100);
    if (probe.Connect()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return daemon;
}

// Sends `signal` to `process`, waits for it, and answers its wait status.
inline int StopProcess(pid_t& process, int signal) {
  int status = -1;
  if (process > 0 && ::kill(process, signal) == 0) ::waitpid(process, &status, 0);
  process = -1;
  return status;
}

}  // namespace service_test
