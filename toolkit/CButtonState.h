// Mouse button and modifier bits delivered with mouse and wheel events, and the
// answers of mouse handlers.
#pragma once

#include <cstdint>

using CButtonState = uint32_t;

enum CButton : CButtonState {
  kLButton = 1 << 1,       // left button
  kMButton = 1 << 2,       // middle button
  kRButton = 1 << 3,       // right button
  kShift = 1 << 4,         // Shift key
  kCommand = 1 << 5,       // Command: the Ctrl key on Linux
  kAlt = 1 << 6,           // Option / Alt key
  kControl = 1 << 7,       // Control: the Super key on Linux
  kDoubleClick = 1 << 10,  // second press of a double click
};

constexpr CButtonState kMouseButtonMask = kLButton | kMButton | kRButton;
constexpr CButtonState kModifierMask = kShift | kCommand | kAlt | kControl;

enum CMouseEventResult : int32_t {
  kMouseEventNotHandled = 0,
  kMouseEventHandled = 1,
  // Handled; the view wants no move or up events for this press.
  kMouseDownEventHandledButDontNeedMovedOrUpEvents = 2,
};
