// The preset bar's buttons: kick buttons (double-click mode, Ctrl value, pressed and hover
// pictures), save/load buttons (left, right and modifier values) and the rocker (halves,
// middle column, hover and pressed pictures).
#include "CSaveLoadButton.h"
#include "CZlKickButton.h"
#include "CZlRockerSwitch.h"
#include "ToolkitTestSupport.h"

namespace {

class PresetBarButtonTest : public OffscreenTest {
protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    openFrame(811, 286);
  }
  // A control on a three-frame strip of 12 x 14 pictures: grey 10, 20, 30.
  template <typename Button, typename... Args>
  Button* make(const CRect& r, int32_t tag, Args... args) {
    CBitmap* strip = makeFilmStrip(static_cast<int>(r.getWidth()), 14, 5);
    auto* b = add(new Button(r, &listener, tag, 14, strip, args...));
    strip->forget();
    return b;
  }
  CColor centre(const CControl* c) {
    return pixel(static_cast<int>(c->getViewSize().left + 3),
                 static_cast<int>(c->getViewSize().top + 7));
  }
  RecordingListener listener;
};

TEST_F(PresetBarButtonTest, KickButtonInDoubleClickModeIgnoresSingleClicks) {
  auto* button = make<CZlKickButton>(CRect(32, 269, 68, 283), 33, CPoint(), true);
  const CPoint where(40, 275);
  screen->mouseDownAt(where, kLButton, 1000);
  EXPECT_FALSE(button->isPressed());
  screen->mouseUp(where, kLButton);
  EXPECT_TRUE(listener.values.empty()) << "a single click does nothing";

  screen->mouseDownAt(where, kLButton, 1200);  // second press within 400 ms
  EXPECT_TRUE(button->isPressed());
  EXPECT_EQ(listener.values, std::vector<float>{1.f});
  EXPECT_EQ(centre(button), grey(30)) << "pressed picture";
  screen->mouseUp(where, kLButton);
  EXPECT_FALSE(button->isPressed());
  EXPECT_EQ(button->getValue(), 0.f);
  EXPECT_EQ(listener.values.size(), 1u) << "the release is not reported";

  screen->mouseDownAt(where, kLButton | kCommand, 5000);
  screen->mouseUp(where, kLButton | kCommand);
  screen->mouseDownAt(where, kLButton | kCommand, 5100);
  EXPECT_EQ(listener.values.back(), 0.5f) << "Ctrl double click";
  screen->mouseUp(where, kLButton | kCommand);
  EXPECT_TRUE(editor.events.empty()) << "preset bar buttons are no parameter gestures";
}

TEST_F(PresetBarButtonTest, KickButtonReportsEveryClickAndShowsThePointer) {
  auto* button = make<CZlKickButton>(CRect(352, 269, 364, 283), 35, CPoint(), false);
  screen->mouseDown(CPoint(355, 275), kLButton | kCommand);
  EXPECT_EQ(listener.values, std::vector<float>{1.f}) << "0.5 only in double-click mode";
  screen->mouseUp(CPoint(355, 275), kLButton);
  screen->mouseMove(CPoint(355, 275), 0);
  EXPECT_TRUE(button->isPointerOver());
  EXPECT_EQ(centre(button), grey(20));
  screen->mouseMove(CPoint(300, 200), 0);
  EXPECT_FALSE(button->isPointerOver());
  EXPECT_EQ(centre(button), grey(10));
  CPoint where(355, 275);
  EXPECT_EQ(button->onMouseDown(where, kRButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  EXPECT_EQ(listener.values.size(), 1u);
}

TEST_F(PresetBarButtonTest, SaveLoadButtonTellsARightClickAloneFromEverythingElse) {
  auto* button = make<CSaveLoadButton>(CRect(70, 269, 82, 283), 22);
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
  CPoint where(75, 275);
  EXPECT_EQ(button->onMouseDown(where, kMButton), kMouseEventNotHandled);
  CKeyCode key;
  key.virt = kVKeyReturn;
  EXPECT_EQ(button->onKeyDown(key), kKeyNotHandled);
  EXPECT_EQ(button->onKeyUp(key), kKeyNotHandled);
  button->setListener(nullptr);
  EXPECT_EQ(button->onMouseDown(where, kLButton), kMouseEventNotHandled);
}

// Shows the pressed picture while its listener runs.
class PictureDuringListener : public CControlListener {
public:
  explicit PictureDuringListener(OffscreenPlatformFrame* s) : screen(s) {}
  void valueChanged(CControl* control) override {
    control->invalid();
    screen->getPixel(75, 276, seen);
  }
  OffscreenPlatformFrame* screen;
  CColor seen;
};

TEST_F(PresetBarButtonTest, SaveLoadButtonShowsPressedOnlyWhileItsListenerRuns) {
  auto* button = make<CSaveLoadButton>(CRect(70, 269, 82, 283), 22);
  PictureDuringListener during(screen);
  button->setListener(&during);
  screen->mouseMove(CPoint(75, 275), 0);
  EXPECT_EQ(centre(button), grey(20)) << "pointer over";
  screen->click(CPoint(75, 275));
  EXPECT_EQ(during.seen, grey(30));
  EXPECT_EQ(centre(button), grey(20)) << "back to pointer over";
}

TEST_F(PresetBarButtonTest, RockerHalvesMiddleColumnAndPictures) {
  auto* rocker = make<CZlRockerSwitch>(CRect(313, 269, 344, 283), 21, CPoint(), 1);
  for (auto [x, value] : {std::pair{314., -1.f}, {328., -1.f}, {328.5, 1.f}, {343., 1.f}}) {
    listener.values.clear();
    screen->mouseDown(CPoint(x, 275), kLButton);
    EXPECT_EQ(rocker->getValue(), value) << x;
    EXPECT_EQ(rocker->getFrameIndex(), value < 0 ? 3 : 4) << "pressed wins over hover";
    screen->mouseUp(CPoint(x, 275), kLButton);
    EXPECT_EQ(rocker->getValue(), 0.f);
    EXPECT_EQ(listener.values, std::vector<float>{value}) << "the release is not reported";
  }
  screen->mouseMove(CPoint(320, 275), 0);
  EXPECT_EQ(rocker->getPointerSide(), -1);
  EXPECT_EQ(rocker->getFrameIndex(), 1);
  screen->mouseMove(CPoint(340, 275), 0);
  EXPECT_EQ(rocker->getFrameIndex(), 2);
  EXPECT_EQ(pixel(340, 276), grey(30)) << "hover picture of the right half";
  screen->mouseDown(CPoint(340, 275), kLButton);
  screen->mouseMove(CPoint(316, 275), kLButton);
  EXPECT_EQ(rocker->getPointerSide(), 1) << "a held press keeps its picture";
  screen->mouseUp(CPoint(316, 275), kLButton);
  screen->mouseMove(CPoint(500, 100), 0);
  EXPECT_EQ(rocker->getFrameIndex(), 0);
  CPoint where(320, 275);
  EXPECT_EQ(rocker->onMouseDown(where, kRButton), kMouseEventNotHandled);
}

}  // namespace
