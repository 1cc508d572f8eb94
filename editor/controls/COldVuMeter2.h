// The gain-reduction needle meter: a face picture (one per state), a needle drawn from a
// pivot, a translucent motion trail that widens and fades the faster the needle moves,
// and a cover picture over the needle. It shows the value it is given, nothing more.
// UI thread only.
#pragma once

#include "CControl.h"

class COldVuMeter2 : public CControl {
public:
  // face1 (state 1; its size sets the picture rectangle), cover and face0 (state 0) are
  // remembered; the needle runs from radius innerPlusOne - 1 to outerPlusOne - 1.
  COldVuMeter2(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* face1,
               CBitmap* cover, CBitmap* face0, const CPoint& pivot, float innerPlusOne,
               float outerPlusOne);
  ~COldVuMeter2() override;

  // Selects the face (0: face 0, anything else: face 1) and redraws at the next idle.
  void setState(int32_t s);
  int32_t getState() const { return state; }
  // Stores v clamped to min..max (not a number: min); an unchanged value leaves the meter
  // clean, a changed one is drawn at the next idle.
  void setValue(float v) override;
  void draw(CDrawContext* context) override;

  // Trail opacity (0..200) for a needle that moved from previous to value since the last
  // draw, and the needle's own opacity (0..255) for a trail opacity.
  static int32_t trailAlpha(float value, float previous);
  static int32_t needleAlpha(int32_t trailAlpha);

  const CRect& getPictureRect() const { return pictureRect; }
  const CPoint& getPivot() const { return pivot; }
  float getInnerRadius() const { return innerRadius; }
  float getOuterRadius() const { return outerRadius; }
  // The value the last draw showed (not a number before the first draw).
  double getLastDrawnValue() const { return lastDrawnValue; }

protected:
  // A needle drawn in motion is drawn once more at the next idle, at rest, even when the
  // value then stays: a trail never remains on a still needle.
  void endPaint(bool coveredWholly) override;

private:
  int32_t state = 1;
  bool drawnMoving = false;
  CBitmap* face1;
  CBitmap* cover;
  CBitmap* face0;
  double lastDrawnValue;
  float innerRadius;
  float outerRadius;
  CRect pictureRect;
  CPoint pivot;
};
