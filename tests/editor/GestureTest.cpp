// Every begin of edit gets its end, also for drags that never see their mouse up.
#include "CAnimKnob3.h"
#include "ToolkitTestSupport.h"

namespace {

class LostRelease : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    knob = add(new CAnimKnob3(CRect(246, 44, 350, 148), &listener, 8, 1, 104, 104, nullptr));
    add(new CAnimKnob3(CRect(49, 48, 99, 98), &listener, 1, 1, 50, 50, nullptr));
    knob->setDragRange(0.375f);
    knob->setValue(0.5f);
    screen->mouseDown(CPoint(298, 96), kLButton);
    screen->mouseMove(CPoint(298, 21), kLButton);
  }
  RecordingListener listener;
  CAnimKnob3* knob = nullptr;
};

TEST_F(LostRelease, ReleaseOutsideNewPressOrButtonlessMoveEndsTheDrag) {
  screen->mouseUp(CPoint(-40, -300), kLButton);  // outside the window
  screen->mouseDown(CPoint(298, 96), kLButton);
  screen->mouseDown(CPoint(70, 70), kLButton);  // the first release was lost
  screen->mouseMove(CPoint(70, 10), 0);         // and this one too
  screen->mouseMove(CPoint(70, 0), kLButton);
  screen->mouseDown(CPoint(298, 96), kLButton | kDoubleClick);  // a reset wants no moves:
  screen->mouseMove(CPoint(298, 50), kLButton);                 // the knob does not follow
  EXPECT_EQ(editor.events, (Events{"begin 8", "end 8", "begin 8", "end 8", "begin 1", "end 1",
                                   "begin 8", "end 8"}));
  EXPECT_EQ(knob->getValue(), knob->getDefaultValue());
}

TEST_F(LostRelease, RemovingTheControlOrClosingTheFrameEndsOpenGestures) {
  knob->remember();
  frame->removeView(knob);
  EXPECT_EQ(editor.events, (Events{"begin 8", "end 8"}));
  knob->endEdit();  // an end without a begin is dropped
  EXPECT_EQ(knob->getOpenEdits(), 0);
  knob->forget();
  screen->mouseDown(CPoint(70, 70), kLButton);
  frame->close();
  frame = nullptr;
  EXPECT_EQ(editor.events, (Events{"begin 8", "end 8", "begin 1", "end 1"}));
}

}  // namespace
