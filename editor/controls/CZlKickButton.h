// A momentary button of the preset bar with a pointer-over picture: pressed it reports
// 1.0 (0.5 for a Ctrl double click in double-click mode); the release is not reported.
// In double-click mode a single click does nothing. Frames: normal, pointer over, pressed.
#pragma once

#include "CKickButton.h"

class CZlKickButton : public CKickButton {
public:
  CZlKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord frameHeight,
                CBitmap* image, const CPoint& offset, bool doubleClickOnly);
  ~CZlKickButton() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;

  bool isPointerOver() const { return pointerOver; }
  bool isPressed() const { return pressed; }
  bool isDoubleClickOnly() const { return doubleClickOnly; }

private:
  bool pointerOver = false;
  bool doubleClickOnly;
  bool pressed = false;
};
