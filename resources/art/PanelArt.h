// The main panel background (811 x 286).
#pragma once

#include "Canvas.h"

namespace zelart {

// Draws the bare metal of the panel (texture and light, no markings); the about picture
// and the meter faces are cut from the same metal so their edges match the panel.
Image paintPanelMetal();

// Draws the panel on its metal: labels, knob scales, display windows, logo, preset strip.
Image paintPanel(const Image& metal);

}  // namespace zelart
