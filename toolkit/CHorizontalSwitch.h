// A switch with positions side by side, drawn from a film strip (one frame per position).
// Clicking or dragging picks the position under the pointer.
#pragma once

#include "CControl.h"
#include "IMultiBitmapControl.h"

class CHorizontalSwitch : public CControl, public IMultiBitmapControl {
public:
  // Frames as high as the control, as many as fit in background; one position per frame.
  CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                    const CPoint& offset = CPoint());
  CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                    CCoord heightOfOneImage, int32_t maxPositions, CBitmap* background,
                    const CPoint& offset = CPoint());
  CHorizontalSwitch(const CHorizontalSwitch& other);
  ~CHorizontalSwitch() override;

  // Draws the frame of the current position (the disabled background when set and the
  // mouse is disabled).
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  int32_t getMaxPositions() const { return maxPositions; }

protected:
  int32_t maxPositions;
  CCoord positionWidth = 1;
};
