#include "toolkit/qt/CQtPicture.h"

#include <array>

#include "toolkit/ZafApplication.h"
#include "toolkit/ZafDisplay.h"
#include "toolkit/data/ZafBitmapData.h"

const ZafDisplay& CQtPicture::Display() {
  if (ZafApplication* application = ZafApplication::Get()) return application->Display();
  static const ZafDisplay kDefault;
  return kDefault;
}

QColor CQtPicture::Colour(std::int32_t index, const ZafDisplay& display) {
  if (index < 0 || index >= ZafDisplay::kColourCount) return {};
  const std::uint32_t value = display.Colour(index);
  return QColor(static_cast<int>(value & 0xFFU), static_cast<int>((value >> 8) & 0xFFU),
                static_cast<int>((value >> 16) & 0xFFU));
}

QImage CQtPicture::Image(std::uint16_t width, std::uint16_t height,
                         const std::vector<std::uint8_t>& pixels, const ZafDisplay& display) {
  if (width == 0 || height == 0 || pixels.size() < std::size_t{width} * height) return {};
  QImage image(width, height, QImage::Format_ARGB32);
  // One lookup per colour index rather than per pixel.
  std::array<QRgb, 256> rgb{};
  for (int i = 0; i < 256; ++i) {
    const QColor colour = Colour(i, display);
    rgb[static_cast<std::size_t>(i)] = colour.isValid() ? colour.rgb() : qRgb(0, 0, 0);
  }
  rgb[ZafBitmapData::kTransparent] = qRgba(0, 0, 0, 0);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const std::size_t row = static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) line[x] = rgb[pixels[row + static_cast<std::size_t>(x)]];
  }
  return image;
}
