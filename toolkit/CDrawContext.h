// A drawing context: draws lines, shapes, text and bitmaps into a frame's back buffer
// or into a bitmap. The pen, colours, font, line settings and clip live here; the
// drawing itself is done by a platform implementation. Contexts are created by
// CFrame::createDrawContext or IPlatformBitmap::createDrawContext and released with
// forget(). UI thread only.
#pragma once

#include <cstdint>

#include "CBaseObject.h"
#include "CColor.h"
#include "CFontDesc.h"
#include "CRect.h"

class CBitmap;

enum CLineStyle : int32_t { kLineSolid = 0, kLineOnOffDash };
enum CDrawMode : int32_t { kAliasing = 0, kAntialias };
enum CHoriTxtAlign : int32_t { kLeftText = 0, kCenterText, kRightText };
enum CDrawStyle : int32_t { kDrawStroked = 0, kDrawFilled, kDrawFilledAndStroked };

class CDrawContext : public CBaseObject {
public:
  // The whole drawable area.
  CRect getSurfaceRect() const { return surfaceRect; }

  // Clipping: everything drawn is cut to the clip rectangle (itself cut to the surface).
  void setClipRect(const CRect& clip);
  CRect& getClipRect(CRect& clip) const { return clip = clipRect; }
  void resetClipRect() { setClipRect(surfaceRect); }

  void setLineStyle(CLineStyle style) { lineStyle = style; }
  CLineStyle getLineStyle() const { return lineStyle; }
  void setLineWidth(CCoord width) { lineWidth = width; }
  CCoord getLineWidth() const { return lineWidth; }
  // Anti-aliased or hard-edged drawing of lines, shapes and text.
  void setDrawMode(CDrawMode mode) { drawMode = mode; }
  CDrawMode getDrawMode() const { return drawMode; }

  void setFillColor(const CColor& color) { fillColor = color; }
  CColor getFillColor() const { return fillColor; }
  void setFrameColor(const CColor& color) { frameColor = color; }
  CColor getFrameColor() const { return frameColor; }
  void setFontColor(const CColor& color) { fontColor = color; }
  CColor getFontColor() const { return fontColor; }
  // Sets the text font; size 0 keeps the font's own size, style -1 the font's own style.
  void setFont(const CFontDesc* font, CCoord size = 0, int32_t style = -1);
  const CFontDesc& getFont() const { return fontDesc; }

  // Lines in the frame colour, line width and style: moveTo sets the pen, lineTo draws to a point.
  void moveTo(const CPoint& point) { pen = point; }
  virtual void lineTo(const CPoint& point) = 0;
  CPoint getPenPosition() const { return pen; }
  void drawLine(const CPoint& from, const CPoint& to);

  // Rectangle outline (frame colour) and / or area (fill colour).
  virtual void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked) = 0;
  void fillRect(const CRect& rect) { drawRect(rect, kDrawFilled); }
  // Ellipse inscribed in rect.
  virtual void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked) = 0;
  // Pie slice of the ellipse in rect from startDeg to endDeg, closed to the centre. Angles in
  // degrees: 0 points up, angles grow counter-clockwise. Filled with the fill colour, or its
  // outline drawn in the frame colour.
  virtual void drawArc(const CRect& rect, float startDeg, float endDeg, bool filled = false) = 0;

  // Width in pixels of text in the current font.
  virtual CCoord getStringWidth(const char* text) = 0;
  // Draws one line of text in the font colour, centred vertically in rect and cut to it.
  // Text is UTF-8; bytes that are not valid UTF-8 are read as Latin-1.
  virtual void drawString(const char* text, const CRect& rect, CHoriTxtAlign align = kCenterText,
                          bool antialias = true) = 0;

  // Draws the part of bitmap's image starting at offset into dest, at opacity 0..1.
  virtual void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(),
                          float opacity = 1.f) = 0;

protected:
  // A context on a surface of this size; the clip starts as the whole surface.
  explicit CDrawContext(const CRect& surface) : surfaceRect(surface), clipRect(surface) {}
  // Tells the implementation that the clip rectangle changed.
  virtual void clipChanged() = 0;

  CRect surfaceRect;
  CRect clipRect;
  CLineStyle lineStyle = kLineSolid;
  CCoord lineWidth = 1;
  CDrawMode drawMode = kAntialias;
  CColor fillColor = kWhiteCColor;
  CColor frameColor = kBlackCColor;
  CColor fontColor = kWhiteCColor;
  CFontDesc fontDesc = *kNormalFont;
  CPoint pen;
};
