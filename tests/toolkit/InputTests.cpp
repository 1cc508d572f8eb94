// Double-click marking and the X11 input translation (no X server needed).
#include "ToolkitTestSupport.h"
#include "platform/DoubleClickDetector.h"
#include "platform/x11/X11Input.h"

namespace {

TEST(DoubleClick, SecondPressWithin400msAnd4pxOfTheSameButton) {
  DoubleClickDetector d;
  EXPECT_EQ(d.onPress(CPoint(10, 10), kLButton, 1000), kLButton);
  EXPECT_EQ(d.onPress(CPoint(14, 6), kLButton | kCommand, 1400),
            kLButton | kCommand | kDoubleClick);
  EXPECT_EQ(d.onPress(CPoint(14, 6), kLButton, 1450), kLButton)
      << "a third press starts a new pair";

  d.reset();
  d.onPress(CPoint(10, 10), kLButton, 0);
  EXPECT_EQ(d.onPress(CPoint(10, 10), kLButton, 401), kLButton) << "too slow";
  EXPECT_EQ(d.onPress(CPoint(15, 10), kLButton, 500), kLButton) << "too far";
  EXPECT_EQ(d.onPress(CPoint(15, 10), kRButton, 550), kRButton) << "other button";
  EXPECT_EQ(d.onPress(CPoint(15, 10), kRButton, 600), kRButton | kDoubleClick);

  d.reset();
  d.onPress(CPoint(0, 0), kLButton, 0xFFFFFF00u);
  EXPECT_EQ(d.onPress(CPoint(0, 0), kLButton, 0x40u), kLButton | kDoubleClick)
      << "server time wraps";
}

TEST(X11Input, ModifiersAndButtonsMapToToolkitBits) {
  // Xlib masks: Shift 1, Lock 2, Control 4, Mod1 8, Mod2 16, Mod4 64, Button1..3 256, 512, 1024.
  // Ctrl is Command, Super is Control, Caps Lock and Num Lock are ignored.
  const std::pair<unsigned, CButtonState> states[] = {
      {1, kShift},    {4, kCommand}, {8, kAlt},
      {64, kControl}, {2 | 16, 0},   {256 | 512 | 1024, kLButton | kMButton | kRButton}};
  for (auto [state, bits] : states) EXPECT_EQ(x11StateToButtons(state), bits) << state;
  const std::pair<unsigned, CButtonState> buttons[] = {
      {1, kLButton}, {2, kMButton}, {3, kRButton}, {4, 0}};
  for (auto [button, bit] : buttons) EXPECT_EQ(x11ButtonToBit(button), bit) << button;
  EXPECT_EQ(x11ButtonToWheel(4), 1.f);
  EXPECT_EQ(x11ButtonToWheel(5), -1.f);
  EXPECT_EQ(x11ButtonToWheel(6), 0.f);
}

TEST(X11Input, KeysymsBecomeVstStyleKeyCodes) {
  // BackSpace, Return, KP_Enter, Escape, Delete, Home, End, Left, F1, space, KP_7.
  const std::pair<unsigned, int> virtuals[] = {
      {0xFF08, kVKeyBack},   {0xFF0D, kVKeyReturn},     {0xFF8D, kVKeyEnter},
      {0xFF1B, kVKeyEscape}, {0xFFFF, kVKeyDelete},     {0xFF50, kVKeyHome},
      {0xFF57, kVKeyEnd},    {0xFF51, kVKeyLeft},       {0xFFBE, kVKeyF1},
      {0x20, kVKeySpace},    {0xFFB7, kVKeyNumpad0 + 7}};
  for (auto [keysym, virt] : virtuals)
    EXPECT_EQ(x11KeysymToKeyCode(keysym, 0).virt, virt) << keysym;
  // Latin-1 and Unicode keysyms, keypad digits and space carry their character; Return none.
  const std::pair<unsigned, int> characters[] = {
      {0x20, ' '}, {0xE9, 0xE9}, {0x10020AC, 0x20AC}, {0xFFB7, '7'}, {0xFF0D, 0}};
  for (auto [keysym, character] : characters)
    EXPECT_EQ(x11KeysymToKeyCode(keysym, 0).character, character) << keysym;
  CKeyCode a = x11KeysymToKeyCode('A', 1);
  EXPECT_EQ(a.character, 'A');
  EXPECT_EQ(a.virt, 0);
  EXPECT_EQ(a.modifier, kKeyModShift);
  EXPECT_EQ(x11KeysymToKeyCode('c', 4).modifier, kKeyModCommand);
}

}  // namespace
