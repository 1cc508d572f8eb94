// The toolkit's X11 platform with real X events from XTest: a frame in a host window, a view
// that records what reaches it, and events handled when the test calls the frame's idle.
#include <gtest/gtest.h>

#include <vector>

#include "CDrawContext.h"
#include "CFrame.h"
#include "CView.h"
#include "HostWindow.h"
#include "XSession.h"

namespace e2e {
namespace {

// Keysyms (from X11/keysymdef.h; no X headers in the tests themselves).
constexpr unsigned long kKeyA = 0x61, kKeyReturn = 0xff0d, kKeyShiftL = 0xffe1,
                        kKeyControlL = 0xffe3;
constexpr int kFrameWidth = 200, kFrameHeight = 150;
constexpr uint32_t kProbeRgb = 0xC8285A;

enum Kind { down, up, moved, wheel, key, kinds };
struct Event {
  CPoint where;
  CButtonState buttons = 0;
  float distance = 0;
  CKeyCode keyCode{};
};

using Buttons = const CButtonState&;

class ProbeView : public CView {
public:
  explicit ProbeView(const CRect& r) : CView(r) { setWantsFocus(true); }
  void draw(CDrawContext* context) override {
    ++draws;
    context->setFillColor(CColor(0xC8, 0x28, 0x5A));
    context->fillRect(size);
  }
  CMouseEventResult onMouseDown(CPoint& at, Buttons b) override { return add(down, at, b); }
  CMouseEventResult onMouseUp(CPoint& at, Buttons b) override { return add(up, at, b); }
  CMouseEventResult onMouseMoved(CPoint& at, Buttons b) override { return add(moved, at, b); }
  bool onWheel(const CPoint& at, const float& distance, Buttons b) override {
    return add(wheel, at, b, distance) == kMouseEventHandled;
  }
  int32_t onKeyDown(CKeyCode& keyCode) override {
    return events[key].push_back({CPoint(), 0, 0, keyCode}), kKeyHandled;
  }
  CMouseEventResult add(Kind kind, const CPoint& at, CButtonState b, float distance = 0) {
    return events[kind].push_back({at, b, distance}), kMouseEventHandled;
  }

  std::vector<Event> events[kinds];
  int draws = 0;
};

class ToolkitX11Input : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(session.ok()) << session.failure();
    std::string error;
    ASSERT_TRUE(parent.create("input", kFrameWidth + 60, kFrameHeight + 50, error)) << error;
    // The frame lies at (20, 10) in the host window; no editor behind it, so it is a real
    // X11 window.
    frame = new CFrame(CRect(20, 10, 20 + kFrameWidth, 10 + kFrameHeight),
                       reinterpret_cast<void*>(static_cast<uintptr_t>(parent.id())), nullptr);
    ASSERT_TRUE(frame->isOpen());
    frame->addView(probe = new ProbeView(CRect(0, 0, kFrameWidth, kFrameHeight)));
    frame->invalid();
    ASSERT_EQ(session.children(parent.id()).size(), 1u);
    child = session.children(parent.id())[0];
    frame->idle();
  }
  void TearDown() override {
    if (frame != nullptr) frame->close();
    parent.destroy();
  }

  // Runs the frame's idle until done() holds; false after two seconds.
  bool pumpUntil(const std::function<bool()>& done) {
    return within(2000, [&] { return frame->idle(), done(); });
  }
  size_t count(Kind kind) const { return probe->events[kind].size(); }
  const Event& last(Kind kind) const { return probe->events[kind].back(); }
  // Presses (delayed by delayMs) and releases `button` at a frame point, waits until both
  // arrived, and returns the press.
  Event clickAt(int x, int y, unsigned int button = 1, unsigned long delayMs = 0) {
    session.moveTo(child, x, y);
    const size_t downs = count(down), ups = count(up);
    session.button(button, true, delayMs);
    session.button(button, false);
    EXPECT_TRUE(pumpUntil([&] { return count(down) > downs && count(up) > ups; }));
    return count(down) > downs ? last(down) : Event{};
  }

  XSession session;
  zelhost::HostWindow parent;
  CFrame* frame = nullptr;
  ProbeView* probe = nullptr;  // owned by the frame
  WindowId child = 0;
};

TEST_F(ToolkitX11Input, ButtonsArriveInFrameCoordinatesWithTheirBits) {
  Event press = clickAt(50, 40);
  EXPECT_EQ(press.where, CPoint(50, 40)) << "window coordinates of the frame's own window";
  EXPECT_EQ(press.buttons, static_cast<CButtonState>(kLButton));
  EXPECT_EQ(last(up).where, CPoint(50, 40));
  EXPECT_EQ(last(up).buttons & kMouseButtonMask, static_cast<CButtonState>(kLButton));
  EXPECT_EQ(clickAt(70, 60, 3).buttons, static_cast<CButtonState>(kRButton));

  session.click(4);
  session.click(5);
  ASSERT_TRUE(pumpUntil([&] { return count(wheel) == 2; }));
  EXPECT_EQ(probe->events[wheel][0].distance, 1.0f);
  EXPECT_EQ(probe->events[wheel][1].distance, -1.0f);
  EXPECT_EQ(probe->events[wheel][0].where, CPoint(70, 60));
  EXPECT_EQ(count(down), 2u) << "wheel buttons are no clicks";
}

