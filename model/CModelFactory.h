#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "model/ToolClasses.h"
#include "protocol/Status.h"

class CDataGrouping;
class CDriverData;
class CModelContext;

// Composite items of the tool groups and tools.
enum class CompositeClass {
  kCorrelatedToolName,   // tool name as shown, over name and type code
  kPenHasEraser,         // over the eraser capability item
  kDoubleClickFeel,      // over the three double-click items
  kOwnDoubleClickFeel,   // the same for tools of type code 42
};

// Makes the parts of the object model whose classes live in the layers above
// it (the tablet's function sets and controls, the tools' buttons) or are
// items of their own (mappings, composite items). The model decides which
// class a part is and gives it its key; the factory only constructs it. The
// base makes nothing, so that a model built on it has no such parts.
class CModelFactory {
 public:
  CModelFactory() = default;
  virtual ~CModelFactory();
  CModelFactory(const CModelFactory&) = delete;
  CModelFactory& operator=(const CModelFactory&) = delete;

  // The tablet's function sets; `context` finds their applications.
  [[nodiscard]] virtual std::unique_ptr<CDataGrouping> MakeFunctionObject(CModelContext& context);
  [[nodiscard]] virtual std::unique_ptr<CDataGrouping> MakeTabletControl(TabletControlClass kind);
  [[nodiscard]] virtual std::unique_ptr<CDataGrouping> MakeButton(ButtonClass kind);
  // A mapping for the three context values a tool reports.
  [[nodiscard]] virtual std::unique_ptr<CDataGrouping> MakeMapping(std::uint32_t context1,
                                                                   std::uint32_t context2,
                                                                   std::uint16_t context3);
  // Sends the removal of a mapping this factory made; the caller deletes it.
  [[nodiscard]] virtual Status RemoveMapping(CDataGrouping& mapping);
  // Writes the values of a mapping this factory made again, whatever they hold.
  [[nodiscard]] virtual Status RewriteMapping(CDataGrouping& mapping);
  // Makes a composite item over `sources`, in the order its SetSources takes
  // them. A status comes back when it could not be made; none with status 0
  // when this factory has no such item.
  [[nodiscard]] virtual Status MakeComposite(CompositeClass kind,
                                             std::span<CDriverData* const> sources,
                                             std::unique_ptr<CDriverData>& item);
};
