// Translation of X11 input state to toolkit buttons and key codes (numbers as Xlib gives
// them, so no X headers are needed here).
#pragma once

#include "CButtonState.h"
#include "CKeyCode.h"

// Modifier and held-button bits of an X event state: Shift 16, Ctrl -> Command 32,
// Alt -> 64, Super -> Control 128; buttons 1, 2, 3 -> left, middle, right.
CButtonState x11StateToButtons(unsigned int state);
// The bit of a pressed X button (1 left, 2 middle, 3 right; 0 for others).
CButtonState x11ButtonToBit(unsigned int button);
// Wheel distance of an X button: 4 -> +1, 5 -> -1, else 0.
float x11ButtonToWheel(unsigned int button);
// Key code of a keysym with an event state.
CKeyCode x11KeysymToKeyCode(unsigned long keysym, unsigned int state);
