#include "CZelHorizontalSwitch.h"

#include <cmath>

#include "CBitmap.h"

CZelHorizontalSwitch::CZelHorizontalSwitch(const CRect& rect, CControlListener* l, int32_t t,
                                           CBitmap* image, const CPoint& offset)
    : CHorizontalSwitch(rect, l, t, image, offset) {}

CZelHorizontalSwitch::CZelHorizontalSwitch(const CRect& rect, CControlListener* l, int32_t t,
                                           int32_t frames, CCoord frameHeight, int32_t positions,
                                           CBitmap* image, const CPoint& offset)
    : CHorizontalSwitch(rect, l, t, frames, frameHeight, positions, image, offset) {}

CZelHorizontalSwitch::CZelHorizontalSwitch(const CHorizontalSwitch& other)
    : CHorizontalSwitch(other) {}

CZelHorizontalSwitch::~CZelHorizontalSwitch() = default;

CMouseEventResult CZelHorizontalSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  const CCoord imageWidth = background ? background->getWidth() : size.getWidth();
  positionWidth = subPixmaps > 0 ? imageWidth / subPixmaps : size.getWidth();
  beginEdit();
  if (checkDefaultValue(buttons)) {
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  return onMouseMoved(where, buttons);
}

CMouseEventResult CZelHorizontalSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventHandled;
  const int32_t n = subPixmaps;
  if (n < 2 || !(positionWidth > 0)) return kMouseEventHandled;
  // Left of the switch gives the first position, right of it the last.
  const double k = std::trunc((where.x - size.left) / positionWidth);
  setValue(vmin + (vmax - vmin) * static_cast<float>(k / (n - 1)));
  bounceValue();
  valueChanged();
  return kMouseEventHandled;
}

CMouseEventResult CZelHorizontalSwitch::onMouseUp(CPoint&, const CButtonState&) {
  endEdit();
  return kMouseEventHandled;
}

bool CZelHorizontalSwitch::onWheel(const CPoint&, const float& distance, const CButtonState&) {
  const int32_t n = subPixmaps;
  if (n < 2) return true;
  const float step = 1.f / static_cast<float>(n - 1);
  float v = getValue();
  if (distance > 0.1f)
    v += step;
  else if (distance < -0.1f)
    v -= step;
  // Snap to the nearest position.
  v = std::trunc(static_cast<float>(n - 1) * v + 0.5f) / static_cast<float>(n - 1);
  setValue(v);
  bounceValue();
  valueChanged();
  return true;
}
