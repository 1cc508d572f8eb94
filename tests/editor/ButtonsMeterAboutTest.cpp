// The preset bar's buttons, the needle meter and the about box, offscreen.
#include <cmath>

#include "CAbout.h"
#include "COldVuMeter2.h"
#include "CSaveLoadButton.h"
#include "CSplashScreenMyView.h"
#include "CZlKickButton.h"
#include "CZlRockerSwitch.h"
#include "ToolkitTestSupport.h"

namespace {

class BarButtons : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
  }
  // A button on a strip of 14 px frames: grey 10, 20, 30, 40, 50.
  template <typename Button, typename... Args>
  Button* make(const CRect& r, Args... args) {
    CBitmap* strip = makeFilmStrip(static_cast<int>(r.getWidth()), 14, 5);
    auto* b = add(new Button(r, &listener, 30, 14, strip, args...));
    strip->forget();
    return b;
  }
  RecordingListener listener;
};

TEST_F(BarButtons, KickButtonDoubleClickModeCtrlValueAndPictures) {
  auto* dc = make<CZlKickButton>(CRect(32, 269, 68, 283), CPoint(), true);
  const CPoint at(40, 275);
  screen->mouseDownAt(at, kLButton, 1000);
  screen->mouseUp(at, kLButton);
  EXPECT_TRUE(listener.values.empty()) << "a single click does nothing";
  screen->mouseDownAt(at, kLButton, 1200);
  EXPECT_EQ(pixel(40, 276), grey(30)) << "pressed picture";
  screen->mouseUp(at, kLButton);
  EXPECT_FALSE(dc->isPressed());
  screen->mouseDownAt(at, kLButton | kCommand, 5000);
  screen->mouseUp(at, kLButton);
  screen->mouseDownAt(at, kLButton | kCommand, 5100);
  screen->mouseUp(at, kLButton);
  EXPECT_EQ(listener.values, (std::vector<float>{1.f, 0.5f})) << "releases are not reported";

  make<CZlKickButton>(CRect(352, 269, 364, 283), CPoint(), false);
  screen->click(CPoint(355, 275), kLButton | kCommand);
  EXPECT_EQ(listener.values.back(), 1.f) << "0.5 only in double-click mode";
  screen->mouseMove(CPoint(355, 275), 0);
  EXPECT_EQ(pixel(355, 276), grey(20)) << "pointer over";
}

TEST_F(BarButtons, SaveLoadButtonTellsARightClickAloneFromEverythingElse) {
  auto* button = make<CSaveLoadButton>(CRect(70, 269, 82, 283));
  const std::pair<CButtonState, float> cases[] = {{kRButton, 0.5f},
                                                  {kLButton, 1.f},
                                                  {kLButton | kShift, 1.f},
                                                  {kRButton | kShift, 1.f},
                                                  {kRButton | kControl, 1.f},
                                                  {kRButton | kCommand, 1.f},
                                                  {kRButton | kDoubleClick, 0.5f}};
  for (auto [buttons, value] : cases) {
    listener.values.clear();
    screen->click(CPoint(75, 275), buttons);
    EXPECT_EQ(listener.values, std::vector<float>{value}) << buttons;
    EXPECT_EQ(button->getValue(), 0.f);
  }
}

TEST_F(BarButtons, RockerHalvesMiddleColumnHoverAndPressedPictures) {
  auto* rocker = make<CZlRockerSwitch>(CRect(313, 269, 344, 283), CPoint(), 1);
  for (auto [x, value] : {std::pair{314., -1.f}, {328., -1.f}, {328.5, 1.f}, {343., 1.f}}) {
    listener.values.clear();
    screen->mouseDown(CPoint(x, 275), kLButton);
    EXPECT_EQ(rocker->getFrameIndex(), value < 0 ? 3 : 4) << "pressed wins over hover";
    screen->mouseUp(CPoint(x, 275), kLButton);
    EXPECT_EQ(rocker->getValue(), 0.f);
    EXPECT_EQ(listener.values, std::vector<float>{value}) << x;
  }
  screen->mouseMove(CPoint(320, 275), 0);
  EXPECT_EQ(rocker->getFrameIndex(), 1);
  screen->mouseMove(CPoint(340, 275), 0);
  EXPECT_EQ(pixel(340, 276), grey(30)) << "hover picture of the right half";
  screen->mouseMove(CPoint(500, 100), 0);
  EXPECT_EQ(rocker->getFrameIndex(), 0);
}

// Faces of one colour; the cover is transparent but for a mark at its top left.
CBitmap* picture(const CColor& colour, const CRect& area = CRect(0, 0, 145, 145)) {
  IPlatformBitmap* image = IPlatformBitmap::create(CPoint(145, 145));
  CDrawContext* context = image->createDrawContext();
  context->setFillColor(colour);
  context->fillRect(area);
  context->forget();
  auto* bitmap = new CBitmap(image);
  image->forget();
  return bitmap;
}

