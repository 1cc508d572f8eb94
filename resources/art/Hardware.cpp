#include "Hardware.h"

#include <algorithm>
#include <cmath>

namespace zelart {

void drawScrew(cairo_t* cr, double cx, double cy, double r, double slotDeg)
{
    cairo_save(cr);
    // Countersink shadow.
    cairo_arc(cr, cx, cy + 0.4, r + 1.0, 0, 2 * M_PI);
    setColour(cr, {0, 0, 0, 0.55});
    cairo_fill(cr);
    // Head: lit from above.
    cairo_pattern_t* head = cairo_pattern_create_linear(cx, cy - r, cx, cy + r);
    cairo_pattern_add_color_stop_rgb(head, 0, 0.74, 0.74, 0.76);
    cairo_pattern_add_color_stop_rgb(head, 1, 0.30, 0.30, 0.32);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, head);
    cairo_fill(cr);
    cairo_pattern_destroy(head);
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

void drawLamp(cairo_t* cr, double cx, double cy, double r, const Rgba& colour, bool lit)
{
    cairo_save(cr);
    if (lit) {
        // Glow spilling onto the surroundings.
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, r * 0.5, cx, cy, r * 2.6);
        cairo_pattern_add_color_stop_rgba(glow, 0, colour.r, colour.g, colour.b, 0.55);
        cairo_pattern_add_color_stop_rgba(glow, 1, colour.r, colour.g, colour.b, 0);
        cairo_arc(cr, cx, cy, r * 2.6, 0, 2 * M_PI);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    // Bezel ring.
    cairo_pattern_t* bezel = cairo_pattern_create_linear(cx, cy - r - 1.5, cx, cy + r + 1.5);
    cairo_pattern_add_color_stop_rgb(bezel, 0, 0.62, 0.62, 0.64);
    cairo_pattern_add_color_stop_rgb(bezel, 1, 0.16, 0.16, 0.17);
    cairo_arc(cr, cx, cy, r + 1.5, 0, 2 * M_PI);
    cairo_set_source(cr, bezel);
    cairo_fill(cr);
    cairo_pattern_destroy(bezel);
    // Lens.
    const Rgba core = lit ? mix(colour, {1, 1, 1, 1}, 0.55) : shade(colour, 0.30);
    const Rgba edge = lit ? colour : shade(colour, 0.12);
    cairo_pattern_t* lens = cairo_pattern_create_radial(cx - r * 0.2, cy - r * 0.25, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(lens, 0, core.r, core.g, core.b);
    cairo_pattern_add_color_stop_rgb(lens, 1, edge.r, edge.g, edge.b);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, lens);
    cairo_fill(cr);
    cairo_pattern_destroy(lens);
    // Specular highlight.
    cairo_pattern_t* spec =
        cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, 0, cx - r * 0.35, cy - r * 0.4, r * 0.55);
    cairo_pattern_add_color_stop_rgba(spec, 0, 1, 1, 1, lit ? 0.75 : 0.45);
    cairo_pattern_add_color_stop_rgba(spec, 1, 1, 1, 1, 0);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, spec);
    cairo_fill(cr);
    cairo_pattern_destroy(spec);
    cairo_restore(cr);
}

} // namespace zelart
