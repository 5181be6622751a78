#pragma once

// Colours and pictures of the toolkit as Qt sees them: colour-table indexes
// become QColors, bitmaps of colour indexes become images with transparency.

#include <QColor>
#include <QImage>
#include <cstdint>
#include <vector>

class ZafDisplay;

class CQtPicture {
 public:
  // The colour table of the running application, else the default one.
  [[nodiscard]] static const ZafDisplay& Display();
  // An invalid colour for an index outside the table (or -1, "none").
  [[nodiscard]] static QColor Colour(std::int32_t index, const ZafDisplay& display = Display());
  // Index 0xFF is transparent; a picture with no pixels is a null image.
  [[nodiscard]] static QImage Image(std::uint16_t width, std::uint16_t height,
                                    const std::vector<std::uint8_t>& pixels,
                                    const ZafDisplay& display = Display());
};
