#include "CZlRockerSwitch.h"

#include "CBitmap.h"
#include "CControlListener.h"

CZlRockerSwitch::CZlRockerSwitch(const CRect& rect, CControlListener* l, int32_t t,
                                 CCoord frameHeight, CBitmap* image, const CPoint& offset,
                                 int32_t s)
    : CRockerSwitch(rect, l, t, frameHeight, image, offset, s) {}

CZlRockerSwitch::~CZlRockerSwitch() = default;

int32_t CZlRockerSwitch::sideOf(const CPoint& where) const {
  return where.x >= (size.left + size.right) / 2 ? 1 : -1;
}

int32_t CZlRockerSwitch::getFrameIndex() const {
  int32_t frame = 0;
  if (pointerSide == 1) frame = 2;
  if (pointerSide == -1) frame = 1;
  // A pressed half wins over the pointer-over pictures.
  if (getValue() == -1.f) frame = 3;
  if (getValue() == 1.f) frame = 4;
  return frame;
}

void CZlRockerSwitch::draw(CDrawContext* context) {
  if (background) background->draw(context, size, CPoint(0, getFrameIndex() * heightOfOneImage));
  setDirty(false);
}

CMouseEventResult CZlRockerSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  setValue(static_cast<float>(sideOf(where)));
  invalid();
  if (listener) listener->valueChanged(this);
  return kMouseEventHandled;
}

CMouseEventResult CZlRockerSwitch::onMouseUp(CPoint&, const CButtonState&) {
  setValue(0.f);
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CZlRockerSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (buttons & kLButton) return kMouseEventHandled;
  return onMouseEntered(where, buttons);
}

CMouseEventResult CZlRockerSwitch::onMouseEntered(CPoint& where, const CButtonState&) {
  pointerSide = sideOf(where);
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CZlRockerSwitch::onMouseExited(CPoint&, const CButtonState&) {
  pointerSide = 0;
  invalid();
  return kMouseEventHandled;
}
