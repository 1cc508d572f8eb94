// The toolkit's X11 platform with real X events from XTest: a frame in a host window, a view
// that records what reaches it, and events handled when the test calls the frame's idle.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "CDrawContext.h"
#include "CFrame.h"
#include "CView.h"
#include "HostWindow.h"
#include "VSTGUIEditorInterface.h"
#include "XSession.h"
#include "platform/x11/X11PlatformFrame.h"

namespace e2e {
namespace {

// Keysyms (from X11/keysymdef.h; no X headers in the tests themselves).
constexpr unsigned long kKeyA = 0x61;
constexpr unsigned long kKeyReturn = 0xff0d;
constexpr unsigned long kKeyShiftL = 0xffe1;
constexpr unsigned long kKeyControlL = 0xffe3;

// Where the frame lies in the host window, and its size.
constexpr int kFrameLeft = 20, kFrameTop = 10, kFrameWidth = 200, kFrameHeight = 150;
const CColor kProbeColour(200, 40, 90);

struct Event {
  enum Kind { down, up, moved, wheel, key } kind;
  CPoint where;
  CButtonState buttons = 0;
  float distance = 0;
  CKeyCode keyCode;
};

class ProbeView : public CView {
 public:
  explicit ProbeView(const CRect& r) : CView(r) { setWantsFocus(true); }
  void draw(CDrawContext* context) override {
    ++draws;
    context->setFillColor(kProbeColour);
    context->fillRect(size);
  }
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
    events.push_back({Event::down, where, buttons, 0, {}});
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override {
    events.push_back({Event::up, where, buttons, 0, {}});
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override {
    events.push_back({Event::moved, where, buttons, 0, {}});
    return kMouseEventHandled;
  }
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override {
    events.push_back({Event::wheel, where, buttons, distance, {}});
    return true;
  }
  int32_t onKeyDown(CKeyCode& keyCode) override {
    events.push_back({Event::key, CPoint(), 0, 0, keyCode});
    return kKeyHandled;
  }

  std::vector<Event> of(Event::Kind kind) const {
    std::vector<Event> list;
    for (const Event& e : events) {
      if (e.kind == kind) list.push_back(e);
    }
    return list;
  }

  std::vector<Event> events;
  int draws = 0;
};

class NoEditor : public VSTGUIEditorInterface {
 public:
  void beginEdit(int32_t) override {}
  void endEdit(int32_t) override {}
  void doIdleStuff() override {}
};

class ToolkitX11Input : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session.ok()) << session.failure();
    std::string error;
    ASSERT_TRUE(parent.create("toolkit input", kFrameLeft + kFrameWidth + 40,
                              kFrameTop + kFrameHeight + 40, error))
        << error;
    session.trust(parent.display());
    setPlatformFrameFactory(createX11PlatformFrame);
    frame =
        new CFrame(CRect(kFrameLeft, kFrameTop, kFrameLeft + kFrameWidth, kFrameTop + kFrameHeight),
                   reinterpret_cast<void*>(static_cast<uintptr_t>(parent.id())), &editor);
    ASSERT_TRUE(frame->isOpen());
    probe = new ProbeView(CRect(0, 0, kFrameWidth, kFrameHeight));
    frame->addView(probe);
    frame->invalid();
    std::vector<WindowId> children = session.children(parent.id());
    ASSERT_EQ(children.size(), 1u);
    child = children[0];
    pumpUntil([] { return true; });
  }
  void TearDown() override {
    if (frame != nullptr) frame->close();
    session.untrust(parent.display());
    parent.destroy();
    for (const std::string& line : session.foreignErrors()) ADD_FAILURE() << line;
  }

  // Runs the frame's idle until done() holds; false after two seconds.
  bool pumpUntil(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    do {
      frame->idle();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < until);
    return false;
  }
  size_t count(Event::Kind kind) const { return probe->of(kind).size(); }
  // Clicks `button` at a frame point and waits until the press and release arrived.
  void clickAt(int x, int y, unsigned int button = 1) {
    session.moveTo(child, x, y);
    size_t downs = count(Event::down), ups = count(Event::up);
    session.click(button);
    ASSERT_TRUE(pumpUntil([&] { return count(Event::down) > downs && count(Event::up) > ups; }));
  }

  XSession session;
  zelhost::HostWindow parent;
  NoEditor editor;
  CFrame* frame = nullptr;
  ProbeView* probe = nullptr;  // owned by the frame
  WindowId child = 0;
};

TEST_F(ToolkitX11Input, PressAndReleaseArriveInFrameCoordinates) {
  clickAt(50, 40);
  Event down = probe->of(Event::down).back();
  Event up = probe->of(Event::up).back();
  EXPECT_EQ(down.where, CPoint(50, 40)) << "window coordinates of the frame's own window";
  EXPECT_EQ(down.buttons, static_cast<CButtonState>(kLButton));
  EXPECT_EQ(up.where, CPoint(50, 40));
  EXPECT_EQ(up.buttons & kMouseButtonMask, static_cast<CButtonState>(kLButton));
}

