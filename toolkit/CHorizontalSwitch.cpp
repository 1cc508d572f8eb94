#include "CHorizontalSwitch.h"

#include <cmath>

#include "CBitmap.h"

CHorizontalSwitch::CHorizontalSwitch(const CRect& rect, CControlListener* l, int32_t t,
                                     CBitmap* bitmap, const CPoint& offset)
    : CControl(rect, l, t, bitmap) {
  backOffset = offset;
  heightOfOneImage = rect.getHeight();
  subPixmaps = (bitmap && heightOfOneImage > 0)
                   ? static_cast<int32_t>(bitmap->getHeight() / heightOfOneImage + 0.5)
                   : 0;
  maxPositions = subPixmaps;
}

CHorizontalSwitch::CHorizontalSwitch(const CRect& rect, CControlListener* l, int32_t t,
                                     int32_t frames, CCoord frameHeight, int32_t positions,
                                     CBitmap* bitmap, const CPoint& offset)
    : CControl(rect, l, t, bitmap), maxPositions(positions) {
  backOffset = offset;
  subPixmaps = frames;
  heightOfOneImage = frameHeight;
}

CHorizontalSwitch::CHorizontalSwitch(const CHorizontalSwitch& o)
    : CControl(o.size, o.listener, o.tag, o.background),
      IMultiBitmapControl(o),
      maxPositions(o.maxPositions),
      positionWidth(o.positionWidth) {
  backOffset = o.backOffset;
  vmin = o.vmin;
  vmax = o.vmax;
  defaultValue = o.defaultValue;
  wheelInc = o.wheelInc;
  setValue(o.getValue());
  setMouseEnabled(o.getMouseEnabled());
  setWantsFocus(o.wantsFocus());
  setDisabledBackground(o.disabledBackground);
}

CHorizontalSwitch::~CHorizontalSwitch() = default;

void CHorizontalSwitch::draw(CDrawContext* context) {
  CBitmap* bitmap = (disabledBackground && !getMouseEnabled()) ? disabledBackground : background;
  if (!bitmap) return;
  float range = vmax - vmin;
  float norm = range != 0 ? (getValue() - vmin) / range : 0.f;
  if (!(norm >= 0)) norm = 0;
  if (norm > 1) norm = 1;
  auto frame = static_cast<int32_t>((subPixmaps - 1) * norm + 0.5f);
  if (frame < 0) frame = 0;
  bitmap->draw(context, size, CPoint(backOffset.x, backOffset.y + frame * heightOfOneImage));
}

CMouseEventResult CHorizontalSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  positionWidth =
      (background && maxPositions > 0) ? background->getWidth() / maxPositions : size.getWidth();
  beginEdit();
  if (checkDefaultValue(buttons)) {
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  return onMouseMoved(where, buttons);
}

CMouseEventResult CHorizontalSwitch::onMouseUp(CPoint&, const CButtonState&) {
  endEdit();
  return kMouseEventHandled;
}

CMouseEventResult CHorizontalSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventHandled;
  if (maxPositions < 2 || !(positionWidth > 0)) return kMouseEventHandled;
  double position = std::trunc((where.x - size.left) / positionWidth);
  float old = getValue();
  setValue(vmin + (vmax - vmin) * static_cast<float>(position / (maxPositions - 1)));
  bounceValue();
  if (getValue() != old) valueChanged();
  return kMouseEventHandled;
}

bool CHorizontalSwitch::onWheel(const CPoint&, const float& distance, const CButtonState&) {
  if (maxPositions < 2) return false;
  float step = (vmax - vmin) / (maxPositions - 1);
  float v = getValue();
  if (distance > 0.1f)
    v += step;
  else if (distance < -0.1f)
    v -= step;
  // Snap to the nearest position.
  float n = std::trunc((v - vmin) / step + 0.5f);
  setValue(vmin + n * step);
  bounceValue();
  valueChanged();
  return true;
}
