// The panel's film-strip knob: turned by dragging in any direction (right and up raise
// the value), finer with Shift, reset to its default by a double click or a Ctrl-click,
// stepped by the wheel. Each drag, reset and wheel step is one automation gesture.
#pragma once

#include "CAnimKnob.h"

class CAnimKnob3 : public CAnimKnob {
public:
  // frames pictures of imageWidth x frameHeight stacked in image from offset (frames >= 1).
  CAnimKnob3(const CRect& size, CControlListener* listener, int32_t tag, int32_t frames,
             CCoord imageWidth, CCoord frameHeight, CBitmap* image,
             const CPoint& offset = CPoint());
  ~CAnimKnob3() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  // Pointer travel for the full range, in thousands of pixels (0.375 = 375 px).
  void setDragRange(float thousandsOfPixels) { dragRange = thousandsOfPixels; }
  float getDragRange() const { return dragRange; }
  // The drag range is multiplied by this while Shift is held.
  void setFineFactor(float factor) { fineFactor = factor; }
  float getFineFactor() const { return fineFactor; }
  // Value change per wheel notch, and its multiplier while Shift is held.
  void setWheelStep(float step) { wheelStep = step; }
  float getWheelStep() const { return wheelStep; }
  void setWheelFineFactor(float factor) { wheelFineFactor = factor; }
  float getWheelFineFactor() const { return wheelFineFactor; }

private:
  // Value per pixel of travel for the given button state.
  float sensitivity(CButtonState buttons) const;

  float wheelStep = 0.01f;
  float wheelFineFactor = 0.1f;
  float dragStartValue = 0.f;
  CButtonState dragButtons = 0;
  CPoint dragOrigin;
  float valuePerPixel = 0.f;
  float dragRange = 1.f;
  float fineFactor = 5.f;
};