TEST_F(ToolkitX11Input, DragMovesCarryTheButton) {
  session.moveTo(child, 30, 30);
  session.button(1, true);
  session.moveTo(child, 60, 50);
  session.moveTo(child, 90, 70);
  ASSERT_TRUE(pumpUntil([&] { return count(moved) > 0 && last(moved).where == CPoint(90, 70); }));
  EXPECT_EQ(last(moved).buttons & kLButton, static_cast<CButtonState>(kLButton));
  session.button(1, false);
  ASSERT_TRUE(pumpUntil([&] { return count(up) == 1; }));
  EXPECT_EQ(last(up).where, CPoint(90, 70));

  session.moveTo(child, 100, 80);
  ASSERT_TRUE(pumpUntil([&] { return last(moved).where == CPoint(100, 80); }));
  EXPECT_EQ(last(moved).buttons & kMouseButtonMask, 0u) << "no button held";
}

TEST_F(ToolkitX11Input, APressEndsWhenReleasedOutsideOrWhenTheWindowGoesAway) {
  session.moveTo(child, 30, 30);
  session.button(1, true);
  session.moveTo(child, -40, kFrameHeight + 300);  // outside the host window
  session.button(1, false);
  ASSERT_TRUE(pumpUntil([&] { return count(up) == 1; })) << "release outside the window";

  // The host hides its window mid-drag: the pointer grab ends and no release can come.
  session.moveTo(child, 30, 30);
  session.button(1, true);
  ASSERT_TRUE(pumpUntil([&] { return count(down) == 2; }));
  parent.unmap();
  EXPECT_TRUE(pumpUntil([&] { return count(up) == 2; })) << "grab lost with the window";
  session.button(1, false);
  parent.map();
}

TEST_F(ToolkitX11Input, DoubleClickNeedsTheSameSpotWithin400ms) {
  EXPECT_EQ(clickAt(40, 40).buttons & kDoubleClick, 0u);
  EXPECT_EQ(clickAt(50, 40).buttons & kDoubleClick, 0u) << "10 px from the first press";
  EXPECT_EQ(clickAt(50, 40).buttons, static_cast<CButtonState>(kLButton | kDoubleClick));
  EXPECT_EQ(clickAt(50, 40, 1, 450).buttons & kDoubleClick, 0u) << "450 ms after the last press";
}

TEST_F(ToolkitX11Input, ModifiersMarkClicksAndTypedKeysReachTheFocusView) {
  int x = 0;  // a new spot each time: no double click
  for (auto [keysym, bit] : {std::pair{kKeyControlL, kCommand}, std::pair{kKeyShiftL, kShift}}) {
    session.key(keysym, true);
    EXPECT_EQ(clickAt(x += 60, 60).buttons, static_cast<CButtonState>(kLButton | bit)) << bit;
    session.key(keysym, false);
  }
  ASSERT_EQ(frame->getFocusView(), probe) << "the probe wants focus: a click makes it the target";
  probe->events[key].clear();  // Shift reached it too
  for (unsigned long keysym : {kKeyA, kKeyReturn}) {
    session.key(keysym, true);
    session.key(keysym, false);
  }
  ASSERT_TRUE(pumpUntil([&] { return count(key) >= 2; }));
  EXPECT_EQ(probe->events[key][0].keyCode.character, 'a');
  EXPECT_EQ(probe->events[key][0].keyCode.virt, 0);
  EXPECT_EQ(probe->events[key][1].keyCode.virt, kVKeyReturn);
}

TEST_F(ToolkitX11Input, ExposeAfterUnmapAndMapRedraws) {
  WindowImage image;
  ASSERT_TRUE(session.grab(child, image));
  ASSERT_EQ(image.at(kFrameWidth / 2, kFrameHeight / 2), kProbeRgb) << "drawn once at start";
  const int drawsBefore = probe->draws;
  parent.unmap();
  parent.map();
  ASSERT_TRUE(pumpUntil([&] { return probe->draws > drawsBefore; })) << "no expose handled";
  ASSERT_TRUE(session.grab(child, image));
  for (auto [x, y] : {std::pair{kFrameWidth / 2, kFrameHeight / 2}, std::pair{1, 1},
                      std::pair{kFrameWidth - 2, kFrameHeight - 2}}) {
    EXPECT_EQ(image.at(x, y), kProbeRgb) << x << ", " << y;
  }
}

}  // namespace
}  // namespace e2e
