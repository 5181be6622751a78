#pragma once

#include <cstdint>
#include <memory>

#include "service/CServiceNode.h"
#include "service/StProfile.h"

// Makes the two parts of an application's function set on one tablet: the
// function area (tablet menu, tablet buttons and touch strips) and the popup
// menu, from the tablet's factory functions and the application's own
// settings in the profile.
class CFunctionSetBuilder {
 public:
  // `application` none: a set with the factory functions only.
  [[nodiscard]] static std::unique_ptr<CServiceNode> MakeFunctionArea(
      const StTabletProfile& tablet, const StApplicationProfile* application);
  [[nodiscard]] static std::unique_ptr<CServiceNode> MakePopup(
      const StApplicationProfile* application);
  // An entry of a popup menu (or of a submenu) of this kind.
  [[nodiscard]] static std::unique_ptr<CServiceNode> MakePopupEntry(std::uint32_t kind);
};
