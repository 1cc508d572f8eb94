#include "MeterArt.h"

#include "Hardware.h"
#include "Layout.h"
#include "Palette.h"
#include "Shading.h"
#include "Text.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace zelart {
namespace {

constexpr int kSize = 145;
const Box kBezel{2, 2, 141, 141};
const Box kWindow{11, 11, 123, 123};
constexpr double kScaleRadius = 63;
constexpr double kLabelRadius = 82;

// Adds the path of the bezel ring: outer outline and the window, even-odd.
void bezelRingPath(cairo_t* cr) {
  roundedRect(cr, kBezel, 12);
  roundedRect(cr, kWindow, 6);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
}

// Draws the metal bezel with its screws; identical on the faces and the cover, so the
// cover hides any part of the needle or its trail that reaches over the window edge.
// Only the faces carry the bezel's shadow on the panel, so it is not laid on twice.
void drawBezel(cairo_t* cr, bool withShadow) {
  cairo_save(cr);
  if (withShadow) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, kSize, kSize);
    roundedRect(cr, kWindow, 6);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    softShadow(cr, kSize, kSize, 0, 2, 3, 0.7, [](cairo_t* p) { roundedRect(p, kBezel, 12); });
    cairo_restore(cr);
  }
  bezelRingPath(cr);
  Gradient::vertical(kBezel.y, kBezel.bottom(), grey(0.36), grey(0.13)).fill(cr);
  // Fine edges: lit outer top, dark window lip.
  cairo_set_line_width(cr, 1);
  roundedRect(cr, kBezel.inset(0.5), 11.5);
  setColour(cr, {0, 0, 0, 0.7});
  cairo_stroke(cr);
  roundedRect(cr, kBezel.inset(1.5), 10.5);
  setColour(cr, {1, 1, 1, 0.10});
  cairo_stroke(cr);
  roundedRect(cr, kWindow.inset(-0.5), 6.5);
  setColour(cr, {0, 0, 0, 0.85});
  cairo_stroke(cr);
  roundedRect(cr, kWindow.inset(-1.5), 7.5);
  setColour(cr, {1, 1, 1, 0.06});
  cairo_stroke(cr);
  for (const Point& p :
       {Point{7.5, 7.5}, Point{137.5, 7.5}, Point{7.5, 137.5}, Point{137.5, 137.5}})
    drawScrew(cr, p.x, p.y, 2.6, 40);
  cairo_restore(cr);
}

// A tick on the scale at meter value v, from the arc outwards.
void tick(cairo_t* cr, double v, double length, double width) {
  const double deg = needleDegrees(v);
  const Point a = onDial(kMeterCentre.x, kMeterCentre.y, kScaleRadius, deg);
  const Point b = onDial(kMeterCentre.x, kMeterCentre.y, kScaleRadius + length, deg);
  cairo_set_line_width(cr, width);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_stroke(cr);
}

// An arc of the scale between two meter values.
void scaleArc(cairo_t* cr, double v0, double v1, double radius, double width) {
  const double a0 = (needleDegrees(v0) - 90) * M_PI / 180,
               a1 = (needleDegrees(v1) - 90) * M_PI / 180;
  cairo_set_line_width(cr, width);
  cairo_new_path(cr);
  cairo_arc(cr, kMeterCentre.x, kMeterCentre.y, radius, a0, a1);
  cairo_stroke(cr);
}

void drawScale(cairo_t* cr, const Rgba& ink, const Rgba& red) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  setColour(cr, ink);
  // Main arc over the reduction range, with a thinner inner rule.
  scaleArc(cr, 0.0, 1.0, kScaleRadius, 1.2);
  scaleArc(cr, 0.0, 1.0, kScaleRadius - 3, 0.5);
  // Overshoot zone above unity gain.
  setColour(cr, red);
  scaleArc(cr, 1.0, 1.2, kScaleRadius + 2.5, 5);
  setColour(cr, ink);

  const double labelled[] = {0, -1, -2, -3, -6, -10, -20};
  const double minor[] = {-0.5, -1.5, -2.5, -4, -5, -7, -8, -9, -15, -30};
  for (double db : labelled) tick(cr, gainForDb(db), 8, 1.4);
  for (double db : minor) tick(cr, gainForDb(db), 4.5, 0.8);
  tick(cr, 0.0, 4.5, 0.8);  // no output at all: the left end

  const Font font = sans(9, true);
  for (double db : labelled) {
    char text[8];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(-db));
    const Point p =
        onDial(kMeterCentre.x, kMeterCentre.y, kLabelRadius, needleDegrees(gainForDb(db)));
    drawText(cr, font, text, p.x, p.y + 3.2, Align::Centre, ink);
  }
  const Point plus = onDial(kMeterCentre.x, kMeterCentre.y, kScaleRadius - 9, needleDegrees(1.1));
  drawText(cr, sans(10, true), "+", plus.x, plus.y + 3.5, Align::Centre, red);

  drawText(cr, sans(10, true, 1), "dB", kMeterCentre.x, 88, Align::Centre, ink);
  cairo_restore(cr);
}

}  // namespace

