#include "CKickButton.h"

#include "CBitmap.h"

CKickButton::CKickButton(const CRect& rect, CControlListener* l, int32_t t, CCoord frameHeight,
                         CBitmap* bitmap, const CPoint& offset)
    : CControl(rect, l, t, bitmap), heightOfOneImage(frameHeight) {
  backOffset = offset;
}

CKickButton::~CKickButton() = default;

void CKickButton::draw(CDrawContext* context) {
  if (!background) return;
  CPoint where = backOffset;
  if (getValue() >= 0.5f) where.y += heightOfOneImage;
  background->draw(context, size, where);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  tracking = true;
  entryState = getValue();
  beginEdit();
  return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!tracking || !(buttons & kLButton)) return kMouseEventHandled;
  float old = getValue();
  setValue(size.pointInside(where) ? vmax : entryState);
  if (getValue() != old) {
    valueChanged();
    invalid();
  }
  return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&) {
  if (!tracking) return kMouseEventHandled;
  tracking = false;
  float old = getValue();
  setValue(vmin);
  if (getValue() != old) {
    valueChanged();
    invalid();
  }
  endEdit();
  return kMouseEventHandled;
}
