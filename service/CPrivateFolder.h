#pragma once

#include <filesystem>
#include <string>

// A folder that only this user can change, opened once. Files in it are
// made, replaced and locked relative to that handle, so a path swapped
// underneath cannot redirect a write, and a name planted by someone else
// is never followed.
class CPrivateFolder {
 public:
  // Which mode bits of the folder itself may be set besides the owner's.
  enum class Others : unsigned { kMayRead = 022, kNone = 077 };

  CPrivateFolder() = default;
  ~CPrivateFolder();
  CPrivateFolder(const CPrivateFolder&) = delete;
  CPrivateFolder& operator=(const CPrivateFolder&) = delete;

  // Makes what is missing (mode 0700) and opens the folder; false with
  // `error` set when it, or a folder above it, could be changed by another user.
  [[nodiscard]] bool Open(const std::filesystem::path& folder, std::string& error);
  // The same checks without making or opening anything.
  [[nodiscard]] static bool IsPrivate(const std::filesystem::path& folder, Others others, std::string& error);

  [[nodiscard]] int Fd() const { return m_fd; }
  [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }

  // A new file, mode 0600, whose name nobody else can have chosen; -1 on failure.
  [[nodiscard]] int CreateTemporary(const std::string& stem, std::string& name);
  // Renames `from` over `to` and makes the rename durable.
  [[nodiscard]] bool Replace(const std::string& from, const std::string& to);
  // Renames `name` to `name.damaged.N` with the first N not taken, so every
  // damaged copy is kept; answers the new name, or empty.
  [[nodiscard]] std::string SetAside(const std::string& name);
  // Removes temporary files a writer that died left behind (under the lock only).
  void RemoveTemporaries(const std::string& stem);

  // One writer at a time across processes. Waits up to `waitMs`.
  [[nodiscard]] bool Lock(int waitMs);
  void Unlock();

 private:
  int m_fd = -1;
  std::filesystem::path m_path;
};
