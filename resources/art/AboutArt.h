// The about picture (811 x 286), shown over the whole panel; the editor writes the
// version text into the free area whose top left is (508, 63).
#pragma once

#include "Canvas.h"

namespace zelart {

// Draws the about picture on the panel's bare metal.
Image paintAbout(const Image& metal);

}  // namespace zelart
