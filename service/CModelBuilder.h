#pragma once

#include <memory>

#include "protocol/DataTypeSize.h"
#include "service/CServiceNode.h"
#include "service/StProfile.h"

// Turns a profile into the objects of the driver model. Each Make returns a
// complete subtree with factory defaults; the model keys it into place. The
// controls of tablets and tools come from CControlBuilder, function sets
// from CFunctionSetBuilder.
class CModelBuilder {
 public:
  [[nodiscard]] static std::unique_ptr<CServiceNode> MakeRoot(const StProfile& profile);
  [[nodiscard]] static std::unique_ptr<CServiceNode> MakeTablet(const StTabletProfile& tablet);
  [[nodiscard]] static std::unique_ptr<CServiceNode> MakeTool(const StToolProfile& tool,
                                                              const StTabletProfile& tablet);
  [[nodiscard]] static std::unique_ptr<CServiceNode> MakeApplication(const StApplicationProfile& app);

  // Whether a tool type code is a pen (stylus), a puck, or neither.
  enum class ToolClass : std::uint8_t { kStylus, kPuck, kUnknown };
  [[nodiscard]] static ToolClass ClassOf(std::uint16_t typeCode);
  // What a user calls the tool: pens and airbrushes are styluses, the rest pucks.
  enum class ToolKind : std::uint8_t { kPen, kAirbrush, kPuck, kUnknown };
  [[nodiscard]] static ToolKind KindOf(std::uint16_t typeCode);
  [[nodiscard]] static const char* KindName(ToolKind kind);
};
