#pragma once

#include "protocol/Status.h"
#include "settings/BehaviourKind.h"

class CDriverData;

// The write policy shared by every item of one kind: when a change reaches the
// driver and where reads come from.
class CBehaviour {
 public:
  CBehaviour() = default;
  virtual ~CBehaviour();
  CBehaviour(const CBehaviour&) = delete;
  CBehaviour& operator=(const CBehaviour&) = delete;

  [[nodiscard]] virtual Status OnSet(CDriverData& item) = 0;
  [[nodiscard]] virtual Status OnRevert(CDriverData& item) = 0;
  [[nodiscard]] virtual Status OnDefault(CDriverData& item) = 0;
  [[nodiscard]] virtual Status OnApply(CDriverData& item) = 0;
  // Fills the item's driver value buffer.
  [[nodiscard]] virtual Status Read(CDriverData& item) = 0;
  // Fills the item's driver value buffer with the driver's default.
  [[nodiscard]] virtual Status ReadDefault(CDriverData& item) = 0;
};

// The process-wide behaviour of a kind, made on first use; none for an
// unknown kind or when it cannot be made (tried again on the next call).
[[nodiscard]] CBehaviour* GetBehaviour(BehaviourKind kind);
// Deletes the behaviour of the kind if there is one. Every item using it must
// be gone.
void ReleaseBehaviour(BehaviourKind kind);
