#include "Hardware.h"

#include "Shading.h"

#include <algorithm>
#include <cmath>

namespace zelart {

void drawScrew(cairo_t* cr, double cx, double cy, double r, double slotDeg) {
  cairo_save(cr);
  // Countersink shadow.
  cairo_arc(cr, cx, cy + 0.4, r + 1.0, 0, 2 * M_PI);
  setColour(cr, {0, 0, 0, 0.55});
  cairo_fill(cr);
  // Head: lit from above.
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  Gradient::vertical(cy - r, cy + r, grey(0.74), grey(0.30)).fill(cr);
  // Slot.
  const double a = slotDeg * M_PI / 180.0;
  const double dx = std::cos(a) * (r - 0.6), dy = std::sin(a) * (r - 0.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_width(cr, std::max(1.0, r * 0.32));
  cairo_move_to(cr, cx - dx, cy - dy);
  cairo_line_to(cr, cx + dx, cy + dy);
  setColour(cr, {0.08, 0.08, 0.09, 0.9});
  cairo_stroke(cr);
  cairo_restore(cr);
}

void drawLamp(cairo_t* cr, double cx, double cy, double r, const Rgba& colour, bool lit) {
  cairo_save(cr);
  if (lit) {
    // Glow spilling onto the surroundings.
    cairo_arc(cr, cx, cy, r * 2.6, 0, 2 * M_PI);
    Gradient::radial(cx, cy, r * 0.5, cx, cy, r * 2.6)
        .stop(0, {colour.r, colour.g, colour.b, 0.55})
        .stop(1, {colour.r, colour.g, colour.b, 0})
        .fill(cr);
  }
  // Bezel ring.
  cairo_arc(cr, cx, cy, r + 1.5, 0, 2 * M_PI);
  Gradient::vertical(cy - r - 1.5, cy + r + 1.5, grey(0.62), grey(0.16)).fill(cr);
  // Lens.
  const Rgba core = lit ? mix(colour, {1, 1, 1, 1}, 0.55) : shade(colour, 0.30);
  const Rgba edge = lit ? colour : shade(colour, 0.12);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  Gradient::radial(cx - r * 0.2, cy - r * 0.25, 0, cx, cy, r).stop(0, core).stop(1, edge).fill(cr);
  // Specular highlight.
  const double hx = cx - r * 0.35, hy = cy - r * 0.4;
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  Gradient::radial(hx, hy, 0, hx, hy, r * 0.55)
      .stop(0, {1, 1, 1, lit ? 0.75 : 0.45})
      .stop(1, {1, 1, 1, 0})
      .fill(cr);
  cairo_restore(cr);
}

}  // namespace zelart
