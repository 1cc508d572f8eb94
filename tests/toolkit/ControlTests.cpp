// Controls: dirty rule, clamping, default-value click, gestures, film strips, displays,
// splash screen.
#include <cmath>
#include <cstdio>
#include <cstring>

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
  EXPECT_EQ(c->getOldValue(), 0.25f);
  EXPECT_FALSE(c->isDirty());
  c->setValue(0.25f);
  EXPECT_FALSE(c->isDirty()) << "same value";
  c->setValue(0.5f);
  EXPECT_TRUE(c->isDirty());
  c->setDirty(false);
  c->setDirty(true);
  EXPECT_EQ(c->getOldValue(), -1.f);
  c->setValue(-1.f);
  c->setDirty(true);
  EXPECT_EQ(c->getOldValue(), 0.f) << "dirty even when the value is -1";
  EXPECT_TRUE(c->isDirty());
  c->forget();
}

TEST(Control, BounceValueClampsIncludingNaN) {
  auto* c = new CControl(CRect(0, 0, 10, 10));
  c->setMin(-0.1f);
  c->setMax(1.2f);
  c->setValue(2.f);
  c->bounceValue();
  EXPECT_EQ(c->getValue(), 1.2f);
  c->setValue(-1.f);
  c->bounceValue();
  EXPECT_EQ(c->getValue(), -0.1f);
  c->setValue(std::nanf(""));
  c->bounceValue();
  EXPECT_EQ(c->getValue(), -0.1f);
  c->setValue(0.3f);
  c->bounceValue();
  EXPECT_EQ(c->getValue(), 0.3f);
  c->forget();
}

using ControlFrameTest = OffscreenTest;

TEST_F(ControlFrameTest, CheckDefaultValueNeedsLeftClickWithExactlyCommand) {
  openFrame();
  RecordingListener listener;
  auto* c = new CControl(CRect(0, 0, 10, 10), &listener, 7);
  frame->addView(c);
  c->setDefaultValue(0.75f);
  c->setValue(0.1f);
  EXPECT_FALSE(c->checkDefaultValue(kLButton));
  EXPECT_FALSE(c->checkDefaultValue(kLButton | kCommand | kShift));
  EXPECT_FALSE(c->checkDefaultValue(kRButton | kCommand));
  EXPECT_FALSE(c->checkDefaultValue(kLButton | kCommand | kDoubleClick));
  EXPECT_FALSE(c->checkDefaultValue(kLButton | kRButton | kCommand));
  EXPECT_EQ(c->getValue(), 0.1f);
  EXPECT_TRUE(listener.values.empty());

  EXPECT_TRUE(c->checkDefaultValue(kLButton | kCommand));
  EXPECT_EQ(c->getValue(), 0.75f);
  EXPECT_EQ(listener.values, std::vector<float>{0.75f});
  EXPECT_EQ(editor.events, (std::vector<std::string>{"begin 7", "end 7"}));
  EXPECT_TRUE(c->checkDefaultValue(kLButton | kCommand)) << "already at default: still a reset click";
  EXPECT_EQ(listener.values.size(), 1u);
}

TEST_F(ControlFrameTest, GesturesReachTheEditorOnlyWhenAttached) {
  auto* loose = new CControl(CRect(0, 0, 10, 10), nullptr, 3);
  loose->beginEdit();  // no frame: nothing to tell, and no crash
  loose->endEdit();
  loose->forget();
  openFrame();
  auto* c = new CControl(CRect(0, 0, 10, 10), nullptr, 3);
  frame->addView(c);
  c->beginEdit();
  c->endEdit();
  EXPECT_EQ(editor.events, (std::vector<std::string>{"begin 3", "end 3"}));
}

TEST_F(ControlFrameTest, DrawingMarksControlCleanAtTheDrawnValue) {
  openFrame();
  auto* c = new CControl(CRect(0, 0, 10, 10));
  frame->addView(c);
  c->setValue(0.4f);
  frame->idle();
  EXPECT_FALSE(c->isDirty());
  EXPECT_EQ(c->getOldValue(), 0.4f);
}

// Stands in for a value that another thread stores while the control is being drawn.
class ValueChangedDuringDraw : public CControl {
 public:
  using CControl::CControl;
  void draw(CDrawContext*) override {
    ++draws;
    if (draws == 1) setValue(0.9f);
    setDirty(false);  // controls may mark themselves clean while drawing
  }
  int draws = 0;
};

