#include "CAnimKnob3.h"

#include <cmath>

#include "CBitmap.h"

CAnimKnob3::CAnimKnob3(const CRect& rect, CControlListener* l, int32_t t, int32_t frames,
                       CCoord /*imageWidth*/, CCoord frameHeight, CBitmap* image,
                       const CPoint& offset)
    : CAnimKnob(rect, l, t, frames < 1 ? 1 : frames, frameHeight, image, offset) {}

CAnimKnob3::~CAnimKnob3() = default;

void CAnimKnob3::draw(CDrawContext* context) {
  if (!background) return;
  background->draw(context, size, CPoint(0, getFrameIndex() * heightOfOneImage));
}

float CAnimKnob3::sensitivity(CButtonState buttons) const {
  float range = dragRange * 1000.f;
  if (buttons & kShift) range *= fineFactor;
  return range > 0 ? (vmax - vmin) / range : 0.f;
}

CMouseEventResult CAnimKnob3::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton) || !listener) return kMouseEventNotHandled;
  beginEdit();
  if (buttons & (kCommand | kDoubleClick)) {
    setValue(getDefaultValue());
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  dragStartValue = getValue();
  dragButtons = buttons;
  dragOrigin = where;
  valuePerPixel = sensitivity(buttons);
  return onMouseMoved(where, buttons);
}

CMouseEventResult CAnimKnob3::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventHandled;
  // Right and up count positive, left and down negative; diagonals add up.
  const auto travel = static_cast<float>((where.x - dragOrigin.x) + (dragOrigin.y - where.y));
  if (buttons != dragButtons) {
    // Shift changed: re-base so that the value stays where it is at this point.
    const float newPerPixel = sensitivity(buttons);
    dragStartValue += (valuePerPixel - newPerPixel) * travel;
    valuePerPixel = newPerPixel;
    dragButtons = buttons;
  }
  // The start is not moved by the clamp: travel past an end must come back first.
  setValue(valuePerPixel * travel + dragStartValue);
  bounceValue();
  valueChanged();
  return kMouseEventHandled;
}

CMouseEventResult CAnimKnob3::onMouseUp(CPoint&, const CButtonState&) {
  valueChanged();
  invalid();
  endEdit();
  return kMouseEventHandled;
}

bool CAnimKnob3::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
  // Small fractional steps of fine wheels go as they are.
  float direction = std::isfinite(distance) ? distance : 0.f;
  if (distance > 0.1f)
    direction = 1.f;
  else if (distance < -0.1f)
    direction = -1.f;
  float step = wheelStep * direction;
  if (buttons & kShift) step *= wheelFineFactor;
  setValue(getValue() + step);
  bounceValue();
  beginEdit();
  valueChanged();
  endEdit();
  return true;
}
