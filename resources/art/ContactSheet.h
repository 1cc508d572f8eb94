// A review sheet: the panel as the editor shows it, and sample frames of every strip.
#pragma once

#include "Images.h"

#include <vector>

namespace zelart {

// Draws the sheet from the rendered image set.
Image paintContactSheet(const std::vector<RenderedImage>& images);

}  // namespace zelart
