// The about box: its picture opens as the frame's modal view with the version text, takes
// every click while open, closes (and releases itself) on a click, and never doubles.
#include "CAbout.h"
#include "CAnimKnob3.h"
#include "CSplashScreenMyView.h"
#include "CZelTextEdit.h"
#include "ToolkitTestSupport.h"

namespace {

const CPoint kAboutArea(400, 220), kOnKnob(298, 96);

class AboutTest : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
    frame->setBackgroundColor(CColor(90, 0, 0));
    CBitmap* strip = makeFilmStrip(104, 104, 3);
    knob = add(new CAnimKnob3(CRect(246, 44, 350, 148), &listener, 8, 3, 104, 104, strip));
    strip->forget();
    CBitmap* picture = makeFilmStrip(811, 286, 1);  // grey 10
    about = add(new CAbout(CRect(370, 210, 558, 239), &listener, 19, picture, CRect(0, 0, 811, 286),
                           CPoint(0, 0), CPoint(508, 63)));
    picture->forget();
    knob->setValue(0.5f);
    frame->idle();
  }
  RecordingListener listener;
  CAnimKnob3* knob = nullptr;
  CAbout* about = nullptr;
};

TEST_F(AboutTest, ClickShowsThePictureWithTheVersionTextOverEverything) {
  screen->click(kAboutArea, kRButton);
  EXPECT_EQ(frame->getModalView(), nullptr) << "a right click does nothing";
  EXPECT_EQ(about->getValue(), 0.f);

  screen->click(kAboutArea);
  ASSERT_NE(about->getPictureView(), nullptr);
  EXPECT_EQ(frame->getModalView(), about->getPictureView());
  EXPECT_EQ(about->getValue(), 1.f);
  EXPECT_EQ(about->getPictureView()->getViewSize(), CRect(0, 0, 811, 286));
  frame->idle();
  EXPECT_EQ(pixel(298, 96), grey(10)) << "the picture covers the knob";
  int white = 0;
  for (int x = 508; x < 608; ++x)
    for (int y = 63; y < 78; ++y) white += pixel(x, y).red > 200;
  EXPECT_GT(white, 20) << "version text";
  EXPECT_EQ(pixel(650, 70), grey(10)) << "nothing right of the text's box";
}

TEST_F(AboutTest, WhileOpenEveryClickClosesItAndReachesNoControl) {
  screen->click(kAboutArea);
  screen->click(kAboutArea, kRButton);
  EXPECT_NE(frame->getModalView(), nullptr) << "a right click on the picture keeps it";
  EXPECT_TRUE(screen->wheel(kOnKnob, 1.f) == false);
  screen->mouseDown(kOnKnob, kLButton);
  screen->mouseMove(CPoint(298, 0), kLButton);
  screen->mouseUp(CPoint(298, 0), kLButton);
  EXPECT_EQ(knob->getValue(), 0.5f);
  EXPECT_TRUE(listener.values.empty());
  EXPECT_TRUE(editor.events.empty());
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_EQ(about->getValue(), 0.f);
  EXPECT_EQ(about->getPictureView(), nullptr);
  frame->idle();
  EXPECT_EQ(pixel(298, 96), grey(20)) << "the whole panel is drawn again";
  EXPECT_EQ(pixel(5, 5), CColor(90, 0, 0));
}

TEST_F(AboutTest, OpeningAgainMakesAFreshViewAndTheFrameNeverHoldsTwo) {
  const int views = frame->getNbViews();
  for (int i = 0; i < 3; ++i) {
    screen->click(kAboutArea);
    EXPECT_EQ(frame->getNbViews(), views + 1);
    screen->click(kAboutArea);  // lands on the picture: closes it
    EXPECT_EQ(frame->getNbViews(), views);
  }
  // Another modal view is up: the about box stays closed and the meter keeps running.
  auto* other = new SolidView(CRect(0, 0, 10, 10), kWhiteCColor);
  ASSERT_TRUE(frame->setModalView(other));
  CPoint where = kAboutArea;
  about->onMouseDown(where, kLButton);
  EXPECT_EQ(about->getValue(), 0.f);
  EXPECT_EQ(frame->getModalView(), other);
  frame->setModalView(nullptr);
  other->forget();
}

TEST_F(AboutTest, RemovingTheBoxOrClosingTheFrameWithThePictureOpenReleasesIt) {
  int destroyed = 0;
  struct Counted : CSplashScreenMyView {
    Counted(CAbout* a, int* d)
        : CSplashScreenMyView(CRect(0, 0, 9, 9), nullptr, 0, nullptr, a, {}), count(d) {}
    ~Counted() override { ++*count; }
    int* count;
  };
  screen->click(kAboutArea);
  ASSERT_NE(frame->getModalView(), nullptr);
  about->remember();
  frame->removeView(about);
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_EQ(about->getValue(), 0.f);
  about->forget();

  auto* view = new Counted(nullptr, &destroyed);
  ASSERT_TRUE(frame->setModalView(view));
  frame->close();  // the picture goes with the frame
  frame = nullptr;
  EXPECT_EQ(destroyed, 1);
}

TEST(ZelTextEdit, StylingIsIgnoredAndEditingStateIsTold) {
  auto* field = new CZelTextEdit(CRect(175, 268, 292, 283), nullptr, 20, "Default", nullptr, 0);
  for (int i = 0; i < 3; ++i) {
    field->setCustomCaretColor(kRedCColor);
    field->setCustomFontEditionWeight(2.f);
    field->setCustomHighlightColor(kBlueCColor);
    field->setCustomFontHighlightedColor(kGreenCColor);
    field->setCustomFontEditionColor(kYellowCColor);
    field->endEditMode(true);
  }
  EXPECT_STREQ(field->getText(), "Default");
  EXPECT_FALSE(field->isBeingEdited());
  field->beginEditing();
  EXPECT_TRUE(field->isBeingEdited());
  field->forget();
}

}  // namespace