TEST_F(ToolkitX11Input, DragMovesCarryTheButton) {
  session.moveTo(child, 30, 30);
  session.button(1, true);
  session.moveTo(child, 60, 50);
  session.moveTo(child, 90, 70);
  ASSERT_TRUE(pumpUntil([&] {
    auto moves = probe->of(Event::moved);
    return !moves.empty() && moves.back().where == CPoint(90, 70);
  }));
  EXPECT_EQ(probe->of(Event::moved).back().buttons & kLButton, static_cast<CButtonState>(kLButton));
  session.button(1, false);
  ASSERT_TRUE(pumpUntil([&] { return count(Event::up) == 1; }));
  EXPECT_EQ(probe->of(Event::up).back().where, CPoint(90, 70));

  // Without a button held, moves carry no button bit.
  session.moveTo(child, 100, 80);
  ASSERT_TRUE(pumpUntil([&] { return probe->of(Event::moved).back().where == CPoint(100, 80); }));
  EXPECT_EQ(probe->of(Event::moved).back().buttons & kMouseButtonMask, 0u);
}

TEST_F(ToolkitX11Input, RightButtonAndWheelNotches) {
  clickAt(70, 60, 3);
  EXPECT_EQ(probe->of(Event::down).back().buttons, static_cast<CButtonState>(kRButton));

  session.click(4);
  session.click(5);
  ASSERT_TRUE(pumpUntil([&] { return count(Event::wheel) == 2; }));
  std::vector<Event> wheel = probe->of(Event::wheel);
  EXPECT_EQ(wheel[0].distance, 1.0f);
  EXPECT_EQ(wheel[1].distance, -1.0f);
  EXPECT_EQ(wheel[0].where, CPoint(70, 60));
  EXPECT_EQ(count(Event::down), 1u) << "wheel buttons are no clicks";
}

TEST_F(ToolkitX11Input, DoubleClickNeedsTheSameSpotWithin400ms) {
  clickAt(40, 40);
  clickAt(50, 40);  // 10 px away: a new first press
  clickAt(50, 40);
  session.moveTo(child, 50, 40);
  size_t downs = count(Event::down);
  session.button(1, true, 450);  // the server handles it 450 ms later
  session.button(1, false);
  ASSERT_TRUE(pumpUntil([&] { return count(Event::down) > downs; }));

  std::vector<Event> presses = probe->of(Event::down);
  ASSERT_EQ(presses.size(), 4u);
  EXPECT_EQ(presses[0].buttons & kDoubleClick, 0u);
  EXPECT_EQ(presses[1].buttons & kDoubleClick, 0u) << "too far from the first press";
  EXPECT_EQ(presses[2].buttons, static_cast<CButtonState>(kLButton | kDoubleClick));
  EXPECT_EQ(presses[3].buttons & kDoubleClick, 0u) << "too late after the second press";
}

TEST_F(ToolkitX11Input, HeldControlAndShiftMarkTheClick) {
  session.key(kKeyControlL, true);
  clickAt(60, 60);
  session.key(kKeyControlL, false);
  EXPECT_EQ(probe->of(Event::down).back().buttons, static_cast<CButtonState>(kLButton | kCommand))
      << "Ctrl is the Command bit (32)";

  session.key(kKeyShiftL, true);
  clickAt(120, 60);
  session.key(kKeyShiftL, false);
  EXPECT_EQ(probe->of(Event::down).back().buttons, static_cast<CButtonState>(kLButton | kShift));
}

TEST_F(ToolkitX11Input, TypedKeysReachTheFocusView) {
  clickAt(100, 75);  // the probe wants focus: the click makes it the key target
  ASSERT_EQ(frame->getFocusView(), probe);
  session.key(kKeyA, true);
  session.key(kKeyA, false);
  session.key(kKeyReturn, true);
  session.key(kKeyReturn, false);
  ASSERT_TRUE(pumpUntil([&] { return count(Event::key) >= 2; }));
  std::vector<Event> keys = probe->of(Event::key);
  EXPECT_EQ(keys[0].keyCode.character, 'a');
  EXPECT_EQ(keys[0].keyCode.virt, 0);
  EXPECT_EQ(keys[1].keyCode.virt, kVKeyReturn);
}

TEST_F(ToolkitX11Input, ExposeAfterUnmapAndMapRedraws) {
  WindowImage image;
  ASSERT_TRUE(session.grab(child, image));
  ASSERT_EQ(image.at(kFrameWidth / 2, kFrameHeight / 2), 0xC8285Au) << "drawn once at start";

  const int drawsBefore = probe->draws;
  parent.unmap();
  parent.map();
  ASSERT_TRUE(pumpUntil([&] { return probe->draws > drawsBefore; })) << "no expose handled";
  session.sync();
  ASSERT_TRUE(session.grab(child, image));
  EXPECT_EQ(image.at(kFrameWidth / 2, kFrameHeight / 2), 0xC8285Au);
  EXPECT_EQ(image.at(1, 1), 0xC8285Au);
  EXPECT_EQ(image.at(kFrameWidth - 2, kFrameHeight - 2), 0xC8285Au);
}

}  // namespace
}  // namespace e2e
