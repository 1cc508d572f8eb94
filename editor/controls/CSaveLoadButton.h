// A momentary button of the preset bar that tells a left click (1.0) from a right click
// alone (0.5); the value is back to 0 as soon as the listener has run. Frames: normal,
// pointer over, pressed (shown only while the listener runs). Keys do not trigger it.
#pragma once

#include "CKickButton.h"

class CSaveLoadButton : public CKickButton {
public:
  CSaveLoadButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord frameHeight,
                  CBitmap* image, const CPoint& offset = CPoint());
  ~CSaveLoadButton() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
  int32_t onKeyDown(CKeyCode& keyCode) override;
  int32_t onKeyUp(CKeyCode& keyCode) override;

  bool isPointerOver() const { return pointerOver; }

private:
  bool pointerOver = false;
};
