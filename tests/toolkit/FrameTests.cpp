// Frame: ownership, drawing order and clipping, dirty redraw, event routing, modal view.
#include "ToolkitTestSupport.h"

namespace {

const CColor kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(0, 255, 0);

class FrameTest : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame();
  }
};

TEST_F(FrameTest, CloseAndRemoveReleaseViewsExceptRememberedOnes) {
  int destroyed = 0;
  auto* kept = add(new SolidView(CRect(0, 0, 10, 10), kRed, &destroyed));
  auto* dropped = add(new SolidView(CRect(10, 0, 20, 10), kRed, &destroyed));
  auto* removed = add(new SolidView(CRect(20, 0, 30, 10), kRed, &destroyed));
  auto* bitmap = new CBitmap(4, 4);
  dropped->setBackground(bitmap);
  bitmap->forget();  // the view holds it now
  EXPECT_EQ(bitmap->getNbReference(), 1);
  EXPECT_FALSE(frame->addView(kept)) << "a view has one parent";
  kept->remember();

  EXPECT_TRUE(frame->removeView(removed, false));  // hands the reference back
  EXPECT_FALSE(frame->removeView(removed)) << "not a child any more";
  removed->forget();
  EXPECT_EQ(destroyed, 1);

  frame->close();
  frame = nullptr;
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(kept->getNbReference(), 1);
  EXPECT_FALSE(kept->isAttached());
  kept->forget();
  EXPECT_EQ(destroyed, 3);
}

TEST_F(FrameTest, DrawsBackgroundBitmapThenChildrenInInsertionOrder) {
  CBitmap* strip = makeFilmStrip(100, 40, 2);  // rows 0..39 grey 10, rows 40..79 grey 20
  frame->setBackground(strip);
  strip->forget();
  add(new SolidView(CRect(10, 10, 50, 50), kRed));
  add(new SolidView(CRect(30, 30, 70, 70), kBlue));
  frame->idle();
  EXPECT_EQ(pixel(5, 5), grey(10));
  EXPECT_EQ(pixel(5, 75), grey(20)) << "laid one to one";
  EXPECT_EQ(pixel(15, 15), kRed);
  EXPECT_EQ(pixel(40, 40), kBlue) << "the later view lies on top";
  EXPECT_EQ(pixel(65, 65), kBlue);
  frame->invalidRect(CRect(0, 72, 10, 80));
  EXPECT_EQ(pixel(5, 75), grey(20)) << "a partial redraw takes the same part of the picture";
}

TEST_F(FrameTest, ViewsAreClippedToTheirRectangleAndToTheUpdateArea) {
  auto* v = add(new SolidView(CRect(20, 20, 40, 40), kRed));
  v->drawArea = CRect(0, 0, 100, 80);  // tries to paint everything
  frame->idle();
  EXPECT_EQ(pixel(30, 30), kRed);
  EXPECT_EQ(pixel(19, 30), kBlackCColor);
  EXPECT_EQ(pixel(40, 30), kBlackCColor) << "right edge is exclusive";
  v->color = kBlue;
  frame->invalidRect(CRect(20, 20, 30, 40));
  EXPECT_EQ(pixel(25, 30), kBlue);
  EXPECT_EQ(pixel(35, 30), kRed) << "outside the update area nothing changes";
}

TEST_F(FrameTest, IdleRedrawsOnlyDirtyViewsAndAPartlyRedrawnViewStaysDirty) {
  SolidView* v[3];
  for (int i = 0; i < 3; ++i) v[i] = add(new SolidView(CRect(20 * i, 0, 20 * i + 10, 10), kRed));
  auto draws = [&] { return std::vector<int>{v[0]->draws, v[1]->draws, v[2]->draws}; };
  frame->idle();
  ASSERT_EQ(draws(), (std::vector<int>{1, 1, 1}));
  EXPECT_FALSE(frame->isDirty());
  int presents = screen->getPresentCount();
  frame->idle();
  EXPECT_EQ(screen->getPresentCount(), presents) << "nothing dirty, nothing drawn";

  v[1]->setDirty(true);
  EXPECT_TRUE(frame->isDirty());
  frame->idle();
  EXPECT_EQ(draws(), (std::vector<int>{1, 2, 1}));
  EXPECT_FALSE(v[1]->isDirty());
  frame->setDirty(true);  // whole frame
  frame->idle();
  EXPECT_EQ(draws(), (std::vector<int>{2, 3, 2}));

  v[2]->setDirty(true);
  frame->invalidRect(CRect(40, 0, 45, 5));
  EXPECT_TRUE(v[2]->isDirty()) << "only a corner was drawn";
  frame->idle();
  EXPECT_FALSE(v[2]->isDirty());
  screen->expose(CRect(0, 0, 5, 5));
  EXPECT_EQ(draws(), (std::vector<int>{3, 3, 4}));
}

