// Frame: ownership, drawing order and clipping, dirty redraw, event routing, modal view.
#include "ToolkitTestSupport.h"

namespace {

const CColor kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(0, 255, 0);

using FrameTest = OffscreenTest;

TEST_F(FrameTest, CloseReleasesViewsAndKeepsOnlyRememberedOnes) {
  openFrame();
  int destroyed = 0;
  auto* kept = new SolidView(CRect(0, 0, 10, 10), kRed, &destroyed);
  auto* dropped = new SolidView(CRect(10, 0, 20, 10), kRed, &destroyed);
  auto* bitmap = new CBitmap(4, 4);
  dropped->setBackground(bitmap);
  bitmap->forget();  // the view holds it now
  EXPECT_EQ(bitmap->getNbReference(), 1);
  ASSERT_TRUE(frame->addView(kept));
  ASSERT_TRUE(frame->addView(dropped));
  EXPECT_FALSE(frame->addView(kept)) << "a view has one parent";
  kept->remember();

  frame->close();
  frame = nullptr;
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(kept->getNbReference(), 1);
  EXPECT_FALSE(kept->isAttached());
  kept->forget();
  EXPECT_EQ(destroyed, 2);
}

TEST_F(FrameTest, RemoveViewWithoutForgetHandsTheReferenceBack) {
  openFrame();
  int destroyed = 0;
  auto* v = new SolidView(CRect(0, 0, 10, 10), kRed, &destroyed);
  frame->addView(v);
  EXPECT_TRUE(frame->removeView(v, false));
  EXPECT_EQ(destroyed, 0);
  EXPECT_EQ(v->getFrame(), nullptr);
  v->forget();
  EXPECT_EQ(destroyed, 1);
  EXPECT_FALSE(frame->removeView(v)) << "not a child any more";
}

TEST_F(FrameTest, DrawsBackgroundThenChildrenInInsertionOrder) {
  openFrame();
  frame->setBackgroundColor(kGreen);
  frame->addView(new SolidView(CRect(10, 10, 50, 50), kRed));
  frame->addView(new SolidView(CRect(30, 30, 70, 70), kBlue));
  frame->idle();
  EXPECT_EQ(pixel(5, 5), kGreen);
  EXPECT_EQ(pixel(15, 15), kRed);
  EXPECT_EQ(pixel(40, 40), kBlue) << "the later view lies on top";
  EXPECT_EQ(pixel(65, 65), kBlue);
}

TEST_F(FrameTest, BackgroundBitmapIsLaidOneToOne) {
  openFrame(40, 40);
  CBitmap* strip = makeFilmStrip(40, 20, 2);  // rows 0..19 grey 10, rows 20..39 grey 20
  frame->setBackground(strip);
  strip->forget();
  frame->idle();
  EXPECT_EQ(pixel(5, 5), CColor(10, 10, 10));
  EXPECT_EQ(pixel(5, 25), CColor(20, 20, 20));
  // A partial redraw takes the same part of the picture.
  frame->invalidRect(CRect(0, 22, 10, 30));
  EXPECT_EQ(pixel(5, 25), CColor(20, 20, 20));
}

TEST_F(FrameTest, ViewsAreClippedToTheirRectangleAndToTheUpdateArea) {
  openFrame();
  auto* v = new SolidView(CRect(20, 20, 40, 40), kRed);
  v->drawArea = CRect(0, 0, 100, 80);  // tries to paint everything
  frame->addView(v);
  frame->idle();
  EXPECT_EQ(pixel(30, 30), kRed);
  EXPECT_EQ(pixel(19, 30), kBlackCColor);
  EXPECT_EQ(pixel(40, 30), kBlackCColor) << "right edge is exclusive";

  v->color = kBlue;
  frame->invalidRect(CRect(20, 20, 30, 40));
  EXPECT_EQ(pixel(25, 30), kBlue);
  EXPECT_EQ(pixel(35, 30), kRed) << "outside the update area nothing changes";
}

TEST_F(FrameTest, InvalidateDirtyViewsRedrawsOnlyDirtyViews) {
  openFrame();
  auto* a = new SolidView(CRect(0, 0, 10, 10), kRed);
  auto* b = new SolidView(CRect(20, 0, 30, 10), kRed);
  auto* c = new SolidView(CRect(40, 0, 50, 10), kRed);
  frame->addView(a);
  frame->addView(b);
  frame->addView(c);
  frame->idle();
  ASSERT_EQ(a->draws, 1);
  ASSERT_EQ(b->draws, 1);
  ASSERT_EQ(c->draws, 1);
  EXPECT_FALSE(frame->isDirty());

  int presents = screen->getPresentCount();
  frame->idle();
  EXPECT_EQ(screen->getPresentCount(), presents) << "nothing dirty, nothing drawn";

  b->setDirty(true);
  EXPECT_TRUE(frame->isDirty());
  frame->idle();
  EXPECT_EQ(a->draws, 1);
  EXPECT_EQ(b->draws, 2);
  EXPECT_EQ(c->draws, 1);
  EXPECT_FALSE(b->isDirty());

  frame->setDirty(true);  // whole frame
  frame->idle();
  EXPECT_EQ(a->draws, 2);
  EXPECT_EQ(b->draws, 3);
  EXPECT_EQ(c->draws, 2);
}

TEST_F(FrameTest, PartlyRedrawnViewStaysDirty) {
  openFrame();
  auto* v = new SolidView(CRect(0, 0, 40, 40), kRed);
  frame->addView(v);
  frame->idle();
  v->setDirty(true);
  frame->invalidRect(CRect(0, 0, 10, 10));
  EXPECT_TRUE(v->isDirty()) << "only a corner was drawn";
  frame->idle();
  EXPECT_FALSE(v->isDirty());
}

TEST_F(FrameTest, ExposeRedrawsTheArea) {
  openFrame();
  auto* v = new SolidView(CRect(0, 0, 20, 20), kRed);
  frame->addView(v);
  frame->idle();
  screen->expose(CRect(0, 0, 5, 5));
  EXPECT_EQ(v->draws, 2);
}

TEST_F(FrameTest, PressedViewGetsMovesAndUpEvenOutsideItself) {
  openFrame();
  auto* under = new SolidView(CRect(0, 0, 100, 80), kRed);
  auto* v = new SolidView(CRect(10, 10, 20, 20), kBlue);
  frame->addView(under);
  frame->addView(v);
  screen->mouseDown(CPoint(15, 15), kLButton);
  screen->mouseMove(CPoint(90, 70), kLButton);
  screen->mouseUp(CPoint(90, 70), kLButton);
  EXPECT_EQ(v->downs, 1);
  EXPECT_EQ(v->moves, 1);
  EXPECT_EQ(v->ups, 1);
  EXPECT_EQ(under->downs, 0);

  // A view that needs no further events gets no up; a view that does not handle the press
  // lets it through to the view below.
  v->downResult = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  screen->click(CPoint(15, 15));
  EXPECT_EQ(v->ups, 1);
  v->downResult = kMouseEventNotHandled;
  screen->click(CPoint(15, 15));
  EXPECT_EQ(under->downs, 1);
}

TEST_F(FrameTest, HoverSendsEnterAndExit) {
  openFrame();
  auto* v = new SolidView(CRect(10, 10, 20, 20), kBlue);
  frame->addView(v);
  screen->mouseMove(CPoint(5, 5), 0);
  screen->mouseMove(CPoint(15, 15), 0);
  screen->mouseMove(CPoint(16, 16), 0);
  EXPECT_EQ(v->enters, 1);
  EXPECT_EQ(v->moves, 2);
  screen->mouseMove(CPoint(30, 30), 0);
  EXPECT_EQ(v->exits, 1);
  screen->mouseMove(CPoint(15, 15), 0);
  screen->mouseLeave();
  EXPECT_EQ(v->exits, 2);
  CPoint where;
  frame->getCurrentMouseLocation(where);
  EXPECT_EQ(where, CPoint(15, 15));
}

TEST_F(FrameTest, WheelGoesToTopmostViewUnderPointerAndInvisibleViewsAreSkipped) {
  openFrame();
  auto* below = new SolidView(CRect(0, 0, 50, 50), kRed);
  auto* above = new SolidView(CRect(0, 0, 50, 50), kBlue);
  frame->addView(below);
  frame->addView(above);
  EXPECT_TRUE(screen->wheel(CPoint(10, 10), 1.f));
  EXPECT_EQ(above->wheel, 1.f);
  above->setVisible(false);
  EXPECT_TRUE(screen->wheel(CPoint(10, 10), -1.f));
  EXPECT_EQ(below->wheel, -1.f);
  EXPECT_FALSE(screen->wheel(CPoint(90, 70), 1.f));
}

TEST_F(FrameTest, ModalViewTakesAllMouseInputAndOnlyOneIsAllowed) {
  openFrame();
  auto* control = new SolidView(CRect(0, 0, 50, 50), kRed);
  frame->addView(control);
  int destroyed = 0;
  auto* modal = new SolidView(CRect(60, 60, 70, 70), kBlue, &destroyed);
  ASSERT_TRUE(frame->setModalView(modal));
  EXPECT_EQ(frame->getModalView(), modal);
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
}

// A modal view that removes and releases itself when clicked, as a splash picture does.
class SelfClosingView : public CView {
 public:
  explicit SelfClosingView(const CRect& r) : CView(r) {}
  CMouseEventResult onMouseDown(CPoint&, const CButtonState&) override {
    CFrame* f = getFrame();
    f->setModalView(nullptr);
    forget();
    return kMouseEventHandled;
  }
};

TEST_F(FrameTest, ModalViewMayDestroyItselfInsideItsHandler) {
  openFrame();
  frame->setModalView(new SelfClosingView(CRect(0, 0, 100, 80)));
  screen->mouseDown(CPoint(5, 5), kLButton);
  EXPECT_EQ(frame->getModalView(), nullptr);
  screen->mouseMove(CPoint(6, 6), kLButton);
  screen->mouseUp(CPoint(6, 6), kLButton);  // must not reach the destroyed view
}

TEST_F(FrameTest, KeysGoToModalOrFocusView) {
  openFrame();
  class KeyView : public SolidView {
   public:
    using SolidView::SolidView;
    int32_t onKeyDown(CKeyCode& k) override {
      last = k.character;
      return kKeyHandled;
    }
    int32_t last = 0;
  };
  auto* v = new KeyView(CRect(0, 0, 10, 10), kRed);
  frame->addView(v);
  CKeyCode key;
  key.character = 'a';
  EXPECT_EQ(frame->onKeyDown(key), kKeyNotHandled);
  v->setWantsFocus(true);
  screen->click(CPoint(5, 5));
  EXPECT_EQ(frame->getFocusView(), v);
  EXPECT_TRUE(screen->hasKeyboardFocus());
  EXPECT_EQ(screen->keyDown(key), kKeyHandled);
  EXPECT_EQ(v->last, 'a');
  screen->click(CPoint(50, 50));  // on the background
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameTest, FrameWithoutWindowStillHoldsViews) {
  setPlatformFrameFactory([](IPlatformFrameOwner*, const CRect&, void*) -> IPlatformFrame* {
    return nullptr;
  });
  openFrame();
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(frame->createDrawContext(), nullptr);
  auto* v = new SolidView(CRect(0, 0, 10, 10), kRed);
  frame->addView(v);
  frame->idle();
  CPoint where(5, 5);
  frame->onMouseDown(where, kLButton);
  EXPECT_EQ(v->draws, 0);
  EXPECT_EQ(v->downs, 1);
}

}  // namespace