Image paintMeterFace(const Image& metal, bool lit) {
  const Box& where = place(Control::Meter).box;
  Image face = metal.crop(static_cast<int>(where.x), static_cast<int>(where.y), kSize, kSize);
  Painter cr(face);
  drawBezel(cr, true);

  // The card: warm cream lit from behind, or a dim grey-brown when bypassed.
  const Rgba paper = lit ? palette::kMeterCream : rgb255(96, 90, 76);
  const Rgba edge = lit ? shade(paper, 0.80) : shade(paper, 0.70);
  roundedRect(cr, kWindow, 6);
  Gradient::radial(kMeterCentre.x, 60, 10, kMeterCentre.x, 70, 95)
      .stop(0, paper)
      .stop(1, edge)
      .fill(cr);

  const Rgba ink = lit ? palette::kMeterInk : rgb255(40, 37, 32);
  const Rgba red = lit ? palette::kMeterRed : rgb255(92, 40, 32);
  drawScale(cr, ink, red);
  return face;
}

Image paintMeterCover() {
  Image cover(kSize, kSize);
  Painter cr(cover);
  drawBezel(cr, false);

  cairo_save(cr);
  roundedRect(cr, kWindow, 6);
  cairo_clip(cr);
  // Shadow that the bezel lip casts onto the card.
  Gradient::vertical(kWindow.y, kWindow.y + 14, {0, 0, 0, 0.45}, {0, 0, 0, 0}).paint(cr);
  Gradient::linear(kWindow.x, 0, kWindow.x + 8, 0)
      .stop(0, {0, 0, 0, 0.25})
      .stop(1, {0, 0, 0, 0})
      .paint(cr);

  // Pivot housing: a dark moulded hood across the bottom of the window.
  cairo_arc(cr, kMeterCentre.x, kMeterCentre.y + 40, 51, 0, 2 * M_PI);
  setColour(cr, {0, 0, 0, 0.25});
  cairo_fill(cr);
  cairo_arc(cr, kMeterCentre.x, kMeterCentre.y + 40, 50, 0, 2 * M_PI);
  Gradient::vertical(kMeterCentre.y - 10, kWindow.bottom(), grey(0.20), grey(0.07)).fill(cr);
  cairo_set_line_width(cr, 1);
  cairo_arc(cr, kMeterCentre.x, kMeterCentre.y + 40, 49.5, M_PI * 1.1, M_PI * 1.9);
  setColour(cr, {1, 1, 1, 0.15});
  cairo_stroke(cr);
  drawText(cr, sans(7, true, 1.5), "Zel", kMeterCentre.x, 126, Align::Centre,
           shade(palette::kPaint, 0.8));

  // Glass: a broad soft sheen from the upper left and a narrow streak.
  Gradient::linear(kWindow.x, kWindow.y, kWindow.x + 80, kWindow.y + 80)
      .stop(0, {1, 1, 1, 0.16})
      .stop(0.55, {1, 1, 1, 0.04})
      .stop(0.56, {1, 1, 1, 0})
      .paint(cr);
  cairo_move_to(cr, kWindow.right() - 30, kWindow.y);
  cairo_line_to(cr, kWindow.right() - 22, kWindow.y);
  cairo_line_to(cr, kWindow.x + 30, kWindow.bottom());
  cairo_line_to(cr, kWindow.x + 26, kWindow.bottom());
  cairo_close_path(cr);
  setColour(cr, {1, 1, 1, 0.05});
  cairo_fill(cr);
  cairo_restore(cr);
  return cover;
}

void drawNeedle(cairo_t* cr, double value) {
  const double theta = 3 * M_PI / 4 - M_PI / 2 * value;
  const double cx = kMeterCentre.x, cy = kMeterCentre.y;
  cairo_save(cr);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgba(cr, 40 / 255.0, 35 / 255.0, 30 / 255.0, 215 / 255.0);
  cairo_move_to(cr, cx + kNeedleInner * std::cos(theta), cy - kNeedleInner * std::sin(theta));
  cairo_line_to(cr, cx + kNeedleOuter * std::cos(theta), cy - kNeedleOuter * std::sin(theta));
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace zelart