TEST_F(ControlFrameTest, ValueStoredDuringADrawIsDrawnAtTheNextIdle) {
  openFrame();
  auto* c = new ValueChangedDuringDraw(CRect(0, 0, 10, 10));
  frame->addView(c);
  c->setValue(0.2f);
  frame->idle();
  EXPECT_EQ(c->getOldValue(), 0.2f) << "clean as drawn, not as stored meanwhile";
  EXPECT_TRUE(c->isDirty());
  frame->idle();
  EXPECT_EQ(c->draws, 2);
  EXPECT_FALSE(c->isDirty());
}

TEST_F(ControlFrameTest, AnimKnobShowsTheFrameOfItsValue) {
  openFrame();
  CBitmap* strip = makeFilmStrip(10, 10, 5);  // grey 10, 20, 30, 40, 50
  auto* knob = new CAnimKnob(CRect(0, 0, 10, 10), nullptr, 1, 5, 10, strip);
  auto* fitted = new CAnimKnob(CRect(20, 0, 30, 10), nullptr, 2, strip);
  strip->forget();
  EXPECT_EQ(fitted->getNumSubPixmaps(), 5);
  EXPECT_EQ(fitted->getHeightOfOneImage(), 10);
  frame->addView(knob);
  const std::pair<float, uint8_t> expected[] = {{-0.5f, 10}, {0.f, 10}, {0.124f, 10}, {0.126f, 20},
                                                 {0.5f, 30},  {1.f, 50}, {3.f, 50}};
  for (auto [value, grey] : expected) {
    knob->setValue(value);
    frame->idle();
    EXPECT_EQ(pixel(5, 5), CColor(grey, grey, grey)) << "value " << value;
  }
  fitted->forget();
}

TEST_F(ControlFrameTest, KnobLinearDragAndWheelStayInRange) {
  setToolkitKnobMode(kLinearMode);
  openFrame(300, 300);
  RecordingListener listener;
  auto* knob = new CKnob(CRect(0, 0, 50, 50), &listener, 4, nullptr, nullptr);
  frame->addView(knob);
  knob->setValue(0.5f);
  screen->mouseDown(CPoint(25, 25), kLButton);
  screen->mouseMove(CPoint(25, 25 - 50), kLButton);  // 50 px up of 200 px range
  EXPECT_NEAR(knob->getValue(), 0.75f, 1e-5);
  screen->mouseMove(CPoint(25, 25 - 500), kLButton);
  EXPECT_EQ(knob->getValue(), 1.f);
  screen->mouseUp(CPoint(25, -475), kLButton);
  EXPECT_EQ(editor.events, (std::vector<std::string>{"begin 4", "end 4"}));
  screen->wheel(CPoint(25, 25), -1.f);
  EXPECT_NEAR(knob->getValue(), 0.99f, 1e-5);
  setToolkitKnobMode(kCircularMode);
  // Circular: pointer straight up is the middle of the travel.
  screen->mouseDown(CPoint(25, 5), kLButton);
  EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5);
  screen->mouseMove(CPoint(5, 45), kLButton);  // lower left: minimum
  EXPECT_NEAR(knob->getValue(), 0.f, 1e-5);
  screen->mouseUp(CPoint(5, 45), kLButton);
}

TEST_F(ControlFrameTest, HorizontalSwitchPicksThePositionUnderThePointer) {
  openFrame(300, 100);
  CBitmap* strip = makeFilmStrip(73, 66, 3);
  RecordingListener listener;
  auto* sw = new CHorizontalSwitch(CRect(100, 0, 173, 66), &listener, 9, 3, 66, 3, strip);
  strip->forget();
  frame->addView(sw);
  const std::pair<double, float> clicks[] = {{10, 0.f}, {30, 0.5f}, {60, 1.f}};
  for (auto [x, value] : clicks) {
    screen->click(CPoint(100 + x, 10));
    EXPECT_EQ(sw->getValue(), value) << x;
  }
  screen->mouseDown(CPoint(110, 10), kLButton);
  screen->mouseMove(CPoint(400, 10), kLButton);
  EXPECT_EQ(sw->getValue(), 1.f);
  screen->mouseMove(CPoint(0, 10), kLButton);
  EXPECT_EQ(sw->getValue(), 0.f);
  screen->mouseUp(CPoint(0, 10), kLButton);
  frame->idle();
  EXPECT_EQ(pixel(120, 10), CColor(10, 10, 10));
  sw->setValue(0.5f);
  frame->idle();
  EXPECT_EQ(pixel(120, 10), CColor(20, 20, 20));
  sw->setValue(0.3f);
  screen->wheel(CPoint(120, 10), 0.05f);
  EXPECT_EQ(sw->getValue(), 0.5f) << "a tiny wheel step snaps";
  screen->wheel(CPoint(120, 10), 1.f);
  screen->wheel(CPoint(120, 10), 1.f);
  EXPECT_EQ(sw->getValue(), 1.f);
}

