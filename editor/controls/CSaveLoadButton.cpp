#include "CSaveLoadButton.h"

#include "CBitmap.h"
#include "CControlListener.h"

CSaveLoadButton::CSaveLoadButton(const CRect& rect, CControlListener* l, int32_t t,
                                 CCoord frameHeight, CBitmap* image, const CPoint& offset)
    : CKickButton(rect, l, t, frameHeight, image, offset) {}

CSaveLoadButton::~CSaveLoadButton() = default;

void CSaveLoadButton::draw(CDrawContext* context) {
  if (background) {
    const int frame = getValue() != 0.f ? 2 : (pointerOver ? 1 : 0);
    background->draw(context, size, CPoint(backOffset.x, backOffset.y + frame * heightOfOneImage));
  }
  setDirty(false);
}

CMouseEventResult CSaveLoadButton::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!(buttons & (kLButton | kRButton)) || !listener) return kMouseEventNotHandled;
  // A right click alone, with no modifier, is the alternative action; a double click is
  // still a click of its button.
  setValue((buttons & ~kDoubleClick) == kRButton ? 0.5f : 1.f);
  listener->valueChanged(this);
  setValue(0.f);
  invalid();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

CMouseEventResult CSaveLoadButton::onMouseEntered(CPoint&, const CButtonState&) {
  pointerOver = true;
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CSaveLoadButton::onMouseExited(CPoint&, const CButtonState&) {
  pointerOver = false;
  invalid();
  return kMouseEventHandled;
}

int32_t CSaveLoadButton::onKeyDown(CKeyCode&) { return kKeyNotHandled; }

int32_t CSaveLoadButton::onKeyUp(CKeyCode&) { return kKeyNotHandled; }
