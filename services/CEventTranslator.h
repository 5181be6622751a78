#pragma once

#include <cstdint>

#include "protocol/Status.h"
#include "services/ViewRequest.h"

// The root of the view tree, to which the translator hands every request a
// control sends.
class CRequestListener {
 public:
  virtual ~CRequestListener() = default;
  virtual std::uint32_t HandleRequest(ViewRequest& request) = 0;
};

// Carries requests from controls down to the views (Forward) and state
// changes from views up to the window (Notify).
class CEventTranslator {
 public:
  CEventTranslator() = default;
  virtual ~CEventTranslator();
  CEventTranslator(const CEventTranslator&) = delete;
  CEventTranslator& operator=(const CEventTranslator&) = delete;

  [[nodiscard]] virtual Status Open() { return kStatusOk; }
  // Hands the request to the listener; "handled" comes back as 0, no
  // listener as 0xFFFF.
  [[nodiscard]] virtual Status Forward(std::uint32_t operation, std::uint32_t controlId, void* data);
  // Asks the window to change the state of a control (reason: control-state code).
  [[nodiscard]] virtual Status Notify(std::uint32_t controlNumber, std::uint32_t reason) = 0;

  // Builds the request from its three words and forwards it (the same as Forward).
  [[nodiscard]] Status Send(std::uint32_t operation, std::uint32_t controlId, void* data) {
    return Forward(operation, controlId, data);
  }
  // Views speak of control states; the window of notify reasons: one code.
  [[nodiscard]] Status SetControlState(std::uint32_t controlId, std::uint32_t code) {
    return Notify(controlId, code);
  }

  CRequestListener* SetListener(CRequestListener* listener);
  [[nodiscard]] CRequestListener* GetListener() const { return m_listener; }

 private:
  CRequestListener* m_listener = nullptr;
};

// The process-wide translator: made through the object factory and opened on
// first use; none when that fails (tried again on the next call).
[[nodiscard]] CEventTranslator* GetEventTranslator();
void ReleaseEventTranslator();
// The second entry point: forwards through the process-wide translator.
[[nodiscard]] Status ForwardViewRequest(std::uint32_t operation, std::uint32_t controlId, void* data);
