// The needle meter: clamping, the dirty rule, faces and cover, and the motion trail's
// opacity law at rest and after a jump.
#include <cmath>

#include "COldVuMeter2.h"
#include "ToolkitTestSupport.h"

namespace {

const CColor kFace1(230, 220, 190), kFace0(70, 70, 90), kCoverMark(0, 0, 200);

// A 145 x 145 picture of one colour; cover: transparent but for a 10 x 10 mark top left.
CBitmap* picture(const CColor& colour, bool coverMark = false) {
  IPlatformBitmap* image = IPlatformBitmap::create(CPoint(145, 145));
  CDrawContext* context = image->createDrawContext();
  context->setFillColor(colour);
  context->fillRect(coverMark ? CRect(0, 0, 10, 10) : CRect(0, 0, 145, 145));
  context->forget();
  auto* bitmap = new CBitmap(image);
  image->forget();
  return bitmap;
}

class MeterTest : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    CBitmap* f1 = picture(kFace1);
    CBitmap* f0 = picture(kFace0);
    CBitmap* cover = picture(kCoverMark, true);
    meter = add(new COldVuMeter2(CRect(392, 34, 537, 179), nullptr, 18, f1, cover, f0,
                                 CPoint(463, 143), 3, 76));
    f1->forget();
    f0->forget();
    cover->forget();
    meter->setMin(-0.1f);
    meter->setMax(1.2f);
    meter->setDefaultValue(1.f);
  }
  // A pixel on the needle at radius r for value v.
  CColor onNeedle(double v, double r) {
    const double theta = 0.75 * M_PI - 0.5 * M_PI * v;
    return pixel(static_cast<int>(463.5 + r * std::cos(theta)),
                 static_cast<int>(143.5 - r * std::sin(theta)));
  }
  COldVuMeter2* meter = nullptr;
};

TEST_F(MeterTest, SetupValuesAndClamping) {
  EXPECT_EQ(meter->getValue(), 1.f);
  EXPECT_EQ(meter->getState(), 1);
  EXPECT_EQ(meter->getPictureRect(), CRect(392, 34, 537, 179));
  EXPECT_EQ(meter->getInnerRadius(), 2.f);
  EXPECT_EQ(meter->getOuterRadius(), 75.f);
  const std::pair<float, float> cases[] = {
      {2.f, 1.2f}, {-1.f, -0.1f}, {std::nanf(""), -0.1f}, {0.7f, 0.7f}, {1.2f, 1.2f}};
  for (auto [in, out] : cases) {
    meter->setValue(in);
    EXPECT_EQ(meter->getValue(), out) << in;
  }
  CPoint where(450, 100);
  EXPECT_EQ(meter->onMouseDown(where, kLButton), kMouseEventNotHandled) << "clicks fall through";
}

TEST_F(MeterTest, RedrawnOnlyWhenValueOrStateChanged) {
  frame->idle();
  EXPECT_FALSE(meter->isDirty());
  meter->setValue(1.f);
  EXPECT_FALSE(meter->isDirty()) << "same value";
  meter->setValue(0.8f);
  EXPECT_TRUE(meter->isDirty());
  frame->idle();
  EXPECT_TRUE(meter->isDirty()) << "drawn moving: drawn once more at rest";
  frame->idle();
  EXPECT_FALSE(meter->isDirty());
  meter->setValue(5.f);  // clamped to 1.2
  frame->idle();
  frame->idle();
  meter->setValue(3.f);  // clamped to the same 1.2
  EXPECT_FALSE(meter->isDirty());
  meter->setState(1);
  EXPECT_TRUE(meter->isDirty()) << "a state change is drawn even with the same face";
}

TEST_F(MeterTest, FaceFollowsTheStateAndTheCoverLiesOnTop) {
  frame->idle();
  EXPECT_EQ(pixel(400, 150), kFace1);
  EXPECT_EQ(pixel(395, 37), kCoverMark);
  meter->setState(0);
  frame->idle();
  EXPECT_EQ(pixel(400, 150), kFace0);
  EXPECT_EQ(pixel(395, 37), kCoverMark);
  meter->setState(7);
  frame->idle();
  EXPECT_EQ(pixel(400, 150), kFace1) << "any state but 0 shows face 1";
}

TEST_F(MeterTest, TrailOpacityLaw) {
  struct Case {
    float value, previous;
    int trail, needle;
  } cases[] = {
      {0.5f, 0.5f, 200, 215},             // still: no trail, needle alpha 215
      {0.5f + 2 / 9.f, 0.5f, 14, 33},     // a 10-degree jump
      {0.5f, 0.5f + 2 / 9.f, 14, 33},     // the same the other way
      {0.5f + 1 / 45.f, 0.5f, 154, 179},  // a 1-degree jump
      {1.f, -1.f, 0, 0},                  // a huge jump: no needle left to see
  };
  for (const Case& c : cases) {
    const int trail = COldVuMeter2::trailAlpha(c.value, c.previous);
    EXPECT_EQ(trail, c.trail) << c.value << " from " << c.previous;
    EXPECT_EQ(COldVuMeter2::needleAlpha(trail), c.needle);
  }
}

TEST_F(MeterTest, NeedleIsSolidAtRestFaintAfterAJumpAndSolidAfterAFaceChange) {
  meter->setValue(0.5f);
  frame->idle();  // first draw: no previous value, so no trail
  const CColor rest = onNeedle(0.5, 40);
  EXPECT_LT(rest.red, 110) << "a still needle is drawn dark";
  EXPECT_EQ(meter->getLastDrawnValue(), 0.5);

  meter->setValue(0.5f + 2 / 9.f);  // 10 degrees between two draws
  frame->idle();
  const CColor moving = onNeedle(0.5 + 2 / 9.0, 40);
  EXPECT_GT(moving.red, 190) << "a fast needle is faint";

  frame->idle();  // the value stays: the next idle shows the needle at rest, solid again
  EXPECT_LT(onNeedle(0.5 + 2 / 9.0, 40).red, 110);
  frame->invalid();  // any redraw without movement shows it solid
  EXPECT_LT(onNeedle(0.5 + 2 / 9.0, 40).red, 110);

  meter->setState(0);  // the face changes; the needle stays solid
  frame->idle();
  EXPECT_LT(onNeedle(0.5 + 2 / 9.0, 40).red, 60);
  EXPECT_EQ(pixel(400, 150), kFace0);
}

}  // namespace
