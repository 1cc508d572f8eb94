#include "CDrawContext.h"

void CDrawContext::setClipRect(const CRect& clip) {
  clipRect = clip;
  clipRect.normalize().bound(surfaceRect);
  clipChanged();
}

void CDrawContext::setFont(const CFontDesc* font, CCoord size, int32_t style) {
  if (font) fontDesc = *font;
  if (size > 0) fontDesc.setSize(size);
  if (style >= 0) fontDesc.setStyle(style);
}

void CDrawContext::drawLine(const CPoint& from, const CPoint& to) {
  moveTo(from);
  lineTo(to);
}
