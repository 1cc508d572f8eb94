// Switch and button strips of the main panel: frame 0 off, frame 1 on (the channel
// switch: L, LR, R).
#pragma once

#include "Canvas.h"

namespace zelart {

// Power: pilot lamp and bat-handle toggle, 57 x 107 frames.
Image paintPowerButton();

// Link: bat-handle toggle, 62 x 80.5 frames (frame 1 starts half-way through a row).
Image paintLinkButton();

// Latching push button with a lamp and the legend "IN", `width` x 24 frames.
Image paintLatchButton(int width);

// Three-position pointer knob for the channel mode, 73 x 66 frames.
Image paintChannelSwitch();

}  // namespace zelart
