// Shared shapes and shading: rounded rectangles, blur, soft shadows, recesses.
#pragma once

#include "Canvas.h"

namespace zelart {

// A cairo gradient with its colour stops; owns the pattern.
class Gradient {
public:
  // A linear gradient from (x0, y0) to (x1, y1).
  static Gradient linear(double x0, double y0, double x1, double y1);
  // A top-to-bottom gradient between two colours.
  static Gradient vertical(double top, double bottom, const Rgba& from, const Rgba& to);
  // A radial gradient between two circles.
  static Gradient radial(double cx0, double cy0, double r0, double cx1, double cy1, double r1);
  ~Gradient();
  Gradient(Gradient&& other) noexcept;
  Gradient(const Gradient&) = delete;
  Gradient& operator=(const Gradient&) = delete;
  Gradient& operator=(Gradient&&) = delete;

  // Adds a colour stop at offset 0..1.
  Gradient& stop(double offset, const Rgba& colour);
  // Fills the current path with the gradient; keeps the path when preserve is set.
  void fill(cairo_t* cr, bool preserve = false) const;
  // Paints the gradient over the current clip.
  void paint(cairo_t* cr) const;

private:
  explicit Gradient(cairo_pattern_t* pattern) : pattern_(pattern) {}
  cairo_pattern_t* pattern_;
};

// Grey of level v (0..1), opaque, with a touch of blue as anodised metal has.
Rgba grey(double v, double alpha = 1.0);

// Adds a rounded rectangle path.
void roundedRect(cairo_t* cr, const Box& box, double radius);

// Blurs every channel of the image with three box passes (close to a Gaussian of
// deviation about radius / 1.2).
void blur(Image& image, int radius);

// Paints the blurred shadow of the filled path that addPath adds, offset by (dx, dy), at
// the given opacity. The shadow is computed on a scratch image of width x height.
template <typename AddPath>
void softShadow(cairo_t* cr, int width, int height, double dx, double dy, int radius,
                double opacity, AddPath addPath) {
  Image mask(width, height);
  {
    Painter p(mask);
    addPath(static_cast<cairo_t*>(p));
    cairo_set_source_rgb(p, 0, 0, 0);
    cairo_fill(p);
  }
  blur(mask, radius);
  drawImage(cr, mask, dx, dy, opacity);
}

// Draws a flat, even window sunk into the panel: the fill inside `box`, a dark lip along
// its top and left outside it and a faint lit edge along its bottom and right.
void recess(cairo_t* cr, const Box& box, double radius, const Rgba& fill);

// Draws a fine groove line from (x0, y) to (x1, y): dark line with a lit line below.
void grooveH(cairo_t* cr, double x0, double x1, double y);

}  // namespace zelart
