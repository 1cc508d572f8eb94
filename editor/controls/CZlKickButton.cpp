#include "CZlKickButton.h"

#include "CBitmap.h"
#include "CControlListener.h"

CZlKickButton::CZlKickButton(const CRect& rect, CControlListener* l, int32_t t, CCoord frameHeight,
                             CBitmap* image, const CPoint& offset, bool doubleClick)
    : CKickButton(rect, l, t, frameHeight, image, offset), doubleClickOnly(doubleClick) {}

CZlKickButton::~CZlKickButton() = default;

void CZlKickButton::draw(CDrawContext* context) {
  if (background) {
    const int frame = pressed ? 2 : (pointerOver ? 1 : 0);
    background->draw(context, size, CPoint(backOffset.x, backOffset.y + frame * heightOfOneImage));
  }
  setDirty(false);
}

CMouseEventResult CZlKickButton::onMouseDown(CPoint&, const CButtonState& buttons) {
  const bool taken = (buttons & kLButton) && (!doubleClickOnly || (buttons & kDoubleClick));
  if (!taken) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  pressed = true;
  setValue((doubleClickOnly && (buttons & kCommand)) ? 0.5f : 1.f);
  if (listener) listener->valueChanged(this);
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CZlKickButton::onMouseUp(CPoint&, const CButtonState&) {
  setValue(0.f);
  pressed = false;
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CZlKickButton::onMouseEntered(CPoint&, const CButtonState&) {
  pointerOver = true;
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CZlKickButton::onMouseExited(CPoint&, const CButtonState&) {
  pointerOver = false;
  invalid();
  return kMouseEventHandled;
}
