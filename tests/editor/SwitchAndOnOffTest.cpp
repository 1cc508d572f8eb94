// The Channel switch (hit test, drag past the ends, wheel, reset) and the latching on/off
// button (toggle on click and wheel, the frame of its value).
#include "CZelHorizontalSwitch.h"
#include "ToolkitTestSupport.h"
#include "ZelOnOffButton.h"

namespace {

constexpr CRect kSwitchRect(261, 186, 334, 252);

class SwitchTest : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    CBitmap* strip = makeFilmStrip(73, 66, 3);
    sw = add(new CZelHorizontalSwitch(kSwitchRect, &listener, 9, 3, 66, 3, strip));
    strip->forget();
  }
  CPoint at(double dx) const { return CPoint(kSwitchRect.left + dx, 200); }

  RecordingListener listener;
  CZelHorizontalSwitch* sw = nullptr;
};

TEST_F(SwitchTest, ClickPicksThePositionUnderThePointerAndDragFollowsPastTheEnds) {
  for (auto [dx, value] :
       {std::pair{10., 0.f}, {30., 0.5f}, {60., 1.f}, {24.3, 0.f}, {24.4, 0.5f}, {48.7, 1.f}}) {
    screen->click(at(dx));
    EXPECT_EQ(sw->getValue(), value) << dx;
  }
  EXPECT_NEAR(sw->getPositionWidth(), 73.0 / 3, 1e-9);
  editor.events.clear();
  listener.values.clear();
  screen->mouseDown(at(10), kLButton);
  screen->mouseMove(at(200), kLButton);
  EXPECT_EQ(sw->getValue(), 1.f);
  screen->mouseMove(at(-50), kLButton | kShift);
  EXPECT_EQ(sw->getValue(), 0.f) << "left of the switch";
  screen->mouseUp(at(-50), kLButton);
  EXPECT_EQ(listener.values, (std::vector<float>{0.f, 1.f, 0.f}));
  EXPECT_EQ(editor.events, (Events{"begin 9", "end 9"}));
  CPoint where = at(10);
  EXPECT_EQ(sw->onMouseDown(where, kRButton), kMouseEventNotHandled);
}

TEST_F(SwitchTest, CtrlClickResetsToTheMiddleAndTheWheelStepsAndSnaps) {
  sw->setValue(1.f);
  screen->click(at(10), kLButton | kCommand);
  EXPECT_EQ(sw->getValue(), 0.5f) << "both channels";
  EXPECT_EQ(editor.events, (Events{"begin 9", "begin 9", "end 9", "end 9"}));

  editor.events.clear();
  struct Case {
    float start, distance, expected;
  } cases[] = {{0.5f, 1.f, 1.f},    {1.f, 1.f, 1.f},    {0.f, -1.f, 0.f},
               {0.3f, 0.05f, 0.5f}, {0.5f, -0.5f, 0.f}, {0.2f, -0.05f, 0.f}};
  for (const Case& c : cases) {
    sw->setValue(c.start);
    EXPECT_TRUE(screen->wheel(at(30), c.distance));
    EXPECT_EQ(sw->getValue(), c.expected) << c.start << " " << c.distance;
  }
  EXPECT_TRUE(editor.events.empty()) << "the wheel is no gesture";
  sw->setValue(0.5f);
  frame->idle();
  EXPECT_EQ(pixel(300, 200), grey(20));
}

class OnOffTest : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    CBitmap* strip = makeFilmStrip(62, 80, 2);  // grey 10 off, 20 on
    button = add(new ZelOnOffButton(CRect(600, 180, 662, 260), &listener, 11, strip));
    strip->forget();
  }
  RecordingListener listener;
  ZelOnOffButton* button = nullptr;
};

TEST_F(OnOffTest, ClickAndAnyWheelToggleAsOneGestureReportingOldThenNew) {
  EXPECT_TRUE(button->wantsFocus());
  struct Case {
    float start;
    bool wheel;
    float distance, expected;
  } cases[] = {{0.49f, false, 0, 1.f},
               {0.5f, false, 0, 0.f},
               {1.f, true, 0.01f, 0.f},
               {0.f, true, -3.f, 1.f},
               {0.f, true, 0.f, 1.f}};
  for (const Case& c : cases) {
    button->setValue(c.start);
    listener.values.clear();
    editor.events.clear();
    if (c.wheel)
      EXPECT_TRUE(screen->wheel(CPoint(620, 200), c.distance));
    else
      screen->click(CPoint(620, 200));
    EXPECT_EQ(button->getValue(), c.expected) << c.start;
    EXPECT_EQ(listener.values, (std::vector<float>{c.start, c.expected}));
    EXPECT_EQ(editor.events, (Events{"begin 11", "end 11"}));
  }
  CPoint where(620, 200);
  EXPECT_EQ(button->onMouseDown(where, kRButton), kMouseEventNotHandled);
  button->setListener(nullptr);
  EXPECT_EQ(button->onMouseDown(where, kLButton), kMouseEventNotHandled);
}

TEST_F(OnOffTest, DrawsTheHalfOfItsValueAndItsDisabledPicture) {
  for (auto [value, g] : {std::pair{0.f, 10}, {0.49f, 10}, {0.5f, 20}, {1.f, 20}}) {
    button->setValue(value);
    frame->idle();
    EXPECT_EQ(pixel(630, 220), grey(g)) << value;
    EXPECT_FALSE(button->isDirty());
  }
  CBitmap* disabled = makeFilmStrip(62, 160, 1);  // grey 10 in both halves
  button->setDisabledBackground(disabled);
  disabled->forget();
  button->setMouseEnabled(false);
  frame->idle();
  EXPECT_EQ(pixel(630, 220), grey(10)) << "the disabled picture's on half";
}

}  // namespace
