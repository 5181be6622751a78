#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "services/CEventTranslator.h"

// An event translator that keeps every control-state change a view asks for,
// in order, instead of handing it to a window. Requests still go to the
// listener, as with the real one.
class CRecordingEventTranslator : public CEventTranslator {
 public:
  struct StStateChange {
    std::uint32_t controlId = 0;
    std::uint32_t code = 0;
    friend bool operator==(const StStateChange&, const StStateChange&) = default;
  };

  [[nodiscard]] Status Notify(std::uint32_t controlNumber, std::uint32_t reason) override;

  [[nodiscard]] const std::vector<StStateChange>& Changes() const { return m_changes; }
  // The changes recorded so far; the record starts empty again.
  std::vector<StStateChange> TakeChanges();
  void Clear() { m_changes.clear(); }
  // Notify answers `status` for that control from now on (0 otherwise), as a
  // window answers for the dialogs it runs.
  void AnswerWith(std::uint32_t controlNumber, Status status) { m_answers[controlNumber] = status; }

  // Makes the recording translator the process-wide one (through an object
  // factory that makes nothing else) and answers it.
  static CRecordingEventTranslator* Install();
  // Releases the process-wide translator and the factory.
  static void Uninstall();

 private:
  std::vector<StStateChange> m_changes;
  std::map<std::uint32_t, Status> m_answers;
};
