// Controls: dirty rule, clamping, default-value click, film strips, dragging, displays,
// splash screen.
#include <cmath>
#include <cstdio>

#include "CAnimKnob.h"
#include "CHorizontalSwitch.h"
#include "CKickButton.h"
#include "CParamDisplay.h"
#include "CRockerSwitch.h"
#include "CSplashScreen.h"
#include "ToolkitTestSupport.h"

namespace {

TEST(Control, DirtyWhileValueDiffersFromOldValue) {
  auto* c = new CControl(CRect(0, 0, 10, 10));
  EXPECT_TRUE(c->isDirty()) << "new controls are drawn once";
  c->setValue(0.25f);
  c->setDirty(false);
  EXPECT_FALSE(c->isDirty());
  c->setValue(0.25f);
  EXPECT_FALSE(c->isDirty()) << "same value";
  c->setValue(0.5f);
  EXPECT_TRUE(c->isDirty());
  for (float v : {0.5f, -1.f}) {  // setDirty(true) works even when the value is -1
    c->setValue(v);
    c->setDirty(false);
    c->setDirty(true);
    EXPECT_TRUE(c->isDirty()) << v;
  }
  c->forget();
}

TEST(Control, BounceValueClampsIncludingNaN) {
  auto* c = new CControl(CRect(0, 0, 10, 10));
  c->setMin(-0.1f);
  c->setMax(1.2f);
  const std::pair<float, float> cases[] = {
      {2.f, 1.2f}, {-1.f, -0.1f}, {std::nanf(""), -0.1f}, {0.3f, 0.3f}};
  for (auto [in, out] : cases) {
    c->setValue(in);
    c->bounceValue();
    EXPECT_EQ(c->getValue(), out) << in;
  }
  c->forget();
}

using ControlFrameTest = OffscreenTest;

TEST_F(ControlFrameTest, CheckDefaultValueNeedsLeftClickWithExactlyCommand) {
  openFrame();
  RecordingListener listener;
  auto* c = add(new CControl(CRect(0, 0, 10, 10), &listener, 7));
  c->setDefaultValue(0.75f);
  c->setValue(0.1f);
  for (CButtonState refused :
       {CButtonState(kLButton), kLButton | kCommand | kShift, kRButton | kCommand,
        kLButton | kCommand | kDoubleClick, kLButton | kRButton | kCommand})
    EXPECT_FALSE(c->checkDefaultValue(refused)) << refused;
  EXPECT_EQ(c->getValue(), 0.1f);
  EXPECT_TRUE(listener.values.empty());

  EXPECT_TRUE(c->checkDefaultValue(kLButton | kCommand));
  EXPECT_EQ(c->getValue(), 0.75f);
  EXPECT_EQ(listener.values, std::vector<float>{0.75f});
  EXPECT_EQ(editor.events, (Events{"begin 7", "end 7"}));
  EXPECT_TRUE(c->checkDefaultValue(kLButton | kCommand))
      << "already at default: still a reset click";
  EXPECT_EQ(listener.values.size(), 1u);
}

// Stands in for a value that another thread stores while the control is being drawn.
class ValueChangedDuringDraw : public CControl {
public:
  using CControl::CControl;
  void draw(CDrawContext*) override {
    if (++draws == 1) setValue(0.9f);
    setDirty(false);  // controls may mark themselves clean while drawing
  }
  int draws = 0;
};

TEST_F(ControlFrameTest, DrawingMarksCleanAtTheDrawnValueAndALaterStoreIsDrawnNextIdle) {
  openFrame();
  auto* plain = add(new CControl(CRect(20, 0, 30, 10)));
  auto* c = add(new ValueChangedDuringDraw(CRect(0, 0, 10, 10)));
  plain->setValue(0.4f);
  c->setValue(0.2f);
  frame->idle();
  EXPECT_FALSE(plain->isDirty());
  EXPECT_EQ(c->getOldValue(), 0.2f) << "clean as drawn, not as stored meanwhile";
  EXPECT_TRUE(c->isDirty());
  frame->idle();
  EXPECT_EQ(c->draws, 2);
  EXPECT_FALSE(c->isDirty());
}

TEST_F(ControlFrameTest, AnimKnobShowsTheFrameOfItsValue) {
  openFrame();
  CBitmap* strip = makeFilmStrip(10, 10, 5);  // grey 10, 20, 30, 40, 50
  auto* knob = add(new CAnimKnob(CRect(0, 0, 10, 10), nullptr, 1, 5, 10, strip));
  auto* fitted = add(new CAnimKnob(CRect(20, 0, 30, 10), nullptr, 2, strip));
  strip->forget();
  EXPECT_EQ(fitted->getNumSubPixmaps(), 5) << "frames fitted from the picture's size";
  EXPECT_EQ(fitted->getHeightOfOneImage(), 10);
  const std::pair<float, int> expected[] = {{-0.5f, 10}, {0.f, 10}, {0.124f, 10}, {0.126f, 20},
                                            {0.5f, 30},  {1.f, 50}, {3.f, 50}};
  for (auto [value, g] : expected) {
    knob->setValue(value);
    frame->idle();
    EXPECT_EQ(pixel(5, 5), grey(g)) << "value " << value;
  }
}

TEST_F(ControlFrameTest, KnobLinearDragAndWheelStayInRangeAndCircularFollowsTheAngle) {
  setToolkitKnobMode(kLinearMode);
  openFrame(300, 300);
  auto* knob = add(new CKnob(CRect(0, 0, 50, 50), nullptr, 4, nullptr, nullptr));
  knob->setValue(0.5f);
  screen->mouseDown(CPoint(25, 25), kLButton);
  screen->mouseMove(CPoint(25, 25 - 50), kLButton);  // 50 px up of 200 px range
  EXPECT_NEAR(knob->getValue(), 0.75f, 1e-5);
  screen->mouseMove(CPoint(25, 25 - 500), kLButton);
  EXPECT_EQ(knob->getValue(), 1.f);
  screen->mouseUp(CPoint(25, -475), kLButton);
  EXPECT_EQ(editor.events, (Events{"begin 4", "end 4"}));
  screen->wheel(CPoint(25, 25), -1.f);
  EXPECT_NEAR(knob->getValue(), 0.99f, 1e-5);
  setToolkitKnobMode(kCircularMode);
  screen->mouseDown(CPoint(25, 5), kLButton);  // straight up: the middle of the travel
  EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5);
  screen->mouseMove(CPoint(5, 45), kLButton);  // lower left: minimum
  EXPECT_NEAR(knob->getValue(), 0.f, 1e-5);
  screen->mouseUp(CPoint(5, 45), kLButton);
}

