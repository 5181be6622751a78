#pragma once

#include <cstdint>

// Which shared write policy an item follows.
enum class BehaviourKind : std::int32_t {
  kLive = 0,      // written to the driver as soon as it changes
  kApply = 1,     // written when Apply reaches it
  kNoDriver = 2,  // never read; written only by ForceWrite
};