TEST_F(ControlFrameTest, KickButtonIsOnOnlyWhilePressedInside) {
  openFrame();
  RecordingListener listener;
  auto* button = new CKickButton(CRect(0, 0, 20, 10), &listener, 5, 10, nullptr);
  frame->addView(button);
  screen->mouseDown(CPoint(5, 5), kLButton);
  EXPECT_EQ(button->getValue(), 1.f);
  screen->mouseMove(CPoint(50, 50), kLButton);
  EXPECT_EQ(button->getValue(), 0.f);
  screen->mouseUp(CPoint(50, 50), kLButton);
  EXPECT_EQ(listener.values, (std::vector<float>{1.f, 0.f}));
}

TEST_F(ControlFrameTest, RockerReportsSideThenZero) {
  openFrame();
  RecordingListener listener;
  auto* rocker = new CRockerSwitch(CRect(10, 0, 41, 14), &listener, 21, 14, nullptr);
  frame->addView(rocker);
  screen->click(CPoint(12, 5));
  screen->click(CPoint(25.5, 5));  // exactly the middle counts as the right half
  EXPECT_EQ(listener.values, (std::vector<float>{-1.f, 0.f, 1.f, 0.f}));
}

bool formatDb(float value, char* text, void* user) {
  std::snprintf(text, 256, "%.1f %s", static_cast<double>(value), static_cast<const char*>(user));
  return true;
}

TEST_F(ControlFrameTest, ParamDisplayFormatsThroughItsProcAndDrawsItsBackgroundPart) {
  openFrame(60, 40);
  CBitmap* strip = makeFilmStrip(60, 20, 2);  // rows 0..19 grey 10, 20..39 grey 20
  auto* display = new CParamDisplay(CRect(0, 20, 60, 40), strip, kNoTextStyle);
  strip->forget();
  display->setBackOffset(CPoint(0, 20));
  frame->addView(display);
  char text[CParamDisplay::kTextSize];
  display->getDisplayText(0.5f, text);
  EXPECT_STREQ(text, "0.50");
  display->setValueToStringProc(formatDb, const_cast<char*>("dB"));
  display->getDisplayText(-12.f, text);
  EXPECT_STREQ(text, "-12.0 dB");
  frame->idle();
  EXPECT_EQ(pixel(30, 30), CColor(20, 20, 20)) << "the part of the picture under the display";

  // Text in the font colour, no frame without the frame style.
  display->setStyle(kNoFrame);
  display->setBackground(nullptr);
  display->setBackColor(kBlackCColor);
  display->setFontColor(kWhiteCColor);
  display->setFont(kNormalFontSmall);
  frame->idle();
  int white = 0;
  for (int x = 0; x < 60; ++x)
    for (int y = 20; y < 40; ++y) white += pixel(x, y).red > 200;
  EXPECT_GT(white, 10);
  EXPECT_EQ(pixel(0, 20), kBlackCColor);
}

TEST_F(ControlFrameTest, SplashScreenShowsItsPictureUntilClicked) {
  openFrame(100, 80);
  CBitmap* picture = makeFilmStrip(100, 80, 1);  // grey 10
  auto* under = new SolidView(CRect(0, 0, 100, 80), CColor(200, 0, 0));
  frame->addView(under);
  auto* splash = new CSplashScreen(CRect(10, 10, 20, 20), nullptr, 19, picture, CRect(0, 0, 100, 80));
  picture->forget();
  frame->addView(splash);
  screen->click(CPoint(15, 15), kRButton);
  EXPECT_EQ(frame->getModalView(), nullptr) << "right click does nothing";
  int downsBefore = under->downs;  // the right click fell through to the view below
  screen->click(CPoint(15, 15));
  ASSERT_NE(frame->getModalView(), nullptr);
  EXPECT_EQ(splash->getValue(), 1.f);
  frame->idle();
  EXPECT_EQ(pixel(50, 50), CColor(10, 10, 10));
  screen->click(CPoint(50, 50));
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_EQ(splash->getValue(), 0.f);
  EXPECT_EQ(under->downs, downsBefore) << "the click on the picture went to it alone";
  frame->idle();
  EXPECT_EQ(pixel(50, 50), CColor(200, 0, 0)) << "whole frame redrawn";
  // Closing the frame while the picture is up releases both.
  screen->click(CPoint(15, 15));
  EXPECT_NE(frame->getModalView(), nullptr);
}

}  // namespace
