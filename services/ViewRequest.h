#pragma once

#include <cstdint>

// Request codes a control sends down the view tree.
enum ViewOperation : std::uint32_t {
  kViewGet = 0,
  kViewSet = 1,
  kViewRevert = 2,
  kViewCommit = 3,
  kViewDefault = 4,
  kViewRefresh = 5,
  kViewApply = 6,
  kViewTabletCount = 7,  // the tablet list: how many tablets
  kViewTabletKey = 8,    // the tablet list: the key of the tablet at a position
};

// Control id that addresses every view that receives the request.
inline constexpr std::uint32_t kBroadcastId = 1001;

// Built on the sender's stack, valid for the length of one call.
struct ViewRequest {
  std::uint32_t operation = kViewGet;
  std::uint32_t controlId = 0;
  void* data = nullptr;
};
