#include "ZelOnOffButton.h"

#include <cmath>

#include "CBitmap.h"

ZelOnOffButton::ZelOnOffButton(const CRect& rect, CControlListener* l, int32_t t, CBitmap* image)
    : CHorizontalSwitch(rect, l, t, image, CPoint(0, 0)) {
  setWantsFocus(true);
}

ZelOnOffButton::~ZelOnOffButton() = default;

void ZelOnOffButton::draw(CDrawContext* context) {
  CBitmap* image = (disabledBackground && !getMouseEnabled()) ? disabledBackground : background;
  if (image) {
    const CCoord y = getValue() >= 0.5f ? image->getHeight() / 2 : 0;
    image->draw(context, size, CPoint(0, y));
  }
  setDirty(false);
}

void ZelOnOffButton::toggle() {
  beginEdit();
  valueChanged();
  const float v = getValue();
  const bool on = std::isfinite(v) && std::trunc(v + 0.5f) != 0;
  setValue(on ? 0.f : 1.f);
  bounceValue();
  valueChanged();
  endEdit();
}

CMouseEventResult ZelOnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!(buttons & kLButton) || !listener) return kMouseEventNotHandled;
  toggle();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool ZelOnOffButton::onWheel(const CPoint&, const float&, const CButtonState&) {
  toggle();
  return true;
}
