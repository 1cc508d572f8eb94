#include "CKnob.h"

#include <cmath>

#include "CBitmap.h"
#include "CDrawContext.h"
#include "CFrame.h"
#include "VSTGUIEditorInterface.h"

namespace {
constexpr float kFineFactor = 10.f;
}

CKnob::CKnob(const CRect& rect, CControlListener* l, int32_t t, CBitmap* bitmap, CBitmap* handle,
             const CPoint& offset)
    : CControl(rect, l, t, bitmap), handleBitmap(handle) {
  backOffset = offset;
  if (handleBitmap) handleBitmap->remember();
  wheelInc = 0.01f;
}

CKnob::~CKnob() {
  if (handleBitmap) handleBitmap->forget();
}

int32_t CKnob::knobMode() const {
  CFrame* frame = getFrame();
  if (frame && frame->getEditor()) return frame->getEditor()->getKnobMode();
  return getToolkitKnobMode();
}

void CKnob::draw(CDrawContext* context) {
  if (background) background->draw(context, size, backOffset);
  float range = vmax - vmin;
  float norm = range != 0 ? (getValue() - vmin) / range : 0.f;
  double deg = startAngle - rangeAngle * norm;
  double rad = deg * M_PI / 180.0;
  CPoint c = size.getCenter();
  double radius = std::min(size.getWidth(), size.getHeight()) / 2 - insetValue;
  CPoint tip(c.x - std::sin(rad) * radius, c.y - std::cos(rad) * radius);
  if (handleBitmap) {
    CCoord w = handleBitmap->getWidth(), h = handleBitmap->getHeight();
    handleBitmap->draw(context, CRect(tip.x - w / 2, tip.y - h / 2, tip.x + w / 2, tip.y + h / 2));
  } else {
    context->setDrawMode(kAntialias);
    context->setLineWidth(2);
    context->setFrameColor(colorHandle);
    context->drawLine(c, tip);
  }
}

float CKnob::valueFromPoint(const CPoint& where) const {
  CPoint c = size.getCenter();
  // Angle of the pointer: 0 up, counter-clockwise, in 0..360.
  double deg = std::atan2(-(where.x - c.x), -(where.y - c.y)) * 180.0 / M_PI;
  double fromStart = std::fmod(startAngle - deg + 720.0, 360.0);  // clockwise from the minimum
  if (fromStart > rangeAngle) {
    // In the dead zone: snap to the nearer end.
    fromStart = (fromStart - rangeAngle < (360.0 - rangeAngle) / 2) ? rangeAngle : 0.0;
  }
  return vmin + static_cast<float>(fromStart / rangeAngle) * (vmax - vmin);
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!(buttons & kLButton)) return kMouseEventNotHandled;
  beginEdit();
  if (checkDefaultValue(buttons)) {
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  dragging = true;
  firstPoint = where;
  entryValue = getValue();
  dragButtons = buttons;
  modeRelativeOffset = 0;
  int32_t mode = knobMode();
  if (mode == kRelativCircularMode) modeRelativeOffset = entryValue - valueFromPoint(where);
  if (mode != kLinearMode) return onMouseMoved(where, buttons);
  return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&) {
  if (!dragging) return kMouseEventNotHandled;
  dragging = false;
  endEdit();
  return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!dragging || !(buttons & kLButton)) return kMouseEventNotHandled;
  float old = getValue();
  if (knobMode() == kLinearMode) {
    if ((buttons & kShift) != (dragButtons & kShift)) {
      // Re-base the drag so the value does not jump when Shift changes.
      firstPoint = where;
      entryValue = old;
      dragButtons = buttons;
    }
    double travel = (where.x - firstPoint.x) + (firstPoint.y - where.y);
    double range = linearRange * ((buttons & kShift) ? kFineFactor : 1.f);
    setValue(entryValue + static_cast<float>(travel / range) * (vmax - vmin));
  } else {
    setValue(valueFromPoint(where) + modeRelativeOffset);
  }
  bounceValue();
  if (getValue() != old) valueChanged();
  return kMouseEventHandled;
}

void CKnob::stepValue(float step, bool fine) {
  setValue(getValue() + step * (fine ? 0.1f : 1.f));
  bounceValue();
  beginEdit();
  valueChanged();
  endEdit();
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
  stepValue(wheelInc * distance, buttons & kShift);
  return true;
}

int32_t CKnob::onKeyDown(CKeyCode& key) {
  float direction;
  switch (key.virt) {
    case kVKeyUp:
    case kVKeyRight:
      direction = 1;
      break;
    case kVKeyDown:
    case kVKeyLeft:
      direction = -1;
      break;
    default:
      return kKeyNotHandled;
  }
  stepValue(wheelInc * direction, key.modifier & kKeyModShift);
  return kKeyHandled;
}
