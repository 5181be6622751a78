#include "toolkit/controls/ZafImage.h"

#include "toolkit/data/ZafBitmapData.h"

void ZafImage::SetBitmap(const ZafBitmapData& bitmap) {
  m_bitmapName = bitmap.Name();
  m_width = bitmap.Width();
  m_height = bitmap.Height();
  m_pixels = bitmap.Pixels();
  NotifyChanged(ZafChange::kImage);
}

void ZafImage::ClearBitmap() {
  m_bitmapName.clear();
  m_width = m_height = 0;
  m_pixels.clear();
  NotifyChanged(ZafChange::kImage);
}
