#include "service/CStateStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "service/CPathText.h"
#include "service/ServiceCodes.h"

namespace sc = service_codes;
using nlohmann::json;

namespace {

// Past this the file is written afresh instead of growing.
constexpr std::uint64_t kRewriteAt = 256 * 1024;

bool WriteAll(int fd, const std::string& text, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool ReadFrom(int fd, std::uint64_t offset, std::uint64_t end, std::string& out) {
  out.resize(end - offset);
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  out.resize(done);
  return true;
}

std::uint32_t Identifier(const json& app) {
  const std::string key = std::to_string(sc::kAppIdentifier);
  if (!app.contains(key)) return 0;
  const std::string hex = app.at(key).get<std::string>();
  std::uint32_t value = 0;
  for (std::size_t i = 0; i + 1 < hex.size() && i < 8; i += 2)
    value |= static_cast<std::uint32_t>(std::stoul(hex.substr(i, 2), nullptr, 16)) << (4 * i);
  return value;
}

}  // namespace

CStateStore::CStateStore(std::filesystem::path file) : m_file(std::move(file)), m_name(m_file.filename().string()) {}

CStateStore::~CStateStore() { CloseFile(); }

void CStateStore::CloseFile() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

void CStateStore::Say(const std::string& text) {
  if (text == m_lastSaid) return;
  m_lastSaid = text;
  std::fprintf(stderr, "tablet service: %s\n", text.c_str());
}

void CStateStore::Refuse(const std::string& why) {
  m_refusal = why + "; changes will not be kept";
  Say(m_refusal);
}

bool CStateStore::OpenFolder() {
  if (m_folderOpen) return true;
  std::filesystem::path folder = m_file.parent_path();
  if (folder.empty()) folder = ".";
  std::string error;
  if (!m_folder.Open(folder, error)) {
    Refuse("state folder refused: " + error);
    return false;
  }
  m_folderOpen = true;
  return true;
}

bool CStateStore::ReadWhole(CStateFile::StParsed& parsed, bool& exists) {
  CloseFile();
  exists = true;
  bool readOnly = false;
  int fd = ::openat(m_folder.Fd(), m_name.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    // Readable but not writable: kept by writing a new file in its place.
    fd = ::openat(m_folder.Fd(), m_name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    readOnly = fd >= 0;
  }
  if (fd < 0 && errno == ENOENT) {
    exists = false;
    m_needsRewrite = true;
    m_damagedLines = 0;
    m_goodLines = 0;
    m_refusal.clear();
    return true;
  }
  struct stat info {};
  std::string text;
  const bool read = fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                    ReadFrom(fd, 0, static_cast<std::uint64_t>(info.st_size), text);
  if (!read) {
    const std::string reason = fd < 0 ? std::strerror(errno) : "not a readable file";
    if (fd >= 0) ::close(fd);
    // Never replaced: what it holds may be all the user has.
    Refuse("state file " + m_file.string() + " cannot be read (" + reason + ")");
    return false;
  }
  m_fd = fd;
  m_inode = info.st_ino;
  m_device = info.st_dev;
  parsed = CStateFile::Parse(text);
  m_offset = parsed.complete;
  m_baseSize = std::min<std::uint64_t>(text.find('\n') + 1, text.size());
  // A first line without its line end cannot take records after it.
  const bool unended = !text.empty() && parsed.complete == text.size() && text.back() != '\n';
  m_needsRewrite = readOnly || parsed.wholeDocument || unended;
  m_damagedLines = parsed.badLines;
  m_goodLines = parsed.goodLines;
  m_refusal.clear();
  return true;
}

void CStateStore::Apply(const StStateContent& fresh, CDriverModel& model) {
  const bool rebuilt = CStateFile::ApplyApplications(fresh.applications, model);
  std::vector<const json*> changed;
  for (const json* entry : fresh.Ordered()) {
    const auto known = m_known.values.find(CStateFile::KeyOf(*entry));
    if (rebuilt || known == m_known.values.end() || known->second.entry != *entry) changed.push_back(entry);
  }
  if (!changed.empty()) CStateFile::ApplyValues(changed, model);
  m_known = fresh;
}

void CStateStore::Load(CDriverModel& model) {
  if (m_file.empty() || !OpenFolder()) return;
  CStateFile::StParsed parsed;
  bool exists = false;
  if (!ReadWhole(parsed, exists) || !exists) return;
  m_known = {};
  CStateFile::ApplyApplications(parsed.content.applications, model);
  CStateFile::ApplyValues(parsed.content.Ordered(), model);
  m_known = std::move(parsed.content);
  m_lastLook = std::chrono::steady_clock::now();
  // What could be read is written again at once, so it outlives the damaged copy.
  if (m_damagedLines > 0) DropStatus(Commit(model, 2000), "the damage was reported; a failed write says why itself");
}

void CStateStore::ApplyTo(CDriverModel& model, std::uint32_t number) {
  std::vector<const json*> entries;
  for (const json* entry : m_known.Ordered())
    if (entry->contains("tablet") && entry->at("tablet").get<std::uint32_t>() == number) entries.push_back(entry);
  if (!entries.empty()) CStateFile::ApplyValues(entries, model);
}

void CStateStore::Reload(CDriverModel& model) {
  CStateFile::StParsed parsed;
  bool exists = false;
  if (!ReadWhole(parsed, exists)) return;
  if (exists) Apply(parsed.content, model);
}

void CStateStore::ReadTail(CDriverModel& model) {
  struct stat info {};
  if (::fstat(m_fd, &info) != 0 || static_cast<std::uint64_t>(info.st_size) <= m_offset) return;
  std::string text;
  if (!ReadFrom(m_fd, m_offset, static_cast<std::uint64_t>(info.st_size), text)) return;
  std::size_t start = 0;
  bool rebuilt = false;
  std::vector<StStateRecord> records;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    StStateRecord record;
    if (CStateFile::ParseLine(std::string_view(text).substr(start, end - start), false, record)) {
      rebuilt = CStateFile::ApplyApplications(record.applications, model) || rebuilt;
      m_known.Merge(record);
      records.push_back(std::move(record));
      ++m_goodLines;
    } else {
      ++m_damagedLines;
    }
    start = end + 1;
  }
  m_offset += start;
  if (rebuilt) {
    CStateFile::ApplyValues(m_known.Ordered(), model);
    return;
  }
  std::vector<const json*> entries;
  for (const StStateRecord& record : records)
    for (const json& entry : record.values) entries.push_back(&entry);
  if (!entries.empty()) CStateFile::ApplyValues(entries, model);
}

void CStateStore::Refresh(CDriverModel& model, Look when) {
  if (m_file.empty()) return;
  const auto now = std::chrono::steady_clock::now();
  if (when == Look::kIfDue && now - m_lastLook < kLookInterval) return;
  m_lastLook = now;
  if (!OpenFolder()) return;
  struct stat info {};
  if (::fstatat(m_folder.Fd(), m_name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    // Gone: what this process knows is written anew with the next change.
    CloseFile();
    m_needsRewrite = true;
    return;
  }
  if (m_fd < 0 || !m_refusal.empty() || info.st_ino != m_inode || info.st_dev != m_device) {
    Reload(model);
    return;
  }
  ReadTail(model);
}

Status CStateStore::Begin(CDriverModel& model, int waitMs) {
  if (m_file.empty() || !OpenFolder()) return kStatusOk;
  if (!m_folder.Lock(waitMs)) return kStatusServiceBusy;
  m_locked = true;
  Refresh(model, Look::kNow);
  if (m_damagedLines > 0 && m_fd >= 0) SetDamagedAside();
  return kStatusOk;
}

void CStateStore::SetDamagedAside() {
  const std::size_t bad = m_damagedLines;
  const std::size_t good = m_goodLines;
  m_damagedLines = 0;
  m_goodLines = 0;
  struct stat now {};
  if (::fstatat(m_folder.Fd(), m_name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_ino != m_inode) return;
  const std::string aside = m_folder.SetAside(m_name);
  CloseFile();
  m_needsRewrite = true;
  const std::string kept = aside.empty() ? "could not be kept aside" : "is kept as " + (m_folder.Path() / aside).string();
  Say("state file " + m_file.string() + " is damaged (" + std::to_string(bad) + " bad line" + (bad == 1 ? "" : "s") +
      "); " + (good > 0 ? "partly restored" : "defaults used") + "; the damaged file " + kept);
}

void CStateStore::DropOrphans(StStateContent& content) const {
  if (!content.applications.is_array()) return;
  std::set<std::uint32_t> identifiers;
  for (const json& app : content.applications) identifiers.insert(Identifier(app));
  std::erase_if(content.values, [&](const std::pair<const std::string, StStateContent::StEntry>& item) {
    std::string error;
    const auto path = CPathText::Parse(item.second.entry.at("path").get<std::string>(), error);
    if (!path || path->empty()) return false;
    const StObjectKey& first = path->front();
    // A function set of an application that is gone went with it.
    return first.qualifier == sc::kByIdentifier &&
           (first.code == sc::kFunctionArea || first.code == sc::kFunctionSet) && !identifiers.contains(first.index);
  });
}

StStateWrite CStateStore::Stage(const CDriverModel& model) {
  StStateWrite write;
  write.locked = m_locked;
  m_locked = false;
  if (m_file.empty()) return write;
  if (!m_refusal.empty() || !m_folderOpen) {
    write.refused = true;
    write.error = m_refusal;
    return write;
  }
  StStateRecord now = CStateFile::Snapshot(model);
  if (now.applications == m_known.applications) now.applications = nullptr;
  std::erase_if(now.values, [&](const json& entry) {
    const auto known = m_known.values.find(CStateFile::KeyOf(entry));
    return known != m_known.values.end() && known->second.entry == entry;
  });
  const bool changed = !now.applications.is_null() || !now.values.empty();
  const bool knowsSomething = m_fd >= 0 || !m_known.values.empty() || !m_known.applications.is_null();
  if (!changed && !(m_needsRewrite && knowsSomething)) return write;
  write.record = std::move(now);
  const std::string record = CStateFile::FormatRecord(write.record);
  if (m_needsRewrite || m_fd < 0 || m_offset + record.size() > std::max(kRewriteAt, 4 * m_baseSize)) {
    write.content = m_known;
    write.content.Merge(write.record);
    DropOrphans(write.content);
    write.text = CStateFile::FormatBase(write.content);
    write.rewrite = true;
  } else {
    write.text = record;
    write.offset = m_offset;
  }
  return write;
}

Status CStateStore::Write(StStateWrite& write) {
  if (write.refused) {
    write.status = kStatusNotSaved;
  } else if (write.rewrite) {
    m_folder.RemoveTemporaries(m_name);
    std::string temporary;
    const int fd = m_folder.CreateTemporary(m_name, temporary);
    const bool ok = fd >= 0 && WriteAll(fd, write.text, 0) && ::fsync(fd) == 0 && m_folder.Replace(temporary, m_name);
    if (ok) {
      write.newFd = fd;
    } else {
      write.error = "cannot write state file " + m_file.string() + " (" + std::strerror(errno) + ")";
      if (fd >= 0) ::close(fd);
      if (!temporary.empty()) ::unlinkat(m_folder.Fd(), temporary.c_str(), 0);
      write.status = kStatusNotSaved;
    }
  } else if (!write.text.empty()) {
    // Anything past the last whole line is a record whose writer died before answering.
    struct stat info {};
    const bool ok = ::fstat(m_fd, &info) == 0 &&
                    (static_cast<std::uint64_t>(info.st_size) == write.offset ||
                     ::ftruncate(m_fd, static_cast<off_t>(write.offset)) == 0) &&
                    WriteAll(m_fd, write.text, write.offset) && ::fdatasync(m_fd) == 0;
    if (!ok) {
      write.error = "cannot write state file " + m_file.string() + " (" + std::strerror(errno) + ")";
      write.leftPart = ::ftruncate(m_fd, static_cast<off_t>(write.offset)) != 0;
      write.status = kStatusNotSaved;
    }
  }
  if (write.locked) m_folder.Unlock();
  write.locked = false;
  return write.status;
}

void CStateStore::Finish(StStateWrite& write) {
  if (write.status != kStatusOk) {
    m_needsRewrite = m_needsRewrite || write.leftPart;
    Say(write.error.empty() ? "cannot write state file " + m_file.string() : write.error);
    return;
  }
  if (write.text.empty()) return;
  m_lastSaid.clear();  // a later failure is news again
  if (write.rewrite) {
    CloseFile();
    m_fd = write.newFd;
    struct stat info {};
    if (::fstat(m_fd, &info) == 0) {
      m_inode = info.st_ino;
      m_device = info.st_dev;
    }
    m_offset = write.text.size();
    m_baseSize = write.text.size();
    m_known = std::move(write.content);
    m_needsRewrite = false;
    return;
  }
  m_offset += write.text.size();
  m_known.Merge(write.record);
}

void CStateStore::Cancel() {
  if (m_locked) m_folder.Unlock();
  m_locked = false;
}

Status CStateStore::Commit(CDriverModel& model, int waitMs) {
  KELVO_TRY(Begin(model, waitMs));
  StStateWrite write = Stage(model);
  const Status status = Write(write);
  Finish(write);
  return status;
}
