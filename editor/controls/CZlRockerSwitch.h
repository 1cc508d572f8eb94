// The preset bar's two-sided momentary rocker: a press on the left half reports -1, on the
// right half (its middle column included) +1; the release is not reported. The picture
// follows the pointer over either half. Frames: normal, over left, over right, left
// pressed, right pressed.
#pragma once

#include "CRockerSwitch.h"

class CZlRockerSwitch : public CRockerSwitch {
public:
  CZlRockerSwitch(const CRect& size, CControlListener* listener, int32_t tag, CCoord frameHeight,
                  CBitmap* image, const CPoint& offset = CPoint(), int32_t style = kHorizontal);
  ~CZlRockerSwitch() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

  // 0 pointer not over the switch, -1 over its left half, +1 over its right half.
  int32_t getPointerSide() const { return pointerSide; }
  // The frame the current state shows.
  int32_t getFrameIndex() const;

private:
  int32_t sideOf(const CPoint& where) const;

  int32_t pointerSide = 0;
};
