#pragma once

#include <cstdint>

#include "protocol/Status.h"
#include "services/ViewRequest.h"
#include "views/ViewResults.h"

class CDataGrouping;

// A node of the view tree. Views know their controls only by control id and
// reach the window only through the event translator.
class CKelvoView {
 public:
  CKelvoView() = default;
  virtual ~CKelvoView() = default;
  CKelvoView(const CKelvoView&) = delete;
  CKelvoView& operator=(const CKelvoView&) = delete;

  // Routes the request and acts on it: 0, "handled" (0x60C) or a status.
  [[nodiscard]] virtual ViewResult Dispatch(ViewRequest& request) = 0;
  // Acts on the bound data: flags of ViewResults.h or a status.
  [[nodiscard]] virtual ViewResult Perform(ViewRequest& request) = 0;
  // `index` -1 means `data` itself, any other value its child grouping there.
  [[nodiscard]] virtual ViewResult CanAttach(CDataGrouping* data, std::int32_t index) = 0;
  [[nodiscard]] virtual ViewResult Attach(CDataGrouping* data, std::int32_t index) = 0;
  [[nodiscard]] virtual ViewResult Detach() = 0;
  [[nodiscard]] virtual ViewResult SetStateAndNotify(std::uint32_t state) = 0;

  [[nodiscard]] virtual std::uint32_t GetControlId() const = 0;
};

// Child index meaning "the data object itself".
inline constexpr std::int32_t kSameData = -1;

// Kind of the child groupings that views reach by index (a tool's buttons).
inline constexpr std::int32_t kViewSubGroupKind = 0;

// The grouping a view binds to: `data` itself or its child at `index`.
[[nodiscard]] CDataGrouping* ResolveViewData(CDataGrouping* data, std::int32_t index);

// Asks the window, through the process-wide translator, to change a
// control's state; 0x101 when there is no translator.
[[nodiscard]] Status NotifyControlState(std::uint32_t controlId, std::uint32_t code);

// Sends a request from the top of the view tree, as a control would.
[[nodiscard]] Status SendViewRequest(std::uint32_t operation, std::uint32_t controlId,
                                     void* data = nullptr);

// The state-to-code mapping shared by item and super views: 1, 2, 3 for the
// states 0, 1, 2 and nothing (0) for any other state.
[[nodiscard]] constexpr std::uint32_t StateChangeCode(std::uint32_t state) {
  return state <= kStateDisabled ? state + 1 : 0;
}
