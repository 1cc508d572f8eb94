// Film-strip controls: a background image of equal frames stacked top to bottom.
#pragma once

#include <cstdint>

#include "CPoint.h"

class IMultiBitmapControl {
public:
  virtual ~IMultiBitmapControl() = default;

  // Number of frames in the strip.
  virtual void setNumSubPixmaps(int32_t count) { subPixmaps = count; }
  int32_t getNumSubPixmaps() const { return subPixmaps; }
  // Height of one frame in pixels (may be fractional).
  virtual void setHeightOfOneImage(CCoord height) { heightOfOneImage = height; }
  CCoord getHeightOfOneImage() const { return heightOfOneImage; }

protected:
  int32_t subPixmaps = 0;
  CCoord heightOfOneImage = 0;
};
