#include "host/mainwindow/CMappingTabControls.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "host/mainwindow/ControlTable.h"
#include "platform/CDesktop.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafInteger.h"
#include "toolkit/controls/ZafList.h"
#include "views/ControlIds.h"

namespace {

// Texts of the general string table ("3001") the choice lists show.
constexpr std::uint16_t kTextWholeDesktop = 40;
constexpr std::uint16_t kTextPartOfDesktop = 41;
constexpr std::uint16_t kTextWholeTablet = 42;
constexpr std::uint16_t kTextPartOfTablet = 43;
constexpr std::uint16_t kTextMonitor = 44;

// A rectangle's words: top, left, bottom, right.
constexpr std::size_t kRectWords = 4;

// Tablet-area choices the list offers.
constexpr std::uint16_t kTabletWhole = 0;
constexpr std::uint16_t kTabletPart = 1;

// Colour-table indexes of the pictures.
constexpr std::int32_t kColourOutline = 8;       // grey
constexpr std::int32_t kColourArea = 9;          // blue
constexpr std::int32_t kColourSecondArea = 3;    // teal
constexpr std::int32_t kColourProportional = 12;  // red

std::int32_t ColourOf(PictureRole role) {
  switch (role) {
    case PictureRole::kOutline: return kColourOutline;
    case PictureRole::kArea: return kColourArea;
    case PictureRole::kSecondArea: return kColourSecondArea;
    case PictureRole::kProportional: return kColourProportional;
  }
  return kColourOutline;
}

// A list entry's value is the choice plus 1, as in every list of the window.
ZafListEntry Choice(std::string text, std::string id, std::uint16_t choice) {
  return {std::move(text), std::move(id), static_cast<std::int32_t>(choice) + 1, 0};
}

}  // namespace

std::vector<StPictureRect> CMappingTabControls::Monitors() {
  std::vector<StPictureRect> monitors;
  if (const CDesktop* desktop = GetDesktop()) {
    for (const StDesktopMonitor& m : desktop->Monitors())
      monitors.push_back({m.bounds.left, m.bounds.top, m.bounds.right, m.bounds.bottom});
  }
  return monitors;
}

void CMappingTabControls::FillChoices(ZafList& list, std::uint32_t controlId) const {
  if (list.Count() != 0) return;
  if (controlId == ControlId::kTabletAreaComboBox) {
    list.AddEntry(Choice(m_texts(kTextWholeTablet), "TabletWhole", kTabletWhole));
    list.AddEntry(Choice(m_texts(kTextPartOfTablet), "TabletPart", kTabletPart));
    return;
  }
  list.AddEntry(Choice(m_texts(kTextWholeDesktop), "ScreenWhole", CMappingPicture::kWholeChoice));
  list.AddEntry(Choice(m_texts(kTextPartOfDesktop), "ScreenPart", CMappingPicture::kPartChoice));
  std::vector<StDesktopMonitor> monitors;
  if (const CDesktop* desktop = GetDesktop()) monitors = desktop->Monitors();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    const std::string& name = monitors[i].deviceString;
    list.AddEntry(Choice((name.empty() ? m_texts(kTextMonitor) : name) + " (" + number + ")", "ScreenMonitor" + number,
                         static_cast<std::uint16_t>(CMappingPicture::kFirstMonitorChoice + i)));
  }
}

std::vector<ZafWindowObject*> CMappingTabControls::Fields(std::uint32_t controlId) const {
  // The group's row has value 0; each field's row carries its word's place, from 1.
  std::vector<ZafWindowObject*> fields(kRectWords, nullptr);
  for (const StControlRecord& record : GetControlTable()) {
    if (record.id == controlId && record.value >= 1 && record.value <= fields.size())
      fields[record.value - 1U] = m_find(record.name);
  }
  return fields;
}

