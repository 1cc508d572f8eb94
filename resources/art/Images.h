// The table of all embedded images and the drawing of the whole set.
#pragma once

#include "Canvas.h"

#include <span>
#include <vector>

namespace zelart {

// One image of the store: id, pixel size, the number of frames stacked in it, and a
// short name used for its file.
struct ImageFormat {
  unsigned id;
  int width;
  int height;
  int frames;
  const char* name;

  // Height of one frame (not always a whole number).
  double frameHeight() const { return static_cast<double>(height) / frames; }
};

// All images, in ascending id order.
std::span<const ImageFormat> imageFormats();

// An image of the table, drawn.
struct RenderedImage {
  const ImageFormat* format;
  Image image;
};

// Draws every image of the table, in table order.
std::vector<RenderedImage> renderAll();

}  // namespace zelart
