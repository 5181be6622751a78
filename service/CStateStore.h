#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "protocol/Status.h"
#include "service/CDriverModel.h"
#include "service/CPrivateFolder.h"
#include "service/CStateFile.h"

// What one change writes: records appended to the state file, or the whole
// content into a new file that replaces it.
struct StStateWrite {
  std::string text;
  bool rewrite = false;
  bool refused = false;  // the store cannot keep anything now
  bool locked = false;
  std::uint64_t offset = 0;
  StStateRecord record;    // what the file holds besides the known content afterwards
  StStateContent content;  // the whole content, for a rewrite
  int newFd = -1;
  bool leftPart = false;  // a failed append could not be taken back
  Status status = kStatusOk;
  std::string error;
};

// Keeps the values clients set in one state file that any number of
// processes share: tabletd and every process with an embedded service. A
// change is made under the folder's lock after reading what the others
// wrote, and acknowledged once its record is on disk; so no acknowledged
// value is lost between writers, and each process reads the others'
// records within kLookInterval of asking.
class CStateStore {
 public:
  static constexpr std::chrono::milliseconds kLookInterval{250};

  explicit CStateStore(std::filesystem::path file);  // empty: keeps nothing
  ~CStateStore();
  CStateStore(const CStateStore&) = delete;
  CStateStore& operator=(const CStateStore&) = delete;

  // Reads what is stored into the model. A damaged file is renamed aside
  // (one line on stderr says so) and whatever could be read is kept.
  void Load(CDriverModel& model);

  // Applies again what is stored for tablet `number`: a tablet that came
  // after the load (a device plugged in) gets the settings kept for it.
  void ApplyTo(CDriverModel& model, std::uint32_t number);

  enum class Look : std::uint8_t { kIfDue, kNow };
  // Takes in what other processes stored since the last look.
  void Refresh(CDriverModel& model, Look when);

  // Starts a change: the lock, then everything stored so far. Busy when
  // another process keeps the lock longer than `waitMs`.
  [[nodiscard]] Status Begin(CDriverModel& model, int waitMs);
  // Between Begin and Write: what the model holds that the file does not.
  [[nodiscard]] StStateWrite Stage(const CDriverModel& model);
  // Writes and flushes the staged text and releases the lock. May run on
  // another thread, while nothing else calls this store.
  Status Write(StStateWrite& write);
  // Takes the outcome in (on the thread that calls everything else).
  void Finish(StStateWrite& write);
  // Ends a change begun with Begin without writing anything: the model
  // holds changes that must not be kept, and the caller drops it.
  void Cancel();

  // Begin, Stage, Write and Finish in one: kStatusNotSaved when a change
  // could not be kept.
  [[nodiscard]] Status Commit(CDriverModel& model, int waitMs);

 private:
  [[nodiscard]] bool OpenFolder();
  // Opens and reads the whole current file; false when it exists and cannot be read.
  [[nodiscard]] bool ReadWhole(CStateFile::StParsed& parsed, bool& exists);
  void ReadTail(CDriverModel& model);
  void Reload(CDriverModel& model);
  void Apply(const StStateContent& fresh, CDriverModel& model);
  void SetDamagedAside();
  void DropOrphans(StStateContent& content) const;
  void Refuse(const std::string& why);
  void Say(const std::string& text);
  void CloseFile();

  std::filesystem::path m_file;
  std::string m_name;
  CPrivateFolder m_folder;
  bool m_folderOpen = false;
  int m_fd = -1;
  ino_t m_inode = 0;
  dev_t m_device = 0;
  std::uint64_t m_offset = 0;    // end of the last whole line read or written
  std::uint64_t m_baseSize = 0;  // length of the file's first line
  StStateContent m_known;        // what the file holds, as far as this process read it
  bool m_needsRewrite = false;
  std::size_t m_damagedLines = 0;
  std::size_t m_goodLines = 0;
  bool m_locked = false;
  std::string m_refusal;   // why nothing can be kept now
  std::string m_lastSaid;  // each reason is said once
  std::chrono::steady_clock::time_point m_lastLook{};
};
