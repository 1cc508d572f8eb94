// Double-click marking and the X11 input translation (no X server needed).
#include "ToolkitTestSupport.h"
#include "platform/DoubleClickDetector.h"
#include "platform/x11/X11Input.h"

namespace {

TEST(DoubleClick, SecondPressWithin400msAnd4pxOfTheSameButton) {
  DoubleClickDetector d;
  EXPECT_EQ(d.onPress(CPoint(10, 10), kLButton, 1000), kLButton);
  EXPECT_EQ(d.onPress(CPoint(14, 6), kLButton | kCommand, 1400), kLButton | kCommand | kDoubleClick);
  // A third press starts a new pair.
  EXPECT_EQ(d.onPress(CPoint(14, 6), kLButton, 1450), kLButton);

  d.reset();
  d.onPress(CPoint(10, 10), kLButton, 0);
  EXPECT_EQ(d.onPress(CPoint(10, 10), kLButton, 401), kLButton) << "too slow";
  EXPECT_EQ(d.onPress(CPoint(15, 10), kLButton, 500), kLButton) << "too far";
  EXPECT_EQ(d.onPress(CPoint(15, 10), kRButton, 550), kRButton) << "other button";
  EXPECT_EQ(d.onPress(CPoint(15, 10), kRButton, 600), kRButton | kDoubleClick);
}

TEST(DoubleClick, ServerTimeWrapsAround) {
  DoubleClickDetector d;
  d.onPress(CPoint(0, 0), kLButton, 0xFFFFFF00u);
  EXPECT_EQ(d.onPress(CPoint(0, 0), kLButton, 0x40u), kLButton | kDoubleClick);
}

using InjectedDoubleClick = OffscreenTest;

TEST_F(InjectedDoubleClick, TimedPressesReachViewsMarked) {
  openFrame();
  auto* v = new SolidView(CRect(0, 0, 50, 50), kRedCColor);
  v->downResult = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  frame->addView(v);
  screen->mouseDownAt(CPoint(5, 5), kLButton, 100);
  EXPECT_EQ(v->lastButtons, kLButton);
  screen->mouseDownAt(CPoint(6, 5), kLButton, 300);
  EXPECT_EQ(v->lastButtons, kLButton | kDoubleClick);
}

TEST(X11Input, ModifiersAndButtonsMapToToolkitBits) {
  // Xlib masks: Shift 1, Control 4, Mod1 8, Mod4 64, Button1 256, Button2 512, Button3 1024.
  EXPECT_EQ(x11StateToButtons(1), kShift);
  EXPECT_EQ(x11StateToButtons(4), kCommand) << "Ctrl is Command";
  EXPECT_EQ(x11StateToButtons(8), kAlt);
  EXPECT_EQ(x11StateToButtons(64), kControl) << "Super is Control";
  EXPECT_EQ(x11StateToButtons(2 | 16), 0u) << "Caps Lock and Num Lock are ignored";
  EXPECT_EQ(x11StateToButtons(256 | 512 | 1024), kLButton | kMButton | kRButton);
  EXPECT_EQ(x11ButtonToBit(1), kLButton);
  EXPECT_EQ(x11ButtonToBit(2), kMButton);
  EXPECT_EQ(x11ButtonToBit(3), kRButton);
  EXPECT_EQ(x11ButtonToBit(4), 0u);
  EXPECT_EQ(x11ButtonToWheel(4), 1.f);
  EXPECT_EQ(x11ButtonToWheel(5), -1.f);
  EXPECT_EQ(x11ButtonToWheel(6), 0.f);
}

TEST(X11Input, KeysymsBecomeVstStyleKeyCodes) {
  CKeyCode a = x11KeysymToKeyCode('A', 1);
  EXPECT_EQ(a.character, 'A');
  EXPECT_EQ(a.virt, 0);
  EXPECT_EQ(a.modifier, kKeyModShift);
  EXPECT_EQ(x11KeysymToKeyCode(0xFF08, 0).virt, kVKeyBack);     // BackSpace
  EXPECT_EQ(x11KeysymToKeyCode(0xFF0D, 0).virt, kVKeyReturn);   // Return
  EXPECT_EQ(x11KeysymToKeyCode(0xFF8D, 0).virt, kVKeyEnter);    // KP_Enter
  EXPECT_EQ(x11KeysymToKeyCode(0xFF1B, 0).virt, kVKeyEscape);   // Escape
  EXPECT_EQ(x11KeysymToKeyCode(0xFFFF, 0).virt, kVKeyDelete);   // Delete
  EXPECT_EQ(x11KeysymToKeyCode(0xFF50, 0).virt, kVKeyHome);     // Home
  EXPECT_EQ(x11KeysymToKeyCode(0xFF57, 0).virt, kVKeyEnd);      // End
  EXPECT_EQ(x11KeysymToKeyCode(0xFF51, 0).virt, kVKeyLeft);     // Left
  EXPECT_EQ(x11KeysymToKeyCode(0xFFBE, 0).virt, kVKeyF1);       // F1
  CKeyCode space = x11KeysymToKeyCode(0x20, 0);
  EXPECT_EQ(space.virt, kVKeySpace);
  EXPECT_EQ(space.character, ' ');
  EXPECT_EQ(x11KeysymToKeyCode(0xE9, 0).character, 0xE9);          // eacute (Latin-1)
  EXPECT_EQ(x11KeysymToKeyCode(0x10020AC, 0).character, 0x20AC);   // Unicode keysym
  CKeyCode kp7 = x11KeysymToKeyCode(0xFFB7, 0);                    // KP_7
  EXPECT_EQ(kp7.virt, kVKeyNumpad0 + 7);
  EXPECT_EQ(kp7.character, '7');
  EXPECT_EQ(x11KeysymToKeyCode('c', 4).modifier, kKeyModCommand);
  EXPECT_EQ(x11KeysymToKeyCode(0xFF0D, 0).character, 0);
}

}  // namespace
