// A momentary button: on while pressed, off when released. Two frames from the
// background offset: released, then pressed.
#pragma once

#include "CControl.h"

class CKickButton : public CControl {
public:
  CKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
              CBitmap* background, const CPoint& offset = CPoint());
  ~CKickButton() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;

  void setHeightOfOneImage(CCoord height) { heightOfOneImage = height; }
  CCoord getHeightOfOneImage() const { return heightOfOneImage; }

protected:
  CCoord heightOfOneImage;

private:
  float entryState = 0;
  bool tracking = false;
};