TEST_F(ControlFrameTest, HorizontalSwitchPicksThePositionUnderThePointer) {
  openFrame(300, 100);
  CBitmap* strip = makeFilmStrip(73, 66, 3);
  auto* sw = add(new CHorizontalSwitch(CRect(100, 0, 173, 66), nullptr, 9, 3, 66, 3, strip));
  strip->forget();
  for (auto [x, value] : {std::pair{10., 0.f}, {30., 0.5f}, {60., 1.f}}) {
    screen->click(CPoint(100 + x, 10));
    EXPECT_EQ(sw->getValue(), value) << x;
  }
  screen->mouseDown(CPoint(110, 10), kLButton);
  screen->mouseMove(CPoint(400, 10), kLButton);
  EXPECT_EQ(sw->getValue(), 1.f) << "dragging past the end";
  screen->mouseUp(CPoint(400, 10), kLButton);
  sw->setValue(0.5f);
  frame->idle();
  EXPECT_EQ(pixel(120, 10), grey(20));
  sw->setValue(0.3f);
  screen->wheel(CPoint(120, 10), 0.05f);
  EXPECT_EQ(sw->getValue(), 0.5f) << "a tiny wheel step snaps";
}

TEST_F(ControlFrameTest, KickButtonIsOnOnlyWhilePressedInsideAndRockerReportsSideThenZero) {
  openFrame();
  RecordingListener kicks, rocks;
  auto* button = add(new CKickButton(CRect(0, 20, 20, 30), &kicks, 5, 10, nullptr));
  add(new CRockerSwitch(CRect(10, 0, 41, 14), &rocks, 21, 14, nullptr));
  screen->mouseDown(CPoint(5, 25), kLButton);
  EXPECT_EQ(button->getValue(), 1.f);
  screen->mouseMove(CPoint(50, 50), kLButton);
  EXPECT_EQ(button->getValue(), 0.f);
  screen->mouseUp(CPoint(50, 50), kLButton);
  EXPECT_EQ(kicks.values, (std::vector<float>{1.f, 0.f}));

  screen->click(CPoint(12, 5));
  screen->click(CPoint(25.5, 5));  // exactly the middle counts as the right half
  EXPECT_EQ(rocks.values, (std::vector<float>{-1.f, 0.f, 1.f, 0.f}));
}

bool formatDb(float value, char* text, void* user) {
  std::snprintf(text, 256, "%.1f %s", static_cast<double>(value), static_cast<const char*>(user));
  return true;
}

TEST_F(ControlFrameTest, ParamDisplayFormatsThroughItsProcAndDrawsItsBackgroundPart) {
  openFrame(60, 40);
  CBitmap* strip = makeFilmStrip(60, 20, 2);  // rows 0..19 grey 10, 20..39 grey 20
  auto* display = add(new CParamDisplay(CRect(0, 20, 60, 40), strip, kNoTextStyle));
  strip->forget();
  display->setBackOffset(CPoint(0, 20));
  char text[CParamDisplay::kTextSize];
  display->getDisplayText(0.5f, text);
  EXPECT_STREQ(text, "0.50");
  display->setValueToStringProc(formatDb, const_cast<char*>("dB"));
  display->getDisplayText(-12.f, text);
  EXPECT_STREQ(text, "-12.0 dB");
  frame->idle();
  EXPECT_EQ(pixel(30, 30), grey(20)) << "the part of the picture under the display";
}

TEST_F(ControlFrameTest, SplashScreenShowsItsPictureUntilClicked) {
  openFrame(100, 80);
  CBitmap* picture = makeFilmStrip(100, 80, 1);  // grey 10
  auto* under = add(new SolidView(CRect(0, 0, 100, 80), CColor(200, 0, 0)));
  auto* splash =
      add(new CSplashScreen(CRect(10, 10, 20, 20), nullptr, 19, picture, CRect(0, 0, 100, 80)));
  picture->forget();
  screen->click(CPoint(15, 15), kRButton);
  EXPECT_EQ(frame->getModalView(), nullptr) << "right click does nothing";
  int downsBefore = under->downs;  // the right click fell through to the view below
  screen->click(CPoint(15, 15));
  ASSERT_NE(frame->getModalView(), nullptr);
  EXPECT_EQ(splash->getValue(), 1.f);
  frame->idle();
  EXPECT_EQ(pixel(50, 50), grey(10));
  screen->click(CPoint(50, 50));
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_EQ(splash->getValue(), 0.f);
  EXPECT_EQ(under->downs, downsBefore) << "the click on the picture went to it alone";
  frame->idle();
  EXPECT_EQ(pixel(50, 50), CColor(200, 0, 0)) << "whole frame redrawn";
  screen->click(CPoint(15, 15));  // closing the frame with the picture up releases both
  EXPECT_NE(frame->getModalView(), nullptr);
}

}  // namespace