void CMappingTabControls::SendRect(std::uint32_t controlId) const {
  std::int32_t words[kRectWords] = {};
  const std::vector<ZafWindowObject*> fields = Fields(controlId);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto* field = dynamic_cast<const ZafInteger*>(fields[i]);
    if (field == nullptr) return;
    words[i] = field->IntegerValue();
  }
  // The far edges stay past the near ones: a rectangle is never empty.
  words[2] = std::max(words[2], words[0] + 1);
  words[3] = std::max(words[3], words[1] + 1);
  DropStatus(m_send(kViewSet, controlId, words), "a handler answers the toolkit's event; the views keep their own failures");
}

Status CMappingTabControls::ShowRect(std::uint32_t controlId) const {
  std::int32_t words[kRectWords] = {};
  KELVO_TRY(m_send(kViewGet, controlId, words));
  const std::vector<ZafWindowObject*> fields = Fields(controlId);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (auto* field = dynamic_cast<ZafInteger*>(fields[i])) field->SetIntegerValue(words[i]);
  }
  return kStatusOk;
}

Status CMappingTabControls::ReadValues(StMappingValues& values) const {
  KELVO_TRY(m_send(kViewGet, ControlId::kTabletPreview, values.preview.data()));
  std::uint32_t word = 0;
  if (m_send(kViewGet, ControlId::kScreenAreaComboBox, &word) == kStatusOk) values.screenChoice = word & 0xFFFFU;
  word = 0;
  if (m_send(kViewGet, ControlId::kTabletAreaComboBox, &word) == kStatusOk) values.tabletChoice = word & 0xFFFFU;
  word = 0;
  if (m_send(kViewGet, ControlId::kForceProportions, &word) == kStatusOk) values.proportions = (word & 0xFFFFU) != 0;
  // The tablet's bounds: (0, 0, width, height).
  std::int32_t bounds[12] = {};
  if (m_send(kViewGet, ControlId::kMappingTabletBounds, bounds) == kStatusOk) {
    values.tabletWidth = bounds[2];
    values.tabletHeight = bounds[3];
  }
  return kStatusOk;
}

Status CMappingTabControls::ShowPicture(CThumbnail& picture, std::uint32_t controlId) {
  StMappingValues values;
  KELVO_TRY(ReadValues(values));
  const CMappingPicture mapping(values, Monitors());
  StPicture shown = controlId == ControlId::kTabletPreview ? mapping.Tablet() : mapping.Screen();
  CMappingPicture::KeepShape(shown, picture.Region().Width(), picture.Region().Height());
  if (controlId == ControlId::kTabletPreview) {
    m_tabletWidth = values.tabletWidth;
    m_tabletHeight = values.tabletHeight;
  }
  std::vector<StThumbnailRect> rectangles;
  for (const StPictureItem& item : shown.items) {
    const StPictureRect& r = item.rect;
    rectangles.push_back({{r.left, r.top, r.right - 1, r.bottom - 1}, ColourOf(item.role)});
  }
  picture.SetOrigin(shown.originX, shown.originY);
  picture.SetExtent(shown.width, shown.height);
  picture.SetRectangles(std::move(rectangles));
  picture.SetDraggable(shown.draggable);
  return kStatusOk;
}

void CMappingTabControls::SendDraggedArea(const CThumbnail& picture) const {
  const ZafRegion area = picture.DraggableArea();
  std::uint32_t part = kTabletPart;
  // Dragged into the margin, a corner stops at the tablet's edge.
  const auto across = [](std::int32_t value, std::int32_t size) { return std::clamp(value, 0, std::max(size, 1)); };
  const std::int32_t left = across(area.left, m_tabletWidth);
  const std::int32_t top = across(area.top, m_tabletHeight);
  const std::int32_t right = std::max(across(area.right + 1, m_tabletWidth), left + 1);
  const std::int32_t bottom = std::max(across(area.bottom + 1, m_tabletHeight), top + 1);
  std::int32_t words[kRectWords] = {top, left, bottom, right};
  DropStatus(m_send(kViewSet, ControlId::kTabletAreaComboBox, &part), "the area is sent either way");
  DropStatus(m_send(kViewSet, ControlId::kTabletAreaRect, words), "the picture shows what the driver kept");
}
