#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "protocol/StObjectKey.h"
#include "protocol/Status.h"
#include "service/CServiceNode.h"
#include "service/StProfile.h"

// The mapping values of a tablet as a driver keeps them: one context per
// application, tool serial and tool identity, made on first write, each with
// display parts (screen area, monitor, tracking mode, speed) and tablet-area
// parts; a common context shared by every tool (its display part only on pen
// displays); and the rectangles the driver reports, derived from origin and
// extent.
class CMappingContexts {
 public:
  using Path = std::span<const StObjectKey>;

  // The subtree under a tablet's (12, 0, 0), with factory values that cover
  // the whole tablet and the whole screen.
  [[nodiscard]] static std::unique_ptr<CServiceNode> MakeTop(const StTabletProfile& tablet);

  // Brings every reported rectangle below `top` in line with its origin and
  // extent.
  static void Resync(CServiceNode& top);

  // Answers a remove request whose path names a context by its removal path,
  // from a tablet (that tablet's context) or from the root (the context on
  // every tablet); none when the path is not such a path. `changed` is set
  // when a context that held values went away.
  [[nodiscard]] static std::optional<Status> Remove(CServiceNode& root, Path path, bool& changed);

  // The levels below a tablet that name the context of (application,
  // serial, identity): (12, 0, 0) (5, K1, 4) (2, 0, 0) (5, 0, 0) (19, K2, 4) (19, K3, 0).
  [[nodiscard]] static std::vector<StObjectKey> ContextPath(std::uint32_t application, std::uint32_t serial,
                                                            std::uint32_t identity);

  // The screen the service reports, in pixels.
  static constexpr std::uint32_t kScreenWidth = 1920;
  static constexpr std::uint32_t kScreenHeight = 1080;
};
