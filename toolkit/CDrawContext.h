// A drawing context: draws lines, shapes, text and bitmaps into a frame's back buffer
// or into a bitmap. Contexts are created by CFrame::createDrawContext or
// IPlatformBitmap::createDrawContext and released with forget(). UI thread only.
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
  struct Impl;
  // Wraps a platform implementation (made by the platform layer only).
  explicit CDrawContext(Impl* impl);
  ~CDrawContext() override;

  // The whole drawable area.
  CRect getSurfaceRect() const;

  // Clipping: everything drawn is cut to the clip rectangle (itself cut to the surface).
  void setClipRect(const CRect& clip);
  CRect& getClipRect(CRect& clip) const;
  void resetClipRect();

  void setLineStyle(CLineStyle style);
  CLineStyle getLineStyle() const;
  void setLineWidth(CCoord width);
  CCoord getLineWidth() const;
  // Anti-aliased or hard-edged drawing of lines, shapes and text.
  void setDrawMode(CDrawMode mode);
  CDrawMode getDrawMode() const;

  void setFillColor(const CColor& color);
  CColor getFillColor() const;
  void setFrameColor(const CColor& color);
  CColor getFrameColor() const;
  void setFontColor(const CColor& color);
  CColor getFontColor() const;
  // Sets the text font; size 0 keeps the font's own size, style -1 the font's own style.
  void setFont(const CFontDesc* font, CCoord size = 0, int32_t style = -1);
  const CFontDesc& getFont() const;

  // Lines in the frame colour, line width and style: moveTo sets the pen, lineTo draws to a point.
  void moveTo(const CPoint& point);
  void lineTo(const CPoint& point);
  CPoint getPenPosition() const;
  void drawLine(const CPoint& from, const CPoint& to);

  // Rectangle outline (frame colour) and / or area (fill colour).
  void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
  void fillRect(const CRect& rect);
  // Ellipse inscribed in rect.
  void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked);
  // Pie slice of the ellipse in rect from startDeg to endDeg, closed to the centre. Angles in
  // degrees: 0 points up, angles grow counter-clockwise. Filled with the fill colour, or its
  // outline drawn in the frame colour.
  void drawArc(const CRect& rect, float startDeg, float endDeg, bool filled = false);

  // Width in pixels of text in the current font.
  CCoord getStringWidth(const char* text);
  // Draws one line of text in the font colour, centred vertically in rect and cut to it.
  // Text is UTF-8; bytes that are not valid UTF-8 are read as Latin-1.
  void drawString(const char* text, const CRect& rect, CHoriTxtAlign align = kCenterText,
                  bool antialias = true);

  // Draws the part of bitmap's image starting at offset into dest, at opacity 0..1.
  void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(),
                  float opacity = 1.f);

  Impl* getImpl() const { return impl; }

private:
  Impl* impl;
};
