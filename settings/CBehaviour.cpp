#include "settings/CBehaviour.h"

#include <array>
#include <memory>

#include "settings/CApplyBehaviour.h"
#include "settings/CLiveBehaviour.h"
#include "settings/CNoDriverBehaviour.h"
#include "settings/MakeNoThrow.h"

namespace {

constexpr std::size_t kKindCount = 3;

std::array<std::unique_ptr<CBehaviour>, kKindCount> g_behaviours;

bool IsKnownKind(BehaviourKind kind) {
  const auto value = static_cast<std::int32_t>(kind);
  return value >= 0 && static_cast<std::size_t>(value) < kKindCount;
}

std::unique_ptr<CBehaviour> MakeBehaviour(BehaviourKind kind) {
  switch (kind) {
    case BehaviourKind::kLive: return MakeNoThrow<CLiveBehaviour>();
    case BehaviourKind::kApply: return MakeNoThrow<CApplyBehaviour>();
    case BehaviourKind::kNoDriver: return MakeNoThrow<CNoDriverBehaviour>();
  }
  return nullptr;
}

}  // namespace

CBehaviour::~CBehaviour() = default;

CBehaviour* GetBehaviour(BehaviourKind kind) {
  if (!IsKnownKind(kind)) return nullptr;
  auto& slot = g_behaviours[static_cast<std::size_t>(kind)];
  if (!slot) slot = MakeBehaviour(kind);
  return slot.get();
}

void ReleaseBehaviour(BehaviourKind kind) {
  if (!IsKnownKind(kind)) return;
  g_behaviours[static_cast<std::size_t>(kind)].reset();
}
