#pragma once

// CRecordingDriverInterface: the one driver interface of the tests. It records
// every request it is sent and answers it in one of two ways:
//   - from its own table of values (default constructor): get (1) and get
//     default (6) copy the stored bytes (261 when they do not fit, 512 for a
//     path without a value, 0x603 for a default never set); set (2) stores the
//     buffer's `capacity` bytes; create, remove and others answer 0;
//   - by handing it to a tablet service in this process, packed as the Wintab
//     library packs it (constructed with a service).
// A status forced with FailWith() for (command, path) wins over all of these;
// an empty path forces it for every path. Paths are the key levels up to (not
// including) the first code-0 entry.
//
//   CRecordingDriverInterface* driver = CRecordingDriverInterface::Install();
//   driver->Put<std::uint16_t>(key, 0x0812);
//   ... exercise the code ...
//   EXPECT_EQ(driver->CountRequests(kCommandSet), 0U);     // "sends nothing"
//   ReleaseDriverInterface();

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "driver/CDataKey.h"
#include "protocol/StObjectKey.h"
#include "service/CTabletService.h"
#include "services/CDriverInterface.h"

// One request as it reached the interface.
struct StRecordedRequest {
  std::uint32_t command = 0;
  std::vector<StObjectKey> levels;  // up to the first code 0
  std::uint32_t capacity = 0;       // the size argument
  std::vector<std::uint8_t> data;   // the buffer's bytes when sent (empty: no buffer)
};

using KeyPath = std::vector<StObjectKey>;

// The bytes of a little-endian value.
template <typename T>
std::vector<std::uint8_t> Bytes(T value) {
  std::vector<std::uint8_t> bytes(sizeof(T));
  std::memcpy(bytes.data(), &value, sizeof(T));
  return bytes;
}

// Builds a key path from (code, index[, qualifier]) triples, or from a data key.
struct StLevel {
  std::uint16_t code = 0;
  std::uint32_t index = 0;
  std::uint32_t qualifier = 0;
};
[[nodiscard]] KeyPath MakePath(std::initializer_list<StLevel> levels);
[[nodiscard]] KeyPath PathOf(const CDataKey& key);

class CRecordingDriverInterface : public CDriverInterface {
 public:
  CRecordingDriverInterface() = default;
  // Borrows `service`, which must outlive this interface.
  explicit CRecordingDriverInterface(CTabletService& service) : m_service(&service) {}
  explicit CRecordingDriverInterface(std::unique_ptr<CTabletService> service)
      : m_ownedService(std::move(service)), m_service(m_ownedService.get()) {}
  ~CRecordingDriverInterface() override = default;

  // Makes a new recorder the process-wide driver interface and returns it
  // (owned by the process-wide getter; ReleaseDriverInterface deletes it).
  static CRecordingDriverInterface* Install();
  static CRecordingDriverInterface* Install(CTabletService& service);

  Status SendRequest(std::uint32_t command, const StObjectKey* keys, std::uint32_t capacity,
                     void* buffer) override;
  Status GetAppletVersion(VersionRecord& out) override;
  Status Open() override { return m_openStatus; }
  void SetOpenStatus(Status status) { m_openStatus = status; }
  [[nodiscard]] CTabletService& Service() { return *m_service; }

  // The table.
  void SetValue(const KeyPath& path, std::vector<std::uint8_t> bytes);
  void SetDefault(const KeyPath& path, std::vector<std::uint8_t> bytes);
  [[nodiscard]] const std::vector<std::uint8_t>* FindValue(const KeyPath& path) const;
  void Put(const CDataKey& key, std::vector<std::uint8_t> bytes) { SetValue(PathOf(key), std::move(bytes)); }
  void PutDefault(const CDataKey& key, std::vector<std::uint8_t> bytes) {
    SetDefault(PathOf(key), std::move(bytes));
  }
  template <typename T>
  void Put(const CDataKey& key, T value) {
    Put(key, Bytes(value));
  }
  template <typename T>
  void PutDefault(const CDataKey& key, T value) {
    PutDefault(key, Bytes(value));
  }
  [[nodiscard]] std::vector<std::uint8_t> Value(const CDataKey& key) const {
    const auto* bytes = FindValue(PathOf(key));
    return bytes != nullptr ? *bytes : std::vector<std::uint8_t>{};
  }
  // The stored value of the key read as a T (zero when there is none).
  template <typename T>
  [[nodiscard]] T Peek(const CDataKey& key) const {
    T value{};
    if (const auto* bytes = FindValue(PathOf(key)))
      std::memcpy(&value, bytes->data(), std::min(sizeof(T), bytes->size()));
    return value;
  }

  // Every later request `command` for `path` (every path when empty) answers
  // `status`; 0 removes the rule.
  void FailWith(std::uint32_t command, const KeyPath& path, Status status);
  void FailWith(std::uint32_t command, const CDataKey& key, Status status) {
    FailWith(command, PathOf(key), status);
  }
  void ClearFailures() { m_failures.clear(); }

  // What was sent.
  [[nodiscard]] const std::vector<StRecordedRequest>& GetRequests() const { return m_requests; }
  [[nodiscard]] std::size_t CountRequests(std::uint32_t command) const;
  [[nodiscard]] std::size_t CountRequests(std::uint32_t command, const KeyPath& path) const;
  // The last level of every request of `command`, in the order sent.
  [[nodiscard]] std::vector<StObjectKey> LastLevels(std::uint32_t command) const;
  // The requests of one command, in the order they were sent.
  [[nodiscard]] std::vector<StRecordedRequest> RequestsOf(std::uint32_t command) const;
  void ClearRequests() { m_requests.clear(); }

 private:
  using PathKey = std::vector<std::uint64_t>;
  static PathKey MakePathKey(const KeyPath& path);
  Status SendToService(std::uint32_t command, const StObjectKey* keys, std::uint32_t capacity,
                       void* buffer);
  Status AnswerFromTable(std::uint32_t command, const PathKey& path, std::uint32_t capacity,
                         void* buffer);

  std::unique_ptr<CTabletService> m_ownedService;
  CTabletService* m_service = nullptr;
  std::map<PathKey, std::vector<std::uint8_t>> m_values;
  std::map<PathKey, std::vector<std::uint8_t>> m_defaults;
  std::map<std::pair<std::uint32_t, PathKey>, Status> m_failures;
  std::vector<StRecordedRequest> m_requests;
  Status m_openStatus = kStatusOk;
};
