#include "DialogShield.h"

DialogShield::DialogShield(const CRect& frameSize) : CView(frameSize) {}

void DialogShield::draw(CDrawContext*) { setDirty(false); }

CMouseEventResult DialogShield::onMouseDown(CPoint&, const CButtonState&) {
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult DialogShield::onMouseUp(CPoint&, const CButtonState&) {
  return kMouseEventHandled;
}

CMouseEventResult DialogShield::onMouseMoved(CPoint&, const CButtonState&) {
  return kMouseEventHandled;
}

bool DialogShield::onWheel(const CPoint&, const float&, const CButtonState&) { return true; }

// Keys stay the host's while the dialog is up.
int32_t DialogShield::onKeyDown(CKeyCode&) { return kKeyNotHandled; }
