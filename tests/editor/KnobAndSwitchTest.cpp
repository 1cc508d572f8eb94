// The panel knob (drag law, clamp, Shift, resets, wheel, frames), the Channel switch (hit
// test, drag past the ends, wheel) and the on/off button (toggle on click and wheel).
#include "CAnimKnob3.h"
#include "CZelHorizontalSwitch.h"
#include "ToolkitTestSupport.h"
#include "ZelOnOffButton.h"

namespace {

constexpr CButtonState L = kLButton, LS = kLButton | kShift;
const CPoint kCentre(298, 96);

class PanelControls : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    knob = make<CAnimKnob3>(104, 104, 193, CRect(246, 44, 350, 148), 8, 193, 104, 104);
    knob->setDragRange(0.375f);  // the Threshold knob's settings
    knob->setFineFactor(10.f);
    knob->setWheelStep(0.0625f);
    knob->setWheelFineFactor(1.f / 6.f);
    knob->setDefaultValue(0.75f);
    channel = make<CZelHorizontalSwitch>(73, 66, 3, CRect(261, 186, 334, 252), 9, 3, 66, 3);
    power = make<ZelOnOffButton>(57, 50, 2, CRect(710, 3, 767, 53), 0);
  }
  // A control on a film strip of grey frames (frame i: grey 10 (i + 1)).
  template <typename Control, typename... Args>
  Control* make(int w, int h, int frames, const CRect& r, int32_t tag, Args... args) {
    CBitmap* strip = makeFilmStrip(w, h, frames);
    auto* c = add(new Control(r, &listener, tag, args..., strip));
    strip->forget();
    return c;
  }
  void clear() {
    listener.values.clear();
    editor.events.clear();
  }
  RecordingListener listener;
  CAnimKnob3* knob = nullptr;
  CZelHorizontalSwitch* channel = nullptr;
  ZelOnOffButton* power = nullptr;
};

TEST_F(PanelControls, KnobDragLaw) {
  struct Step {
    double dx, dy;
    CButtonState buttons;
    float value;
  };
  const float shifted = 0.7f + 100 / 3750.f;
  const std::vector<std::vector<Step>> drags = {
      {{0, -75, L, 0.7f}},  // 375 px for the range: up and right raise, down and left lower
      {{75, 0, L, 0.7f}},
      {{0, 75, L, 0.3f}},
      {{-75, 0, L, 0.3f}},
      {{75, -75, L, 0.9f}},  // diagonals add up
      {{-30, -30, L, 0.5f}},
      {{0, -375, LS, 0.6f}},  // ten times finer with Shift
      // Past the end the value stays; the excess must be travelled back first.
      {{0, -300, L, 1.f}, {0, -200, L, 1.f}, {0, -150, L, 0.9f}, {0, 400, L, 0.f}},
      // Shift pressed and released mid-drag: no jump either time.
      {{0, -75, L, 0.7f},
       {0, -75, LS, 0.7f},
       {0, -175, LS, shifted},
       {0, -175, L, shifted},
       {0, -200, L, shifted + 25 / 375.f}},
  };
  for (const auto& steps : drags) {
    knob->setValue(0.5f);
    clear();
    screen->mouseDown(kCentre, steps[0].buttons);
    CPoint at;
    for (const Step& s : steps) {
      at = CPoint(kCentre.x + s.dx, kCentre.y + s.dy);
      screen->mouseMove(at, s.buttons);
      EXPECT_NEAR(knob->getValue(), s.value, 1e-5) << s.dx << ", " << s.dy;
    }
    screen->mouseUp(at, steps.back().buttons);
    EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"}));
    EXPECT_EQ(listener.values.back(), knob->getValue());
  }
}

