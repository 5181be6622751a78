#pragma once

// CRecordingDriverInterface: a driver interface for tests that records every
// request it is sent and either answers from its own table of values or hands
// the request on to another interface.
//
// Typical use, making it the process-wide interface that every CDataKey uses:
//
//   CRecordingDriverInterface* driver = CRecordingDriverInterface::Install();
//   driver->SetValue(MakePath({{2, 1}, {115}}), Bytes<std::uint16_t>(0x0812));
//   ... exercise the code ...
//   EXPECT_EQ(driver->GetRequests().size(), 1U);          // "exactly one request"
//   EXPECT_EQ(driver->CountRequests(kCommandSet), 0U);     // "sends nothing"
//   ReleaseDriverInterface();                              // or let the next Install replace it
//
// Answers of the built-in table (no wrapped interface):
//   - get (1) and get default (6): the stored bytes (current or default value)
//     are copied into the buffer; 261 when they do not fit the capacity;
//     512 for a path without a value (or 0x603 for a default never set).
//   - set (2): stores the buffer's `capacity` bytes as the current value; 0.
//   - create (3), remove (4) and others: 0.
//   - A status forced with FailWith() for (command, path) wins over all of it.
// Paths are the key levels up to (not including) the first code-0 entry.
//
// Wrapping: construct with another interface (e.g. a CWinDriverInterface or
// the service's) and every request is recorded, then forwarded unchanged;
// forced failures still apply and are answered without forwarding.

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "protocol/StObjectKey.h"
#include "services/CDriverInterface.h"

// One request as it reached the interface.
struct StRecordedRequest {
  std::uint32_t command = 0;
  std::vector<StObjectKey> levels;  // up to the first code 0
  std::uint32_t capacity = 0;       // the size argument
  std::vector<std::uint8_t> data;   // the buffer's bytes when sent (empty: no buffer)
  bool hadBuffer = false;
};

using KeyPath = std::vector<StObjectKey>;

class CRecordingDriverInterface : public CDriverInterface {
 public:
  // Answers from the built-in table.
  CRecordingDriverInterface() = default;
  // Records, then forwards to `inner`.
  explicit CRecordingDriverInterface(std::unique_ptr<CDriverInterface> inner)
      : m_inner(std::move(inner)) {}
  ~CRecordingDriverInterface() override = default;

  // Makes a table-answering recorder the process-wide driver interface and
  // returns it (owned by the process-wide getter; ReleaseDriverInterface deletes it).
  static CRecordingDriverInterface* Install();
  // The same, wrapping `inner`.
  static CRecordingDriverInterface* Install(std::unique_ptr<CDriverInterface> inner);

  Status SendRequest(std::uint32_t command, const StObjectKey* keys, std::uint32_t capacity,
                     void* buffer) override;
  Status GetAppletVersion(VersionRecord& out) override;
  Status Open() override { return m_openStatus; }

  // The table.
  void SetValue(const KeyPath& path, std::vector<std::uint8_t> bytes);
  void SetDefault(const KeyPath& path, std::vector<std::uint8_t> bytes);
  [[nodiscard]] const std::vector<std::uint8_t>* FindValue(const KeyPath& path) const;
  // Every later request `command` for `path` answers `status` (0 removes the rule).
  void FailWith(std::uint32_t command, const KeyPath& path, Status status);
  void SetOpenStatus(Status status) { m_openStatus = status; }

  // What was sent.
  [[nodiscard]] const std::vector<StRecordedRequest>& GetRequests() const { return m_requests; }
  [[nodiscard]] std::size_t CountRequests(std::uint32_t command) const;
  // The last level of every request of `command`, in the order sent.
  [[nodiscard]] std::vector<StObjectKey> LastLevels(std::uint32_t command) const;
  // The requests of one command, in the order they were sent.
  [[nodiscard]] std::vector<StRecordedRequest> RequestsOf(std::uint32_t command) const;
  void ClearRequests() { m_requests.clear(); }

 private:
  using PathKey = std::vector<std::uint64_t>;
  static PathKey MakePathKey(const KeyPath& path);

  std::unique_ptr<CDriverInterface> m_inner;
  std::map<PathKey, std::vector<std::uint8_t>> m_values;
  std::map<PathKey, std::vector<std::uint8_t>> m_defaults;
  std::map<std::pair<std::uint32_t, PathKey>, Status> m_failures;
  std::vector<StRecordedRequest> m_requests;
  Status m_openStatus = kStatusOk;
};

// The bytes of a little-endian value, for SetValue and comparisons.
template <typename T>
std::vector<std::uint8_t> Bytes(T value) {
  std::vector<std::uint8_t> bytes(sizeof(T));
  std::memcpy(bytes.data(), &value, sizeof(T));
  return bytes;
}

// Builds a key path from (code, index[, qualifier]) triples.
struct StLevel {
  std::uint16_t code = 0;
  std::uint32_t index = 0;
  std::uint32_t qualifier = 0;
};
[[nodiscard]] KeyPath MakePath(std::initializer_list<StLevel> levels);
