#include "views/tabs/CMappingPicture.h"

#include <algorithm>
#include <cstring>

namespace {

StPictureRect Union(const StPictureRect& a, const StPictureRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// The margin around a picture's contents: a part of its larger side, so
// that edges on the border stay in sight.
constexpr std::int32_t kMarginParts = 24;

bool Empty(const StPictureRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

}  // namespace

StPictureRect CMappingPicture::Record(int number) const {
  std::int32_t words[4] = {};
  std::memcpy(words, m_values.preview.data() + static_cast<std::size_t>(number) * sizeof words, sizeof words);
  return {words[1], words[0], words[3], words[2]};
}

StPictureRect CMappingPicture::Desktop() const {
  if (m_monitors.empty()) return Record(0);
  StPictureRect desktop = m_monitors.front();
  for (const StPictureRect& monitor : m_monitors) desktop = Union(desktop, monitor);
  return desktop;
}

StPictureRect CMappingPicture::ScreenArea() const {
  const std::uint16_t choice = m_values.screenChoice;
  if (choice == kPartChoice) return Record(0);
  const std::size_t monitor = choice >= kFirstMonitorChoice ? choice - kFirstMonitorChoice : m_monitors.size();
  if (monitor < m_monitors.size()) return m_monitors[monitor];
  return Desktop();
}

StPicture CMappingPicture::Around(const StPictureRect& all) {
  const std::int32_t margin = std::max(all.Width(), all.Height()) / kMarginParts + 1;
  StPicture picture;
  picture.originX = all.left - margin;
  picture.originY = all.top - margin;
  picture.width = all.Width() + 2 * margin;
  picture.height = all.Height() + 2 * margin;
  return picture;
}

StPicture CMappingPicture::Screen() const {
  const StPictureRect area = ScreenArea();
  StPictureRect all = Union(Desktop(), area);
  if (Empty(all)) all = {0, 0, 1, 1};
  StPicture picture = Around(all);
  for (const StPictureRect& monitor : m_monitors) picture.items.push_back({monitor, PictureRole::kOutline});
  picture.items.push_back({area, PictureRole::kArea});
  return picture;
}

StPicture CMappingPicture::Tablet() const {
  const StPictureRect whole{0, 0, std::max(m_values.tabletWidth, 1), std::max(m_values.tabletHeight, 1)};
  StPicture picture = Around(whole);
  picture.items.push_back({whole, PictureRole::kOutline});
  const std::uint16_t choice = m_values.tabletChoice;
  const StPictureRect area = choice == 0 ? whole : Record(1);
  picture.draggable = static_cast<int>(picture.items.size());
  picture.items.push_back({area, PictureRole::kArea});
  if (choice >= 2) picture.items.push_back({Record(2), PictureRole::kSecondArea});
  if (m_values.proportions) picture.items.push_back({Proportional(area, ScreenArea()), PictureRole::kProportional});
  return picture;
}

StPictureRect CMappingPicture::Proportional(const StPictureRect& area, const StPictureRect& shape) {
  if (Empty(area) || Empty(shape)) return area;
  std::int64_t width = area.Width();
  std::int64_t height = width * shape.Height() / shape.Width();
  if (height > area.Height()) {
    height = area.Height();
    width = height * shape.Width() / shape.Height();
  }
  const auto left = static_cast<std::int32_t>(area.left + (area.Width() - width) / 2);
  const auto top = static_cast<std::int32_t>(area.top + (area.Height() - height) / 2);
  return {left, top, left + static_cast<std::int32_t>(width), top + static_cast<std::int32_t>(height)};
}

void CMappingPicture::KeepShape(StPicture& picture, std::int32_t shownWidth, std::int32_t shownHeight) {
  if (shownWidth <= 0 || shownHeight <= 0) return;
  const std::int64_t width = picture.width;
  const std::int64_t height = picture.height;
  if (width * shownHeight < height * shownWidth)
    picture.width = static_cast<std::int32_t>((height * shownWidth + shownHeight - 1) / shownHeight);
  else
    picture.height = static_cast<std::int32_t>((width * shownHeight + shownWidth - 1) / shownWidth);
}
