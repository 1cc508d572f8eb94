#include "COldVuMeter2.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "CBitmap.h"
#include "CDrawContext.h"

namespace {

constexpr CColor kNeedleColor(40, 35, 30);

void take(CBitmap* bitmap) {
  if (bitmap) bitmap->remember();
}

void release(CBitmap* bitmap) {
  if (bitmap) bitmap->forget();
}

// Needle direction in the drawing context's arc convention: degrees, 0 straight up,
// counter-clockwise; value 0 points 45 degrees left of up, 1 45 degrees right.
double arcAngle(double value) { return 45.0 - 90.0 * value; }

}  // namespace

COldVuMeter2::COldVuMeter2(const CRect& rect, CControlListener* l, int32_t t, CBitmap* f1,
                           CBitmap* c, CBitmap* f0, const CPoint& pivotPoint, float innerPlusOne,
                           float outerPlusOne)
    : CControl(rect, l, t, nullptr),
      face1(f1),
      cover(c),
      face0(f0),
      lastDrawnValue(std::numeric_limits<double>::quiet_NaN()),
      innerRadius(innerPlusOne - 1.f),
      outerRadius(outerPlusOne - 1.f),
      pivot(pivotPoint) {
  CControl::setValue(1.f);
  take(face1);
  take(cover);
  take(face0);
  pictureRect.left = std::trunc(rect.left);
  pictureRect.top = std::trunc(rect.top);
  pictureRect.setWidth(face1 ? face1->getWidth() : 0);
  pictureRect.setHeight(face1 ? face1->getHeight() : 0);
  setDirty(true);
}

COldVuMeter2::~COldVuMeter2() {
  release(face1);
  release(cover);
  release(face0);
}

void COldVuMeter2::setState(int32_t s) {
  state = s;
  setDirty(true);
}

void COldVuMeter2::setValue(float v) {
  if (std::isnan(v) || v < vmin)
    v = vmin;
  else if (v > vmax)
    v = vmax;
  if (v != getValue()) CControl::setValue(v);
}

void COldVuMeter2::endPaint(bool coveredWholly) {
  CControl::endPaint(coveredWholly);
  if (drawnMoving) setDirty(true);
  drawnMoving = false;
}

int32_t COldVuMeter2::trailAlpha(float value, float previous) {
  const double a1 = arcAngle(value);
  const double a2 = arcAngle(value + 0.5 * (value - previous));
  const double alpha = 200.0 * std::pow(0.77, std::fabs(a2 - a1));
  return std::isfinite(alpha) ? static_cast<int32_t>(alpha) : 0;
}

int32_t COldVuMeter2::needleAlpha(int32_t trail) {
  return static_cast<int32_t>(255.0 * std::pow(std::clamp(trail, 0, 255) / 255.0, 0.7));
}

void COldVuMeter2::draw(CDrawContext* context) {
  context->setLineStyle(kLineSolid);
  context->setLineWidth(2.0);
  context->setDrawMode(kAntialias);

  const double v = getValue();
  const double theta = 0.75 * std::numbers::pi - 0.5 * std::numbers::pi * v;
  const CPoint c(pivot.x + 0.5, pivot.y + 0.5);
  const CPoint p1(c.x + innerRadius * std::cos(theta), c.y - innerRadius * std::sin(theta));
  const CPoint p2(c.x + outerRadius * std::cos(theta), c.y - outerRadius * std::sin(theta));

  if (CBitmap* face = state != 0 ? face1 : face0) face->draw(context, pictureRect);

  // The trail runs from where the needle points now to where it would point if it went on
  // at the speed it had since the last draw; the first draw has no trail.
  const double previous = std::isnan(lastDrawnValue) ? v : lastDrawnValue;
  const int32_t alpha = trailAlpha(static_cast<float>(v), static_cast<float>(previous));
  const double a1 = arcAngle(v);
  const double a2 = arcAngle(v + 0.5 * (v - previous));
  context->setFillColor(
      CColor(kNeedleColor.red, kNeedleColor.green, kNeedleColor.blue, static_cast<uint8_t>(alpha)));
  const CRect ellipse(pivot.x - outerRadius, pivot.y + 0.5 - outerRadius, pivot.x + outerRadius,
                      pivot.y + 0.5 + outerRadius);
  context->drawArc(ellipse, static_cast<float>(std::min(a1, a2)),
                   static_cast<float>(std::max(a1, a2)), true);
  lastDrawnValue = v;
  drawnMoving = v != previous;

  context->setFrameColor(CColor(kNeedleColor.red, kNeedleColor.green, kNeedleColor.blue,
                                static_cast<uint8_t>(needleAlpha(alpha))));
  context->drawLine(p1, p2);

  if (cover) cover->draw(context, pictureRect);
}