TEST_F(FrameTest, PressedViewKeepsTheMouseHoverEntersAndExitsWheelGoesToTopmostVisibleView) {
  auto* below = add(new SolidView(CRect(0, 0, 50, 50), kRed));
  auto* v = add(new SolidView(CRect(10, 10, 20, 20), kBlue));
  // The pressed view gets moves and the up even outside itself.
  screen->mouseDown(CPoint(15, 15), kLButton);
  screen->mouseMove(CPoint(90, 70), kLButton);
  screen->mouseUp(CPoint(90, 70), kLButton);
  EXPECT_EQ((std::vector<int>{v->downs, v->moves, v->ups}), (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(below->downs, 0);
  // A view that needs no further events gets no up; one that does not handle the press
  // lets it through to the view below.
  v->downResult = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  screen->click(CPoint(15, 15));
  EXPECT_EQ(v->ups, 1);
  v->downResult = kMouseEventNotHandled;
  screen->click(CPoint(15, 15));
  EXPECT_EQ(below->downs, 1);

  // Hovering sends enter and exit.
  screen->mouseMove(CPoint(30, 30), 0);
  v->enters = v->moves = v->exits = 0;
  for (double xy : {15., 16.}) screen->mouseMove(CPoint(xy, xy), 0);
  EXPECT_EQ(v->enters, 1);
  EXPECT_EQ(v->moves, 2);
  screen->mouseMove(CPoint(30, 30), 0);
  EXPECT_EQ(v->exits, 1);
  screen->mouseMove(CPoint(15, 15), 0);
  screen->mouseLeave();
  EXPECT_EQ(v->exits, 2);

  // The wheel goes to the topmost visible view under the pointer.
  EXPECT_TRUE(screen->wheel(CPoint(15, 15), 1.f));
  EXPECT_EQ(v->wheel, 1.f);
  v->setVisible(false);
  EXPECT_TRUE(screen->wheel(CPoint(15, 15), -1.f));
  EXPECT_EQ(below->wheel, -1.f);
  EXPECT_FALSE(screen->wheel(CPoint(90, 70), 1.f));
}

// A modal view that removes and releases itself when clicked, as a splash picture does.
class SelfClosingView : public CView {
public:
  using CView::CView;
  CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override {
    getFrame()->setModalView(nullptr);
    forget();
    return kMouseEventHandled;
  }
};

TEST_F(FrameTest, ModalViewTakesAllMouseInputAndOnlyOneIsAllowed) {
  auto* control = add(new SolidView(CRect(0, 0, 50, 50), kRed));
  int destroyed = 0;
  auto* modal = new SolidView(CRect(60, 60, 70, 70), kBlue, &destroyed);
  ASSERT_TRUE(frame->setModalView(modal));
  auto* second = new SolidView(CRect(0, 0, 5, 5), kGreen);
  EXPECT_FALSE(frame->setModalView(second));
  second->forget();

  screen->click(CPoint(10, 10));  // over the control, outside the modal view
  EXPECT_EQ(control->downs, 0);
  EXPECT_EQ(modal->downs, 1);
  screen->wheel(CPoint(10, 10), 1.f);
  EXPECT_EQ(control->wheel, 0.f);
  EXPECT_EQ(pixel(65, 65), kBlue) << "drawn on top";

  ASSERT_TRUE(frame->setModalView(nullptr));
  EXPECT_EQ(destroyed, 0) << "detached, not released";
  EXPECT_FALSE(modal->isAttached());
  modal->forget();
  EXPECT_EQ(destroyed, 1);
  screen->click(CPoint(10, 10));
  EXPECT_EQ(control->downs, 1);

  frame->setModalView(new SelfClosingView(CRect(0, 0, 100, 80)));
  screen->mouseDown(CPoint(5, 5), kLButton);
  EXPECT_EQ(frame->getModalView(), nullptr) << "a modal view may release itself in its handler";
  screen->mouseMove(CPoint(6, 6), kLButton);
  screen->mouseUp(CPoint(6, 6), kLButton);  // must reach neither the released view nor the control
  EXPECT_EQ(control->ups, 1);
}

TEST_F(FrameTest, KeysGoToTheFocusView) {
  auto* v = add(new SolidView(CRect(0, 0, 10, 10), kRed));
  CKeyCode key;
  key.character = 'a';
  EXPECT_EQ(frame->onKeyDown(key), kKeyNotHandled);
  v->setWantsFocus(true);
  screen->click(CPoint(5, 5));
  EXPECT_EQ(frame->getFocusView(), v);
  EXPECT_TRUE(screen->hasKeyboardFocus());
  EXPECT_EQ(screen->keyDown(key), kKeyHandled);
  EXPECT_EQ(v->lastKey, 'a');
  screen->click(CPoint(50, 50));  // on the background
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

}  // namespace
