// A knob drawn from a film strip: one frame per position, chosen from the value.
#pragma once

#include "CKnob.h"
#include "IMultiBitmapControl.h"

class CAnimKnob : public CKnob, public IMultiBitmapControl {
public:
  // subPixmaps frames of heightOfOneImage pixels in background, starting at offset.
  CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
            CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint());
  // Frames as high as the control, as many as fit in background.
  CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
            const CPoint& offset = CPoint());
  ~CAnimKnob() override;

  // Draws frame round((frames - 1) * normalised value) (frame 0 for values at or below min).
  void draw(CDrawContext* context) override;
  // Frame index for the current value.
  int32_t getFrameIndex() const;
};
