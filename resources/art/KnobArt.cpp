#include "KnobArt.h"

#include "Layout.h"
#include "Palette.h"
#include "Shading.h"

#include <algorithm>
#include <cmath>

namespace zelart {
namespace {

// Proportions of one knob, in pixels of its frame.
struct KnobShape {
  int size;           // frame width and height
  double skirt;       // radius of the black knurled skirt
  double cap;         // radius of the spun-aluminium cap
  int ridges;         // knurls around the skirt
  double ridgeDepth;  // radial depth of the knurling
  int shadowBlur;     // softness of the drop shadow
  double shadowDrop;  // how far below the knob its shadow falls
  double lineWidth;   // pointer line width
};

KnobShape shapeOf(KnobKind kind) {
  if (kind == KnobKind::Large) return {104, 41, 26, 40, 4.0, 5, 3.5, 3.0};
  return {50, 19.5, 12.5, 24, 2.2, 3, 2.0, 2.0};
}

// Draws the parts that do not turn: shadow and skirt body (below the knurls).
Image paintBase(const KnobShape& k) {
  Image base(k.size, k.size);
  Painter cr(base);
  const double c = k.size / 2.0;
  softShadow(cr, k.size, k.size, 0, k.shadowDrop, k.shadowBlur, 0.75,
             [&](cairo_t* p) { cairo_arc(p, c, c, k.skirt + 0.5, 0, 2 * M_PI); });

  // Skirt body: black with a broad top light.
  cairo_arc(cr, c, c, k.skirt, 0, 2 * M_PI);
  Gradient::linear(0, c - k.skirt, 0, c + k.skirt)
      .stop(0, grey(0.22))
      .stop(0.5, grey(0.09))
      .stop(1, grey(0.04))
      .fill(cr);
  return base;
}

// Draws the knurled rim of the skirt turned to `deg`: ridges catch the light according to
// where they face, so the pattern moves with the knob while the light stays put.
void paintKnurls(cairo_t* cr, const KnobShape& k, double deg) {
  const double c = k.size / 2.0;
  const double step = 360.0 / k.ridges;
  cairo_save(cr);
  cairo_arc(cr, c, c, k.skirt, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (int i = 0; i < k.ridges; ++i) {
    const double a = deg + i * step;
    // Light from the upper left: ridges facing it are bright.
    const double facing = std::cos((a + 35.0) * M_PI / 180.0);
    const double lit = 0.12 + 0.14 * std::max(0.0, facing);
    const double half = step * 0.28 * M_PI / 180.0;
    const double t = (a - 90.0) * M_PI / 180.0;  // cairo angle of direction a
    cairo_new_path(cr);
    cairo_arc(cr, c, c, k.skirt + 1, t - half, t + half);
    cairo_arc_negative(cr, c, c, k.skirt - k.ridgeDepth, t + half * 0.6, t - half * 0.6);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, lit, lit, lit * 1.03, 1.0);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// Draws the fixed top of the skirt (the bevel between knurls and cap) and the cap, spun
// aluminium with its conical highlight, which does not move when the knob turns.
Image paintTop(const KnobShape& k) {
  Image top(k.size, k.size);
  const double c = k.size / 2.0;
  {
    Painter cr(top);
    const double shoulder = k.skirt - k.ridgeDepth;
    cairo_arc(cr, c, c, shoulder, 0, 2 * M_PI);
    Gradient::vertical(c - shoulder, c + shoulder, grey(0.30), grey(0.05)).fill(cr);
    cairo_arc(cr, c, c, shoulder - 1.2, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.085, 0.085, 0.09);
    cairo_fill(cr);
    // Shadow the cap casts onto the skirt.
    cairo_arc(cr, c, c + 1, k.cap + 3, 0, 2 * M_PI);
    Gradient::radial(c, c + 1, k.cap, c, c + 1, k.cap + 3)
        .stop(0, {0, 0, 0, 0.6})
        .stop(1, {0, 0, 0, 0})
        .fill(cr);
  }
  // Cap, pixel by pixel: concentric machining rings and two opposite highlights.
  top.beginPixels();
  for (int y = 0; y < k.size; ++y) {
    std::uint32_t* px = top.row(y);
    for (int x = 0; x < k.size; ++x) {
      const double dx = x + 0.5 - c, dy = y + 0.5 - c;
      const double r = std::hypot(dx, dy);
      const double cover = std::clamp(k.cap - r + 0.5, 0.0, 1.0);
      if (cover <= 0) continue;
      const double theta = std::atan2(dy, dx);
      const double spin = std::cos(2.0 * (theta + M_PI / 4));  // highlights upper left, lower right
      const double rings = 0.018 * std::sin(r * 5.3) + 0.012 * std::sin(r * 11.7 + 1.0);
      double v = 0.60 + 0.20 * spin + rings - 0.10 * (dy / k.cap);
      // Darker rim where the cap's edge rounds off.
      v *= 1.0 - 0.35 * std::clamp((r - (k.cap - 1.8)) / 1.8, 0.0, 1.0);
      const double under = (px[x] >> 24) / 255.0;  // bevel beneath, already opaque
      const double base = (px[x] & 0xff) / 255.0 / std::max(under, 1e-6);
      const double out = v * cover + base * (1 - cover);
      px[x] = packPixel(out, out, out * 1.02, std::max(cover, under));
    }
  }
  top.endPixels();
  return top;
}

// Draws the pointer turned to `deg`: a cream line on the skirt and an engraved line on the
// cap, so the position reads from any distance.
void paintPointer(cairo_t* cr, const KnobShape& k, double deg) {
  const double c = k.size / 2.0;
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Line on the cap: dark groove with a lit lower edge.
  const Point a = onDial(c, c, k.cap * 0.30, deg), b = onDial(c, c, k.cap - 2.2, deg);
  cairo_set_line_width(cr, k.lineWidth);
  cairo_move_to(cr, a.x, a.y + 0.6);
  cairo_line_to(cr, b.x, b.y + 0.6);
  setColour(cr, {1, 1, 1, 0.35});
  cairo_stroke(cr);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  setColour(cr, {0.06, 0.06, 0.07, 0.95});
  cairo_stroke(cr);
  cairo_restore(cr);
}

void paintSkirtMark(cairo_t* cr, const KnobShape& k, double deg) {
  const double c = k.size / 2.0;
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const Point a = onDial(c, c, k.cap + 2.0, deg);
  const Point b = onDial(c, c, k.skirt - k.ridgeDepth - 1.5, deg);
  cairo_set_line_width(cr, k.lineWidth * 0.9);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  setColour(cr, palette::kPaint);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

Image paintKnobStrip(KnobKind kind, int frames) {
  const KnobShape k = shapeOf(kind);
  const Image base = paintBase(k);
  const Image top = paintTop(k);
  Image strip(k.size, k.size * frames);
  Painter cr(strip);
  for (int i = 0; i < frames; ++i) {
    const double deg = knobDegrees(frames > 1 ? static_cast<double>(i) / (frames - 1) : 0.0);
    cairo_save(cr);
    cairo_translate(cr, 0, static_cast<double>(i) * k.size);
    cairo_rectangle(cr, 0, 0, k.size, k.size);
    cairo_clip(cr);
    drawImage(cr, base, 0, 0);
    paintKnurls(cr, k, deg);
    drawImage(cr, top, 0, 0);
    paintSkirtMark(cr, k, deg);
    paintPointer(cr, k, deg);
    cairo_restore(cr);
  }
  return strip;
}

}  // namespace zelart
