// A switch with positions side by side (the panel's Channel switch): a click or a drag
// picks the position under the pointer, the wheel steps one position. Its film strip has
// one frame per position, stacked vertically; a position is image width / frames wide.
#pragma once

#include "CHorizontalSwitch.h"

class CZelHorizontalSwitch : public CHorizontalSwitch {
public:
  CZelHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* image,
                       const CPoint& offset = CPoint());
  CZelHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag, int32_t frames,
                       CCoord frameHeight, int32_t positions, CBitmap* image,
                       const CPoint& offset = CPoint());
  explicit CZelHorizontalSwitch(const CHorizontalSwitch& other);
  ~CZelHorizontalSwitch() override;

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  // Width of one position as measured at the last press.
  CCoord getPositionWidth() const { return positionWidth; }
};
