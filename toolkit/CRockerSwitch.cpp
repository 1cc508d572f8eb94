#include "CRockerSwitch.h"

#include "CBitmap.h"

CRockerSwitch::CRockerSwitch(const CRect& rect, CControlListener* l, int32_t t, CCoord frameHeight,
                             CBitmap* bitmap, const CPoint& offset, int32_t s)
    : CControl(rect, l, t, bitmap), heightOfOneImage(frameHeight), style(s) {
  backOffset = offset;
  vmin = -1.f;
  vmax = 1.f;
  defaultValue = 0.f;
}

CRockerSwitch::~CRockerSwitch() = default;

void CRockerSwitch::draw(CDrawContext* context) {
  if (!background) return;
  float v = getValue();
  int frame = v < 0 ? 0 : (v > 0 ? 2 : 1);
  background->draw(context, size, CPoint(backOffset.x, backOffset.y + frame * heightOfOneImage));
}

CMouseEventResult CRockerSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  bool second = (style & kVertical) ? where.y >= (size.top + size.bottom) / 2
                                    : where.x >= (size.left + size.right) / 2;
  beginEdit();
  setValue(second ? vmax : vmin);
  valueChanged();
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CRockerSwitch::onMouseUp(CPoint&, const CButtonState&) {
  setValue(0.f);
  valueChanged();
  invalid();
  endEdit();
  return kMouseEventHandled;
}

bool CRockerSwitch::onWheel(const CPoint&, const float& distance, const CButtonState&) {
  if (distance == 0) return false;
  beginEdit();
  setValue(distance > 0 ? vmax : vmin);
  valueChanged();
  setValue(0.f);
  valueChanged();
  endEdit();
  return true;
}
