// The gain-reduction meter: two faces (lit, and dark for bypass) and the glass cover that
// is drawn over the needle. All are 145 x 145.
#pragma once

#include "Canvas.h"

namespace zelart {

// Draws a face: the panel metal around a bezel, and a scale in dB of gain reduction placed
// by the needle law. `lit` gives the cream working face, otherwise the dark bypassed one.
// `metal` is the panel's bare metal, from which the corners are cut.
Image paintMeterFace(const Image& metal, bool lit);

// Draws the cover: bezel, screws, pivot housing and glass reflections; clear elsewhere.
Image paintMeterCover();

// Draws the needle for a meter value as the meter control draws a still needle, in the
// meter's own pixels (for previews).
void drawNeedle(cairo_t* cr, double value);

}  // namespace zelart
