#include "ZelValueDisplay.h"

#include "CControlListener.h"

ZelValueDisplay::ZelValueDisplay(const CRect& place, CControlListener* owner, int32_t index,
                                 CBitmap* panel)
    : CParamDisplay(place, panel) {
  setListener(owner);
  setTag(kDisplayTagBase + index);
  setBackOffset(CPoint(place.left, place.top));
}

CMouseEventResult ZelValueDisplay::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!(buttons & kLButton) || !listener) return kMouseEventNotHandled;
  listener->valueChanged(this);
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}
