// Shared shapes and shading: rounded rectangles, blur, soft shadows, recesses.
#pragma once

#include "Canvas.h"

namespace zelart {

// Adds a rounded rectangle path.
void roundedRect(cairo_t* cr, const Box& box, double radius);

// Blurs every channel of the image with three box passes (close to a Gaussian of
// deviation about radius / 1.2).
void blur(Image& image, int radius);

// Paints the blurred shadow of the filled path that addPath adds, offset by (dx, dy), at
// the given opacity. The shadow is computed on a scratch image of width x height.
template <typename AddPath>
void softShadow(cairo_t* cr, int width, int height, double dx, double dy, int radius,
                double opacity, AddPath addPath)
{
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

} // namespace zelart
