// Brushed-metal surface texture.
#pragma once

#include "Canvas.h"

#include <cstdint>

namespace zelart {

// How a brushed-metal surface looks.
struct MetalStyle {
  Rgba base;                    // mean colour
  double streak = 0.05;         // relative strength of the horizontal brush streaks
  double grain = 0.015;         // relative strength of per-pixel grain
  double rowVariation = 0.012;  // relative brightness variation from row to row
  int streakLength = 48;        // length in pixels over which streaks are smeared
};

// Fills the whole image, opaque, with brushed metal; the pattern depends only on the seed.
void paintBrushedMetal(Image& image, const MetalStyle& style, std::uint64_t seed);

}  // namespace zelart
