#include "CParamDisplay.h"

#include <cstdio>
#include <cstring>

#include "CBitmap.h"

CParamDisplay::CParamDisplay(const CRect& rect, CBitmap* bitmap, int32_t s)
    : CControl(rect, nullptr, 0, bitmap), style(s) {}

CParamDisplay::~CParamDisplay() = default;

void CParamDisplay::setFont(const CFontDesc* f) {
  if (f) font = *f;
  setDirty(true);
}

void CParamDisplay::setFontColor(const CColor& c) {
  fontColor = c;
  setDirty(true);
}

void CParamDisplay::setBackColor(const CColor& c) {
  backColor = c;
  setDirty(true);
}

void CParamDisplay::setFrameColor(const CColor& c) {
  frameColor = c;
  setDirty(true);
}

void CParamDisplay::setShadowColor(const CColor& c) {
  shadowColor = c;
  setDirty(true);
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign align) {
  horiAlign = align;
  setDirty(true);
}

void CParamDisplay::setStyle(int32_t s) {
  style = s;
  setDirty(true);
}

void CParamDisplay::setValueToStringProc(CParamDisplayValueToStringProc proc, void* userData) {
  valueToString = proc;
  valueToStringUserData = userData;
  setDirty(true);
}

void CParamDisplay::getDisplayText(float v, char text[kTextSize]) const {
  std::memset(text, 0, kTextSize);
  if (valueToString && valueToString(v, text, valueToStringUserData)) {
    text[kTextSize - 1] = 0;
    return;
  }
  std::snprintf(text, kTextSize, "%2.2f", static_cast<double>(v));
}

void CParamDisplay::draw(CDrawContext* context) {
  if (style & kNoDrawStyle) return;
  drawBack(context);
  if (style & kNoTextStyle) return;
  char text[kTextSize];
  getDisplayText(getValue(), text);
  drawText(context, text);
}

void CParamDisplay::drawBack(CDrawContext* context) {
  if (background) {
    background->draw(context, size, backOffset);
  } else if (!(style & kTransparencyStyle)) {
    context->setFillColor(backColor);
    context->fillRect(size);
    if (!(style & (k3DIn | k3DOut | kNoFrame))) {
      context->setLineWidth(1);
      context->setLineStyle(kLineSolid);
      context->setFrameColor(frameColor);
      context->drawRect(size);
    }
  }
  if (style & (k3DIn | k3DOut)) {
    CColor light(255, 255, 255, 110), dark(0, 0, 0, 110);
    context->setLineWidth(1);
    context->setLineStyle(kLineSolid);
    context->setFrameColor((style & k3DIn) ? dark : light);
    context->drawLine(CPoint(size.left, size.bottom - 1), CPoint(size.left, size.top));
    context->drawLine(CPoint(size.left, size.top), CPoint(size.right - 1, size.top));
    context->setFrameColor((style & k3DIn) ? light : dark);
    context->drawLine(CPoint(size.right - 1, size.top), CPoint(size.right - 1, size.bottom - 1));
    context->drawLine(CPoint(size.right - 1, size.bottom - 1), CPoint(size.left, size.bottom - 1));
  }
}

void CParamDisplay::drawText(CDrawContext* context, const char* text) {
  if (!text || !text[0]) return;
  context->setFont(&font);
  if (style & kShadowText) {
    CRect shadow = size;
    shadow.offset(1, 1);
    context->setFontColor(shadowColor);
    context->drawString(text, shadow, horiAlign, antialias);
  }
  context->setFontColor(fontColor);
  context->drawString(text, size, horiAlign, antialias);
}
