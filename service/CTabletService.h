#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "protocol/StDriverPacket.h"
#include "protocol/Status.h"
#include "service/CDriverModel.h"
#include "service/CStateStore.h"
#include "service/StProfile.h"

// The tablet driver stand-in: answers request packets against a driver model
// built from a profile, and keeps what clients set in a state file that other
// processes with a service share.
class CTabletService {
 public:
  // An empty state path keeps nothing across runs.
  explicit CTabletService(StProfile profile = MakeDefaultProfile(), std::filesystem::path statePath = {});
  ~CTabletService();
  CTabletService(const CTabletService&) = delete;
  CTabletService& operator=(const CTabletService&) = delete;

  // Reads the profile file (empty: the built-in default); `error` says what
  // is wrong when none is made.
  [[nodiscard]] static std::unique_ptr<CTabletService> FromFiles(const std::filesystem::path& profileFile,
                                                                 const std::filesystem::path& statePath,
                                                                 std::string& error);

  // Answers one packet: validated first (513 and nothing changed when it is
  // malformed); the reply never exceeds the capacity the caller gave. The low
  // 16 bits of the result are the status. A change is answered once it is
  // stored; 0x205 when it took effect but could not be stored.
  [[nodiscard]] std::uint32_t HandlePacket(StDriverPacket& packet);

  // Whether the packet would change what the state file keeps (sets,
  // creates and removes; not the pen's live records).
  [[nodiscard]] static bool ChangesState(const StDriverPacket& packet);
  // Answers a packet against the model alone: what the daemon does between
  // the store's Begin and Stage. Gets first take in other processes' changes
  // when a look is due.
  [[nodiscard]] std::uint32_t Answer(StDriverPacket& packet);

  [[nodiscard]] CDriverModel& Model() { return *m_model; }
  [[nodiscard]] CStateStore& State() { return m_state; }
  // Stores whatever an earlier failure left unstored.
  [[nodiscard]] Status SaveState();

  // How long a change waits for another process's write to end.
  static constexpr int kLockWaitMs = 2000;

 private:
  [[nodiscard]] Status Dispatch(StDriverPacket& packet);

  std::unique_ptr<CDriverModel> m_model;
  CStateStore m_state;
};
