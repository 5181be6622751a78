#include "toolkit/controls/ZafImage.h"

#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/data/ZafBitmapData.h"
#include "toolkit/storage/StResourceObject.h"

Status ZafImage::ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) {
  KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
  if (!record.bitmap) return kStatusOk;
  const ZafBitmapData* bitmap = nullptr;
  if (persistence.ReadBitmap(*record.bitmap, bitmap) == kStatusOk) SetBitmap(*bitmap);
  else SetBitmapName(*record.bitmap);
  return kStatusOk;
}

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
