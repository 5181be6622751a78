#pragma once

#include <cstdint>
#include <memory>

#include "views/CSuperView.h"
#include "views/ViewCreation.h"

// Makes a super view of class T with a control id into a base pointer.
template <typename T>
[[nodiscard]] Status MakeOwned(std::unique_ptr<CSuperView>& out, std::uint32_t controlId) {
  std::unique_ptr<T> view;
  KELVO_TRY(MakeView(view, controlId));
  out = std::move(view);
  return kStatusOk;
}

// The views the upper view owns besides its children, each with its id.
[[nodiscard]] Status MakeStylusView(std::unique_ptr<CSuperView>& out);
[[nodiscard]] Status MakePuckView(std::unique_ptr<CSuperView>& out);
[[nodiscard]] Status MakeTabletView(std::unique_ptr<CSuperView>& out);
[[nodiscard]] Status MakeCalibrateTabView(std::unique_ptr<CSuperView>& out);
[[nodiscard]] Status MakeMappingTabView(std::unique_ptr<CSuperView>& out);
[[nodiscard]] Status MakeDiagnosticSuperView(std::unique_ptr<CSuperView>& out);
[[nodiscard]] Status MakeAdvancedSuperView(std::unique_ptr<CSuperView>& out);
