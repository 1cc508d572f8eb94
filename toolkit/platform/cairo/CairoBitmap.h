// IPlatformBitmap over a cairo ARGB32 image surface. Internal to the toolkit.
#pragma once

#include <cairo.h>

#include "IPlatformBitmap.h"

class CairoBitmap : public IPlatformBitmap {
public:
  // Takes over the surface reference.
  explicit CairoBitmap(cairo_surface_t* surface);
  ~CairoBitmap() override;

  CPoint getSize() const override;
  bool getPixel(int32_t x, int32_t y, CColor& color) const override;
  bool writePNG(const char* path) const override;
  CDrawContext* createDrawContext() override;

  cairo_surface_t* getSurface() const { return surface; }
  // The surface behind a platform bitmap made here (null for null or another kind).
  static cairo_surface_t* surfaceOf(const IPlatformBitmap* bitmap);

private:
  cairo_surface_t* surface;
};
