// Film-strip knobs: one frame per position, frame k of n turned to the value k / (n - 1).
#pragma once

#include "Canvas.h"

namespace zelart {

// Knob families on the panel.
enum class KnobKind {
  Large,  // 104 x 104 frames: Threshold, Makeup
  Small,  // 50 x 50 frames: Attack, Release, side-chain filter, Ratio, Blend
};

// Draws a vertical strip of `frames` square knob frames of the family's size.
Image paintKnobStrip(KnobKind kind, int frames);

}  // namespace zelart
