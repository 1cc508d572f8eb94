// A two-sided momentary rocker: pressing the left (top) half gives -1, the right (bottom)
// half +1, releasing gives 0. Three frames from the background offset: -1, 0, +1.
#pragma once

#include "CControl.h"

enum CRockerStyle : int32_t { kHorizontal = 1 << 0, kVertical = 1 << 1 };

class CRockerSwitch : public CControl {
public:
  CRockerSwitch(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint(), int32_t style = kHorizontal);
  ~CRockerSwitch() override;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  void setHeightOfOneImage(CCoord height) { heightOfOneImage = height; }
  CCoord getHeightOfOneImage() const { return heightOfOneImage; }
  void setStyle(int32_t s) { style = s; }
  int32_t getStyle() const { return style; }

protected:
  CCoord heightOfOneImage;
  int32_t style;
};