TEST_F(BarButtons, MeterClampsFacesDirtyRuleAndTrail) {
  const CColor face1(230, 220, 190), face0(70, 70, 90), mark(0, 0, 200);
  CBitmap *f1 = picture(face1), *f0 = picture(face0), *cover = picture(mark, CRect(0, 0, 9, 9));
  auto* meter = add(new COldVuMeter2(CRect(392, 34, 537, 179), nullptr, 18, f1, cover, f0,
                                     CPoint(463, 143), 3, 76));
  for (CBitmap* b : {f1, f0, cover}) b->forget();
  meter->setMin(-0.1f);
  meter->setMax(1.2f);
  for (auto [in, out] : {std::pair{2.f, 1.2f}, {-1.f, -0.1f}}) {
    meter->setValue(in);
    EXPECT_EQ(meter->getValue(), out) << in;
  }
  // Trail opacity: still 200 (needle 215), a 10-degree jump 14 (33), a 1-degree jump 154 (179).
  for (auto [jump, trail, needle] :
       {std::tuple{0.f, 200, 215}, {2 / 9.f, 14, 33}, {-2 / 9.f, 14, 33}, {1 / 45.f, 154, 179}}) {
    EXPECT_EQ(COldVuMeter2::trailAlpha(0.5f + jump, 0.5f), trail) << jump;
    EXPECT_EQ(COldVuMeter2::needleAlpha(trail), needle);
  }
  auto needleRed = [&](double v) {  // red of a point on the needle 40 px from the pivot
    const double a = 0.75 * M_PI - 0.5 * M_PI * v;
    return pixel(static_cast<int>(463.5 + 40 * std::cos(a)),
                 static_cast<int>(143.5 - 40 * std::sin(a)))
        .red;
  };
  meter->setValue(0.5f);
  frame->idle();
  EXPECT_LT(needleRed(0.5), 110) << "first draw: no trail, solid needle";
  EXPECT_EQ(pixel(400, 150), face1);
  EXPECT_EQ(pixel(395, 37), mark) << "cover on top";
  meter->setValue(0.5f);
  EXPECT_FALSE(meter->isDirty()) << "an unchanged value is not drawn again";
  meter->setValue(0.5f + 2 / 9.f);
  frame->idle();
  EXPECT_GT(needleRed(0.5 + 2 / 9.0), 190) << "a needle moving fast is faint";
  EXPECT_TRUE(meter->isDirty()) << "and drawn once more at rest";
  frame->idle();
  EXPECT_LT(needleRed(0.5 + 2 / 9.0), 110);
  EXPECT_FALSE(meter->isDirty());
  meter->setState(0);
  frame->idle();
  EXPECT_EQ(pixel(400, 150), face0);
  EXPECT_LT(needleRed(0.5 + 2 / 9.0), 60) << "a face change keeps the needle solid";
}

TEST_F(BarButtons, AboutPictureOpensModalTakesEveryClickAndClosesItself) {
  frame->setBackgroundColor(CColor(90, 0, 0));
  auto* under = add(new SolidView(CRect(246, 44, 350, 148), kWhiteCColor));
  CBitmap* image = makeFilmStrip(811, 286, 1);  // grey 10
  auto* about = add(new CAbout(CRect(370, 210, 558, 239), &listener, 19, image,
                               CRect(0, 0, 811, 286), CPoint(0, 0), CPoint(508, 63)));
  image->forget();
  const CPoint area(400, 220);
  const int views = frame->getNbViews();
  screen->click(area, kRButton);
  EXPECT_EQ(frame->getModalView(), nullptr) << "a right click does nothing";
  for (int round = 0; round < 2; ++round) {  // a fresh picture each time, never two
    screen->click(area);
    ASSERT_NE(about->getPictureView(), nullptr);
    EXPECT_EQ(about->getValue(), 1.f);
    EXPECT_EQ(frame->getNbViews(), views + 1);
    frame->idle();
    EXPECT_EQ(pixel(298, 96), grey(10)) << "the picture covers the panel";
    int white = 0;
    for (int x = 508; x < 608; ++x)
      for (int y = 63; y < 78; ++y) white += pixel(x, y).red > 200;
    EXPECT_GT(white, 20) << "version text";
    screen->click(CPoint(298, 96));  // on the view under it: closes the picture only
    EXPECT_EQ(under->downs, 0);
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_EQ(about->getValue(), 0.f);
    EXPECT_EQ(frame->getNbViews(), views);
    frame->idle();
    EXPECT_EQ(pixel(5, 5), CColor(90, 0, 0)) << "the whole panel drawn again";
  }
  auto* other = new SolidView(CRect(0, 0, 9, 9), kWhiteCColor);
  ASSERT_TRUE(frame->setModalView(other));
  CPoint where = area;
  about->onMouseDown(where, kLButton);
  EXPECT_EQ(about->getValue(), 0.f) << "nothing shown under another modal view: stays closed";
  frame->setModalView(nullptr);
  other->forget();
  screen->click(area);
  frame->close();  // with the picture open
  frame = nullptr;
}

}  // namespace
