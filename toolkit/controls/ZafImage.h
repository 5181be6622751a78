#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/ZafWindowObject.h"

class ZafBitmapData;

// Shows a picture: a copy of a bitmap data object (colour indexes, 0xFF
// transparent), so the image never points into a data object that may go.
class ZafImage : public ZafWindowObject {
 public:
  ZafImage() : ZafImage("ZafImage") {}
  explicit ZafImage(std::string className) : ZafWindowObject(std::move(className)) {}

  // A missing bitmap leaves the image empty (its name kept): the window still opens.
  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override;
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kImage; }
  [[nodiscard]] std::string ShownPicture() const override { return m_bitmapName; }

  void SetBitmap(const ZafBitmapData& bitmap);
  void ClearBitmap();
  [[nodiscard]] const std::string& BitmapName() const { return m_bitmapName; }
  [[nodiscard]] std::uint16_t BitmapWidth() const { return m_width; }
  [[nodiscard]] std::uint16_t BitmapHeight() const { return m_height; }
  [[nodiscard]] const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }

  // The name read from the resource, resolved when the window is loaded.
  void SetBitmapName(std::string name) { m_bitmapName = std::move(name); }

 private:
  std::string m_bitmapName;
  std::uint16_t m_width = 0;
  std::uint16_t m_height = 0;
  std::vector<std::uint8_t> m_pixels;
};