TEST_F(PanelControls, KnobResetsWheelStepsAndFrames) {
  for (CButtonState reset : {L | kDoubleClick, L | kCommand}) {
    knob->setValue(0.1f);
    clear();
    screen->mouseDown(kCentre, reset);
    screen->mouseMove(CPoint(kCentre.x, 0), reset);  // no drag follows a reset
    screen->mouseUp(CPoint(kCentre.x, 0), reset);
    EXPECT_EQ(listener.values, std::vector<float>{0.75f}) << reset;
    EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"})) << reset;
  }
  // {start, distance, buttons, value}: 1/16 a notch, 1/96 with Shift, fractions as they come.
  const std::tuple<float, float, CButtonState, float> wheels[] = {
      {0.5f, -3.f, 0, 0.4375f},
      {0.5f, 1.f, kShift, 0.5f + 0.0625f / 6},
      {0.5f, 0.05f, 0, 0.503125f},
      {0.98f, 1.f, 0, 1.f}};
  for (auto [start, distance, buttons, value] : wheels) {
    knob->setValue(start);
    clear();
    EXPECT_TRUE(screen->wheel(kCentre, distance, buttons));
    EXPECT_NEAR(knob->getValue(), value, 1e-6) << start << " " << distance;
    EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"}));
  }
  for (auto [value, index] : {std::pair{-0.2f, 0}, {1.f, 192}, {0.5f, 96}, {2 / 192.f, 2}}) {
    knob->setValue(value);
    EXPECT_EQ(knob->getFrameIndex(), index) << value;
  }
  frame->idle();
  EXPECT_EQ(pixel(298, 96), grey(30)) << "frame 2 drawn";
}

TEST_F(PanelControls, SwitchPicksThePositionUnderThePointerAndStepsWithTheWheel) {
  const double left = 261;  // positions are 73 / 3 = 24.33 px wide
  for (auto [dx, value] :
       {std::pair{10., 0.f}, {30., 0.5f}, {60., 1.f}, {24.3, 0.f}, {24.4, 0.5f}}) {
    screen->click(CPoint(left + dx, 200));
    EXPECT_EQ(channel->getValue(), value) << dx;
  }
  clear();
  screen->mouseDown(CPoint(left + 10, 200), L);
  screen->mouseMove(CPoint(left + 200, 200), L);
  EXPECT_EQ(channel->getValue(), 1.f);
  screen->mouseMove(CPoint(left - 50, 100), L);
  EXPECT_EQ(channel->getValue(), 0.f);
  screen->mouseUp(CPoint(left - 50, 100), L);
  EXPECT_EQ(listener.values, (std::vector<float>{0.f, 1.f, 0.f}));
  EXPECT_EQ(editor.events, (Events{"begin 9", "end 9"}));

  screen->click(CPoint(left + 60, 200), L | kCommand);
  EXPECT_EQ(channel->getValue(), 0.5f) << "a Ctrl-click resets to both channels";
  clear();
  const std::tuple<float, float, float> wheels[] = {// {start, distance, value}
                                                    {0.5f, 1.f, 1.f},
                                                    {1.f, 1.f, 1.f},
                                                    {0.f, -1.f, 0.f},
                                                    {0.3f, 0.05f, 0.5f}};
  for (auto [start, distance, value] : wheels) {
    channel->setValue(start);
    EXPECT_TRUE(screen->wheel(CPoint(left + 30, 200), distance));
    EXPECT_EQ(channel->getValue(), value) << start << " " << distance;
  }
  EXPECT_TRUE(editor.events.empty()) << "the wheel is no gesture";
}

TEST_F(PanelControls, OnOffButtonTogglesOnClickAndAnyWheelAndShowsItsHalf) {
  struct Case {
    float start;
    bool wheel;
    float distance, value;
    int grey;
  } cases[] = {{0.49f, false, 0, 1.f, 20},
               {0.5f, false, 0, 0.f, 10},
               {1.f, true, 0.01f, 0.f, 10},
               {0.f, true, -3.f, 1.f, 20}};
  for (const Case& c : cases) {
    power->setValue(c.start);
    clear();
    if (c.wheel)
      screen->wheel(CPoint(720, 20), c.distance);
    else
      screen->click(CPoint(720, 20));
    EXPECT_EQ(listener.values, (std::vector<float>{c.start, c.value})) << "old, then new";
    EXPECT_EQ(editor.events, (Events{"begin 0", "end 0"}));
    frame->idle();
    EXPECT_EQ(pixel(720, 20), grey(c.grey)) << c.start;
  }
}

}  // namespace
