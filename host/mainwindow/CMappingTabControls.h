#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/Status.h"
#include "views/tabs/CMappingPicture.h"

class CThumbnail;
class ZafList;
class ZafWindowObject;

// What the main window does for the Mapping tab's controls beyond what every
// control of their kind gets: the two choice lists (fixed entries, then a
// monitor each), a rectangle's four fields, and the two pictures with the
// tablet area's corners that a user drags.
class CMappingTabControls {
 public:
  // Sends a view request; finds a control of the window by name.
  using Sender = std::function<Status(std::uint32_t operation, std::uint32_t controlId, void* data)>;
  using Finder = std::function<ZafWindowObject*(std::string_view name)>;
  // Looks a text up in the general string table.
  using Texts = std::function<std::string(std::uint16_t number)>;

  CMappingTabControls(Sender send, Finder find, Texts texts)
      : m_send(std::move(send)), m_find(std::move(find)), m_texts(std::move(texts)) {}

  // Fills an empty choice list (screen or tablet area).
  void FillChoices(ZafList& list, std::uint32_t controlId) const;
  // A field of a rectangle changed: the four fields go to the views together.
  void SendRect(std::uint32_t controlId) const;
  // Shows a rectangle in its four fields.
  [[nodiscard]] Status ShowRect(std::uint32_t controlId) const;
  // Draws the tablet or the screen picture from what the views read.
  [[nodiscard]] Status ShowPicture(CThumbnail& picture, std::uint32_t controlId);
  // The user let go of a dragged corner: the tablet area becomes that part.
  void SendDraggedArea(const CThumbnail& picture) const;

 private:
  // The monitors of the desktop, in the system's order.
  [[nodiscard]] static std::vector<StPictureRect> Monitors();
  // The fields of a rectangle, in the order of its words (top, left, bottom, right).
  [[nodiscard]] std::vector<ZafWindowObject*> Fields(std::uint32_t controlId) const;
  [[nodiscard]] Status ReadValues(StMappingValues& values) const;

  Sender m_send;
  Finder m_find;
  Texts m_texts;
  // The tablet's size, as last drawn.
  std::int32_t m_tabletWidth = 0;
  std::int32_t m_tabletHeight = 0;
};
