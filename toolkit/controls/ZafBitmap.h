#pragma once

#include "toolkit/controls/ZafImage.h"

// A bitmap placed in a window (a logo, a button picture).
class ZafBitmap : public ZafImage {
 public:
  ZafBitmap() : ZafImage("ZafBitmap") {}
};
