#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "protocol/StDriverPacket.h"
#include "protocol/Status.h"
#include "service/CDriverModel.h"
#include "service/StProfile.h"

// The tablet driver stand-in: answers request packets against a driver model
// built from a profile, and keeps what clients set in a state file.
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
  // 16 bits of the result are the status.
  [[nodiscard]] std::uint32_t HandlePacket(StDriverPacket& packet);

  [[nodiscard]] CDriverModel& Model() { return *m_model; }
  // Writes the state file now if anything changed since the last save.
  [[nodiscard]] Status SaveState();

 private:
  [[nodiscard]] Status Dispatch(StDriverPacket& packet);

  std::unique_ptr<CDriverModel> m_model;
  std::filesystem::path m_statePath;
  std::uint64_t m_savedGeneration = 0;
};
