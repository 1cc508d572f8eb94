#include "AboutArt.h"

#include "Layout.h"
#include "Palette.h"
#include "Shading.h"
#include "Text.h"

#include <cmath>
#include <initializer_list>

namespace zelart {
namespace {

using palette::kAccent;
using palette::kPaint;
using palette::kPaintDim;

// The editor draws the version, white, 14 points, in the 100 x 15 box at this point.
constexpr Point kVersionAt{508, 63};

// A round badge: a small meter arc with ticks and a needle.
void drawBadge(cairo_t* cr, double cx, double cy, double r) {
  cairo_save(cr);
  softShadow(cr, kPanelWidth, kPanelHeight, 0, 2, 4, 0.8,
             [&](cairo_t* p) { cairo_arc(p, cx, cy, r, 0, 2 * M_PI); });
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  Gradient::vertical(cy - r, cy + r, grey(0.40), grey(0.12)).fill(cr);
  cairo_arc(cr, cx, cy, r - 4, 0, 2 * M_PI);
  setColour(cr, palette::kDisplayWell);
  cairo_fill(cr);
  const double pivotY = cy + r * 0.35;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i <= 8; ++i) {
    const double deg = -50.0 + 100.0 * i / 8;
    const Point a = onDial(cx, pivotY, r * 0.80, deg),
                b = onDial(cx, pivotY, r * (i % 2 ? 0.90 : 0.96), deg);
    cairo_set_line_width(cr, i % 2 ? 1.0 : 1.6);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    setColour(cr, i >= 7 ? palette::kMeterRed : kPaint);
    cairo_stroke(cr);
  }
  const Point tip = onDial(cx, pivotY, r * 0.93, 22);
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, cx, pivotY);
  cairo_line_to(cr, tip.x, tip.y);
  setColour(cr, kAccent);
  cairo_stroke(cr);
  cairo_arc(cr, cx, pivotY, 3, 0, 2 * M_PI);
  setColour(cr, kAccent);
  cairo_fill(cr);
  cairo_restore(cr);
}

void paragraph(cairo_t* cr, double x, double y, const char* heading,
               std::initializer_list<const char*> lines) {
  engraveText(cr, sans(9, true, 1.6), heading, x, y, Align::Left, kAccent);
  double line = y + 16;
  for (const char* text : lines) {
    drawText(cr, sans(10.5), text, x, line, Align::Left, kPaint);
    line += 15;
  }
}

}  // namespace

Image paintAbout(const Image& metal) {
  Image about = metal.crop(0, 0, kPanelWidth, kPanelHeight);
  Painter cr(about);
  // Dimmed panel with a darker plate for the text.
  setColour(cr, {0, 0, 0, 0.35});
  cairo_paint(cr);
  recess(cr, {24, 120, 763, 128}, 5, {0.075, 0.078, 0.085, 1});

  drawBadge(cr, 92, 70, 40);

  // Title, ending just before the version text so the two read as one line.
  const Font title = sans(46, true, 0.5);
  const double titleEnd = kVersionAt.x - 12;
  const double wTrev = textWidth(cr, title, "Trevalon"), wZel = textWidth(cr, title, "Zel ");
  const double baseline = kVersionAt.y + 13;
  engraveText(cr, title, "Trevalon", titleEnd - wTrev, baseline, Align::Left, kPaint);
  engraveText(cr, title, "Zel", titleEnd - wTrev - wZel, baseline, Align::Left, kAccent);
  engraveText(cr, sans(11, true, 5.2), "FET COMPRESSOR", titleEnd, baseline + 24, Align::Right,
              kPaintDim);
  drawText(cr, sans(10.5), "Stereo FET-type compressor", kVersionAt.x, baseline + 24, Align::Left,
           kPaintDim);
  drawText(cr, sans(10.5), "VST 2.4 plug-in for Linux", kVersionAt.x, baseline + 39, Align::Left,
           kPaintDim);

  paragraph(
      cr, 44, 143, "CONTROLS",
      {"Drag a knob up or to the right to raise it; hold Shift for fine steps.",
       "Double-click or Ctrl-click a knob to set it back to its default.",
       "The mouse wheel steps knobs and the channel switch.",
       "The meter shows the gain reduction in dB.", "With POWER off the signal passes untouched."});
  paragraph(cr, 430, 143, "PRESETS",
            {"SAVE and LOAD write and read preset and bank files;",
             "right-click LOAD for files from the other byte order.",
             "Double-click DEFAULT to keep the current one as default,",
             "Ctrl-double-click to forget it. STO / RCL: memories A and B.",
             "STEP and LIST choose among the 48 presets."});

  drawText(cr, sans(9, false, 1), "Click anywhere to close", kPanelWidth / 2.0, 272, Align::Centre,
           kPaintDim);
  return about;
}

}  // namespace zelart
