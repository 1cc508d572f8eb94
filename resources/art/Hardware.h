// Small hardware parts drawn on several pictures: screws and lamps.
#pragma once

#include "Canvas.h"

namespace zelart {

// Draws a countersunk slotted screw head of radius r, its slot turned slotDeg from level.
void drawScrew(cairo_t* cr, double cx, double cy, double r, double slotDeg);

// Draws a round lamp lens of radius r in a dark bezel, glowing in `colour` when lit.
void drawLamp(cairo_t* cr, double cx, double cy, double r, const Rgba& colour, bool lit);

}  // namespace zelart
