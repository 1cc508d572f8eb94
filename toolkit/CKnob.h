// The stock knob: turned by dragging (circular or linear by the editor's knob mode),
// by the wheel and by the arrow keys; drawn as its background and a handle line.
#pragma once

#include "CColor.h"
#include "CControl.h"

class CKnob : public CControl {
public:
  CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
        CBitmap* handle, const CPoint& offset = CPoint());
  ~CKnob() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
  int32_t onKeyDown(CKeyCode& keyCode) override;

  // Handle line colour and inset from the rim.
  void setColorHandle(const CColor& color) { colorHandle = color; }
  void setInsetValue(CCoord inset) { insetValue = inset; }
  // Angle in degrees (0 up, counter-clockwise) of the minimum and the angular range,
  // measured clockwise.
  void setStartAngle(float degrees) { startAngle = degrees; }
  void setRangeAngle(float degrees) { rangeAngle = degrees; }
  // Pixels of linear travel for the full range.
  void setLinearRange(CCoord pixels) { linearRange = pixels; }

protected:
  // Value for a pointer position, from the angle around the knob's centre.
  float valueFromPoint(const CPoint& where) const;
  int32_t knobMode() const;
  // Adds step (a tenth of it when fine) as one reported gesture.
  void stepValue(float step, bool fine);

  CBitmap* handleBitmap;
  CColor colorHandle = kWhiteCColor;
  CCoord insetValue = 3;
  float startAngle = 135.f;  // lower left
  float rangeAngle = 270.f;
  CCoord linearRange = 200;

private:
  CPoint firstPoint;
  float entryValue = 0;
  float modeRelativeOffset = 0;
  CButtonState dragButtons = 0;
  bool dragging = false;
};
