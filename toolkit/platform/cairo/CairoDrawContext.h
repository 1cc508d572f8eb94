// The cairo side of CDrawContext, shared by every platform. Internal to the toolkit.
#pragma once

#include <cairo.h>

#include "CDrawContext.h"

// Told when a context drawing into its surface is released, with the area it touched.
class IDrawContextOwner {
public:
  virtual ~IDrawContextOwner() = default;
  virtual void drawContextReleased(const CRect& damage) = 0;
};

struct CDrawContext::Impl {
  cairo_t* cr = nullptr;
  CRect surfaceRect;
  CRect clip;
  CRect damage;  // union of the clip rectangles that drawing happened in
  IDrawContextOwner* owner = nullptr;
  CLineStyle lineStyle = kLineSolid;
  CCoord lineWidth = 1;
  CDrawMode drawMode = kAntialias;
  CColor fillColor = kWhiteCColor;
  CColor frameColor = kBlackCColor;
  CColor fontColor = kWhiteCColor;
  CFontDesc font = *kNormalFont;
  CPoint pen;
};

// A context drawing into an image surface (owner may be null). Caller forgets it.
CDrawContext* createCairoDrawContext(cairo_surface_t* surface, IDrawContextOwner* owner);
