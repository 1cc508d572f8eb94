// A decoded image held by the platform layer (a cairo image surface on every platform).
#pragma once

#include <cstdint>

#include "CBaseObject.h"
#include "CColor.h"
#include "CPoint.h"

class CDrawContext;

class IPlatformBitmap : public CBaseObject {
public:
  // Decodes PNG bytes; null when they are not a readable PNG. The caller owns the one reference.
  static IPlatformBitmap* createFromMemory(const void* data, uint32_t size);
  // A new, fully transparent image of `size` pixels (null for a size that cannot be made).
  // The caller owns the one reference.
  static IPlatformBitmap* create(const CPoint& size);

  // Width and height in pixels.
  virtual CPoint getSize() const = 0;
  // Reads one pixel (not premultiplied); false outside the image.
  virtual bool getPixel(int32_t x, int32_t y, CColor& color) const = 0;
  // Writes the image as a PNG file; false on failure.
  virtual bool writePNG(const char* path) const = 0;
  // A drawing context that draws into this image; the caller forgets it when done.
  virtual CDrawContext* createDrawContext() = 0;
};
