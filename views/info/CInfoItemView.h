#pragma once

#include <cstddef>
#include <cstdint>

#include "views/CItemView.h"

class CStringManager;

// Room the window gives a text read from an information view.
inline constexpr std::size_t kInfoTextCapacity = 256;

// A read-only text turned out of a stored code or number. A Get writes the
// text; Set, Revert and SetDefault change nothing; every other request is the
// item view's. Requests for other controls, or while no item is bound, are
// not this view's (0).
class CInfoItemView : public CItemView {
 public:
  CInfoItemView(std::uint32_t controlId, ItemId itemId, std::uint32_t valueType = 0);

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;

 protected:
  // The text of the bound item's value into `text` (kInfoTextCapacity bytes).
  [[nodiscard]] virtual Status WriteText(char* text) = 0;
  // What a Set does: nothing, unless a view can take text back.
  [[nodiscard]] virtual Status TakeText(const char* /*text*/) { return kStatusOk; }

  // String `number` of a language string table ("3001" ...); a single blank
  // and a status when it is missing, as the lookup answers.
  [[nodiscard]] Status LookUp(const char* table, std::uint16_t number, char* text) const;

 private:
  CStringManager* m_strings;
};
