// CDrawContext drawing with cairo into an image surface, shared by every platform.
// Internal to the toolkit.
#pragma once

#include <cairo.h>

#include "CDrawContext.h"

// Told when a context drawing into its surface is released, with the area it touched.
class IDrawContextOwner {
public:
  virtual ~IDrawContextOwner() = default;
  virtual void drawContextReleased(const CRect& damage) = 0;
};

class CairoDrawContext : public CDrawContext {
public:
  // A context drawing into an image surface (owner may be null); null for a surface in
  // error. Caller forgets it.
  static CairoDrawContext* create(cairo_surface_t* surface, IDrawContextOwner* owner);
  ~CairoDrawContext() override;

  void lineTo(const CPoint& point) override;
  void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked) override;
  void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked) override;
  void drawArc(const CRect& rect, float startDeg, float endDeg, bool filled = false) override;
  CCoord getStringWidth(const char* text) override;
  void drawString(const char* text, const CRect& rect, CHoriTxtAlign align = kCenterText,
                  bool antialias = true) override;
  void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(),
                  float opacity = 1.f) override;

protected:
  void clipChanged() override;

private:
  CairoDrawContext(cairo_t* cr, const CRect& surface, IDrawContextOwner* owner);

  void applyStroke();
  void applyFill();
  void selectFont(bool antialias);
  // Half-pixel shift that puts odd-width lines on pixel centres.
  double lineOffset() const;
  // Notes that something was drawn inside the current clip.
  void touch() { damage.unite(clipRect); }

  cairo_t* cr;
  IDrawContextOwner* owner;
  CRect damage;  // union of the clip rectangles that drawing happened in
};
