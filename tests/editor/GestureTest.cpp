// Every begin of edit gets its end, also for drags that never see their mouse up: the
// release lost outside the window, a new press first, a move without buttons, the control
// removed, the frame closed.
#include "CAnimKnob3.h"
#include "CZelHorizontalSwitch.h"
#include "ToolkitTestSupport.h"

namespace {

class GestureTest : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    CBitmap* strip = makeFilmStrip(104, 104, 3);
    knob = add(new CAnimKnob3(CRect(246, 44, 350, 148), &listener, 8, 3, 104, 104, strip));
    strip->forget();
    CBitmap* switchStrip = makeFilmStrip(73, 66, 3);
    channel = add(
        new CZelHorizontalSwitch(CRect(261, 186, 334, 252), &listener, 9, 3, 66, 3, switchStrip));
    switchStrip->forget();
    knob->setDragRange(0.375f);
    knob->setValue(0.5f);
    screen->mouseDown(CPoint(298, 96), kLButton);
    screen->mouseMove(CPoint(298, 21), kLButton);
  }
  RecordingListener listener;
  CAnimKnob3* knob = nullptr;
  CZelHorizontalSwitch* channel = nullptr;
};

TEST_F(GestureTest, ReleaseOutsideTheWindowEndsTheDrag) {
  screen->mouseMove(CPoint(-40, -300), kLButton);
  screen->mouseUp(CPoint(-40, -300), kLButton);
  EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"}));
  EXPECT_EQ(knob->getOpenEdits(), 0);
}

TEST_F(GestureTest, ANewPressEndsTheDragWhoseReleaseWasLost) {
  screen->mouseDown(CPoint(300, 200), kLButton);
  screen->mouseUp(CPoint(300, 200), kLButton);
  EXPECT_EQ(editor.events, (Events{"begin 8", "end 8", "begin 9", "end 9"}));
  EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5) << "the lost release changes nothing";
}

TEST_F(GestureTest, AMoveWithoutButtonsEndsTheDrag) {
  screen->mouseMove(CPoint(298, 10), 0);
  EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"}));
  screen->mouseMove(CPoint(298, 0), kLButton);
  EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5) << "later moves drag nothing";
}

TEST_F(GestureTest, RemovingTheControlOrClosingTheFrameEndsOpenGestures) {
  knob->remember();
  frame->removeView(knob);
  EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"}));
  knob->beginEdit();  // a gesture of a control in no frame is not reported
  knob->endEdit();
  knob->endEdit();  // an end without a begin is dropped
  EXPECT_EQ(knob->getOpenEdits(), 0);
  knob->forget();

  screen->mouseDown(CPoint(265, 200), kLButton);
  frame->close();
  frame = nullptr;
  EXPECT_EQ(editor.events, (Events{"begin 8", "end 8", "begin 9", "end 9"}));
}

}  // namespace
