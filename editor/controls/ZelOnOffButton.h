// A latching on/off button (Power, Link, Blend on/off, side-chain filter on/off): a click
// or any wheel movement toggles it, as one automation gesture. Frame 0 off, frame 1 on,
// each half the image high.
#pragma once

#include "CHorizontalSwitch.h"

class ZelOnOffButton : public CHorizontalSwitch {
public:
  ZelOnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* image);
  ~ZelOnOffButton() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

private:
  // Reports the current value, toggles, reports the new value: one gesture.
  void toggle();
};
