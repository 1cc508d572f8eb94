// The panel knob: drag law in every direction with the clamp and Shift, resets, wheel steps,
// gestures and the frame shown for a value.
#include "CAnimKnob3.h"
#include "ToolkitTestSupport.h"

namespace {

constexpr CRect kKnobRect(246, 44, 350, 148);
const CPoint kCentre(298, 96);

class KnobTest : public OffscreenTest {
protected:
  // The Threshold knob's settings: 375 px for the range, ten times finer with Shift, 1/16
  // per wheel notch, 1/96 with Shift.
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    CBitmap* strip = makeFilmStrip(104, 104, 193);
    knob = add(new CAnimKnob3(kKnobRect, &listener, 8, 193, 104, 104, strip));
    strip->forget();
    knob->setDragRange(0.375f);
    knob->setFineFactor(10.f);
    knob->setWheelStep(0.0625f);
    knob->setWheelFineFactor(1.f / 6.f);
    knob->setDefaultValue(0.75f);
    knob->setValue(0.5f);
  }
  // Presses at the centre, moves by (dx, dy) and returns the value before the release.
  float drag(double dx, double dy, CButtonState buttons = kLButton) {
    screen->mouseDown(kCentre, buttons);
    CPoint to(kCentre.x + dx, kCentre.y + dy);
    screen->mouseMove(to, buttons);
    float v = knob->getValue();
    screen->mouseUp(to, buttons);
    return v;
  }
  void moveTo(double dx, double dy, CButtonState buttons) {
    screen->mouseMove(CPoint(kCentre.x + dx, kCentre.y + dy), buttons);
  }

  RecordingListener listener;
  CAnimKnob3* knob = nullptr;
};

TEST_F(KnobTest, RightAndUpRaiseLeftAndDownLowerDiagonalsAdd) {
  struct Case {
    double dx, dy;
    float expected;
  } cases[] = {
      {0, -75, 0.7f},           {75, 0, 0.7f},    {0, 75, 0.3f},  {-75, 0, 0.3f}, {75, -75, 0.9f},
      {75, 75, 0.5f},           {-30, -30, 0.5f}, {0, -375, 1.f}, {-375, 0, 0.f}, {0, -187.5, 1.f},
      {3, -1, 0.5f + 4 / 375.f}};
  for (const Case& c : cases) {
    knob->setValue(0.5f);
    EXPECT_NEAR(drag(c.dx, c.dy), c.expected, 1e-5) << c.dx << ", " << c.dy;
  }
}

TEST_F(KnobTest, ClampKeepsTheStartSoTheExcessMustBeTravelledBack) {
  screen->mouseDown(kCentre, kLButton);
  moveTo(0, -300, kLButton);  // 0.5 + 0.8: clamped
  EXPECT_EQ(knob->getValue(), 1.f);
  moveTo(0, -200, kLButton);  // still past the end
  EXPECT_EQ(knob->getValue(), 1.f);
  moveTo(0, -150, kLButton);
  EXPECT_NEAR(knob->getValue(), 0.9f, 1e-5);
  moveTo(0, 400, kLButton);
  EXPECT_EQ(knob->getValue(), 0.f);
  screen->mouseUp(CPoint(kCentre.x, kCentre.y + 400), kLButton);
  EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"})) << "one gesture for the whole drag";
  EXPECT_EQ(listener.values.back(), 0.f);
}

TEST_F(KnobTest, ShiftPressedAndReleasedMidDragNeverJumps) {
  screen->mouseDown(kCentre, kLButton);
  moveTo(0, -75, kLButton);
  EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5);
  moveTo(0, -75, kLButton | kShift);  // Shift pressed: same place, same value
  EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5);
  moveTo(0, -175, kLButton | kShift);  // 100 px at 3750 px per range
  EXPECT_NEAR(knob->getValue(), 0.7f + 100 / 3750.f, 1e-5);
  const float atRelease = knob->getValue();
  moveTo(0, -175, kLButton);  // Shift released: still no jump
  EXPECT_NEAR(knob->getValue(), atRelease, 1e-5);
  moveTo(0, -200, kLButton);
  EXPECT_NEAR(knob->getValue(), atRelease + 25 / 375.f, 1e-5);
  screen->mouseUp(CPoint(kCentre.x, kCentre.y - 200), kLButton);

  knob->setValue(0.5f);
  EXPECT_NEAR(drag(0, -375, kLButton | kShift), 0.6f, 1e-5) << "a drag begun with Shift";
}

TEST_F(KnobTest, DoubleClickAndCtrlClickResetToTheDefaultAsOneGesture) {
  for (CButtonState reset : {kLButton | kDoubleClick, kLButton | kCommand,
                             kLButton | kCommand | kShift | kDoubleClick}) {
    knob->setValue(0.1f);
    listener.values.clear();
    editor.events.clear();
    screen->mouseDown(kCentre, reset);
    screen->mouseMove(CPoint(kCentre.x, 0), reset);  // no drag follows a reset
    screen->mouseUp(CPoint(kCentre.x, 0), reset);
    EXPECT_EQ(knob->getValue(), 0.75f) << reset;
    EXPECT_EQ(listener.values, std::vector<float>{0.75f}) << reset;
    EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"})) << reset;
  }
}

TEST_F(KnobTest, WheelStepsFineStepsAndFractionalDistances) {
  struct Case {
    float start, distance;
    CButtonState buttons;
    float expected;
  } cases[] = {
      {0.5f, 1.f, 0, 0.5625f},
      {0.5f, -3.f, 0, 0.4375f},
      {0.5f, 1.f, kShift, 0.5f + 0.0625f / 6},
      {0.5f, 0.05f, 0, 0.5f + 0.0625f * 0.05f},
      {0.98f, 1.f, 0, 1.f},
      {0.02f, -1.f, 0, 0.f},
  };
  for (const Case& c : cases) {
    knob->setValue(c.start);
    editor.events.clear();
    EXPECT_TRUE(screen->wheel(kCentre, c.distance, c.buttons));
    EXPECT_NEAR(knob->getValue(), c.expected, 1e-6) << c.start << " " << c.distance;
    EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"}));
  }
}

TEST_F(KnobTest, RefusesOtherButtonsAndWorksOnlyWithAListener) {
  CPoint where = kCentre;
  for (CButtonState b : {CButtonState(kRButton), CButtonState(kMButton)})
    EXPECT_EQ(knob->onMouseDown(where, b), kMouseEventNotHandled);
  knob->setListener(nullptr);
  EXPECT_EQ(knob->onMouseDown(where, kLButton), kMouseEventNotHandled);
  EXPECT_TRUE(editor.events.empty());
}

TEST_F(KnobTest, ShowsTheFrameOfItsValue) {
  const std::pair<float, int> expected[] = {{0.f, 0},   {-0.2f, 0},   {1.f, 192},
                                            {0.5f, 96}, {0.0026f, 0}, {0.0027f, 1}};
  for (auto [value, index] : expected) {
    knob->setValue(value);
    EXPECT_EQ(knob->getFrameIndex(), index) << value;
  }
  CBitmap* small = makeFilmStrip(50, 50, 97);
  auto* attack = add(new CAnimKnob3(CRect(49, 48, 99, 98), &listener, 1, 97, 50, 50, small));
  small->forget();
  attack->setValue(0.5f);
  EXPECT_EQ(attack->getFrameIndex(), 48);
  // The picture drawn is that frame (grey level 10 per frame, modulo 256).
  attack->setValue(2 / 96.f);
  frame->idle();
  EXPECT_EQ(pixel(70, 70), grey(30));
}

}  // namespace
