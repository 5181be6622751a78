#pragma once

#include <array>
#include <cstdint>
#include <vector>

// What the mapping tab's two pictures show, worked out from the mapping's
// items: the screen area on the desktop and the tablet area on the tablet,
// each in its own units so that both are drawn to scale.

// A rectangle with exclusive right and bottom edges.
struct StPictureRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  [[nodiscard]] std::int32_t Width() const { return right - left; }
  [[nodiscard]] std::int32_t Height() const { return bottom - top; }
  bool operator==(const StPictureRect&) const = default;
};

// What a rectangle of a picture stands for.
enum class PictureRole { kOutline, kArea, kSecondArea, kProportional };

struct StPictureItem {
  StPictureRect rect;
  PictureRole role = PictureRole::kOutline;
  bool operator==(const StPictureItem&) const = default;
};

struct StPicture {
  std::int32_t originX = 0;  // the units at the picture's top-left corner
  std::int32_t originY = 0;
  std::int32_t width = 1;  // units the picture spans from there
  std::int32_t height = 1;
  std::vector<StPictureItem> items;
  int draggable = -1;  // the item whose corners a user may drag
};

// The values a picture is made from, as the mapping tab's views read them.
struct StMappingValues {
  std::array<std::uint8_t, 48> preview{};  // screen, first and second tablet rectangle
  std::uint16_t screenChoice = 0;          // display-area choice
  std::uint16_t tabletChoice = 0;          // tablet-area choice
  bool proportions = false;
  std::int32_t tabletWidth = 0;
  std::int32_t tabletHeight = 0;
};

class CMappingPicture {
 public:
  // Display-area choices of the tab: the whole desktop, a part of it, and
  // from kFirstMonitorChoice on monitor (choice - 2), as the driver takes them.
  static constexpr std::uint16_t kWholeChoice = 0;
  static constexpr std::uint16_t kPartChoice = 1;
  static constexpr std::uint16_t kFirstMonitorChoice = 3;

  CMappingPicture(const StMappingValues& values, std::vector<StPictureRect> monitors)
      : m_values(values), m_monitors(std::move(monitors)) {}

  // The rectangle of record 0, 1 or 2 of the preview: (top, left, bottom, right) words.
  [[nodiscard]] StPictureRect Record(int number) const;
  // The part of the desktop the tool addresses.
  [[nodiscard]] StPictureRect ScreenArea() const;
  // The monitors and the screen area, with a margin around all of them.
  [[nodiscard]] StPicture Screen() const;
  // The tablet, its area (the one a user drags), a second area where the
  // choice has one, and with forced proportions the part of the area in use.
  [[nodiscard]] StPicture Tablet() const;
  // Widens or heightens what a picture spans so that, shown in a control of
  // that size, one unit is as wide as it is high.
  static void KeepShape(StPicture& picture, std::int32_t shownWidth, std::int32_t shownHeight);
  // The largest rectangle inside `area`, centred, whose sides keep the ratio of `shape`.
  [[nodiscard]] static StPictureRect Proportional(const StPictureRect& area, const StPictureRect& shape);

 private:
  [[nodiscard]] StPictureRect Desktop() const;
  // A picture spanning `all` and a margin around it.
  [[nodiscard]] static StPicture Around(const StPictureRect& all);

  StMappingValues m_values;
  std::vector<StPictureRect> m_monitors;
};
