#include "ButtonArt.h"

#include "Hardware.h"
#include "Layout.h"
#include "Palette.h"
#include "Shading.h"
#include "Text.h"

#include <cmath>
#include <initializer_list>

namespace zelart {
namespace {

// Adds a closed path through the points.
void polygon(cairo_t* cr, std::initializer_list<Point> points) {
  bool first = true;
  for (const Point& p : points) {
    if (first)
      cairo_move_to(cr, p.x, p.y);
    else
      cairo_line_to(cr, p.x, p.y);
    first = false;
  }
  cairo_close_path(cr);
}

// Adds the outline of a bat handle from the pivot (cx, cy) to a tip `reach` pixels up
// (reach > 0) or down (reach < 0).
void leverPath(cairo_t* cr, double cx, double cy, double reach, double s) {
  const double tipY = cy - reach;
  polygon(cr, {{cx - 3.2 * s, cy}, {cx - 2.0 * s, tipY}, {cx + 2.0 * s, tipY}, {cx + 3.2 * s, cy}});
}

// Draws a panel-mounted toggle switch: nut and washer at (cx, pivot), lever up or down.
void drawToggle(cairo_t* cr, int width, int height, double cx, const Toggle& toggle, bool up) {
  const double s = toggle.scale, cy = toggle.pivotY;
  const double reach = (up ? 1 : -1) * toggle.reach();
  const double tipR = 4.3 * s;
  // Shadows of the washer and the lever, falling down and slightly right.
  softShadow(cr, width, height, 1.0, 2.5, 3, 0.7, [&](cairo_t* p) {
    cairo_arc(p, cx, cy, 10.5 * s, 0, 2 * M_PI);
    cairo_fill(p);
    leverPath(p, cx, cy, reach, s);
    cairo_fill(p);
    cairo_arc(p, cx, cy - reach, tipR, 0, 2 * M_PI);
  });
  // Washer.
  cairo_arc(cr, cx, cy, 10.5 * s, 0, 2 * M_PI);
  Gradient::vertical(cy - 10.5 * s, cy + 10.5 * s, grey(0.66), grey(0.20)).fill(cr);
  // Hex nut.
  cairo_new_path(cr);
  for (int i = 0; i < 6; ++i) {
    const double a = M_PI / 6 + i * M_PI / 3;
    const double x = cx + 8.0 * s * std::cos(a), y = cy + 8.0 * s * std::sin(a);
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
  Gradient::linear(cx - 8 * s, cy - 8 * s, cx + 8 * s, cy + 8 * s)
      .stop(0, grey(0.86))
      .stop(0.5, grey(0.55))
      .stop(1, grey(0.30))
      .fill(cr, true);
  setColour(cr, {0, 0, 0, 0.5});
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  // Bushing hole the lever comes out of.
  cairo_arc(cr, cx, cy, 4.2 * s, 0, 2 * M_PI);
  setColour(cr, {0.05, 0.05, 0.06, 1});
  cairo_fill(cr);
  // Lever: chrome, shaded across its width.
  leverPath(cr, cx, cy, reach, s);
  Gradient::linear(cx - 3.2 * s, 0, cx + 3.2 * s, 0)
      .stop(0, grey(0.35))
      .stop(0.35, grey(0.95))
      .stop(1, grey(0.28))
      .fill(cr);
  // Ball tip.
  const double ty = cy - reach;
  cairo_arc(cr, cx, ty, tipR, 0, 2 * M_PI);
  Gradient::radial(cx - tipR * 0.35, ty - tipR * 0.4, 0.3, cx, ty, tipR)
      .stop(0, grey(1.0))
      .stop(0.45, grey(0.70))
      .stop(1, grey(0.22))
      .fill(cr);
}

}  // namespace

Image paintPowerButton() {
  constexpr int w = 57, h = 107;
  Image strip(w, 2 * h);
  Painter cr(strip);
  for (int on = 0; on < 2; ++on) {
    cairo_save(cr);
    cairo_translate(cr, 0, on * h);
    drawLamp(cr, w / 2.0, 22, 8, palette::kLampRed, on == 1);
    drawToggle(cr, w, h, w / 2.0, kPowerToggle, on == 1);
    cairo_restore(cr);
  }
  return strip;
}

Image paintLinkButton() {
  constexpr int w = 62;
  constexpr double h = 80.5;
  Image strip(w, 161);
  Painter cr(strip);
  for (int on = 0; on < 2; ++on) {
    cairo_save(cr);
    cairo_translate(cr, 0, on * h);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    drawToggle(cr, w, 81, w / 2.0, kLinkToggle, on == 1);
    cairo_restore(cr);
  }
  return strip;
}

Image paintLatchButton(int width) {
  constexpr int h = 24;
  Image strip(width, 2 * h);
  Painter cr(strip);
  for (int on = 0; on < 2; ++on) {
    cairo_save(cr);
    cairo_translate(cr, 0, on * h);
    const Box cap{3, 2.5, width - 6.0, h - 6.0};
    softShadow(cr, width, h, 0, on ? 1.0 : 2.0, 2, 0.8,
               [&](cairo_t* p) { roundedRect(p, cap, 3); });
    // Key body; a pressed key sits lower and darker.
    const Box key = on ? cap.moved(0, 0.8) : cap;
    roundedRect(cr, key, 3);
    Gradient::vertical(key.y, key.bottom(), grey(on ? 0.25 : 0.34), grey(on ? 0.13 : 0.16))
        .fill(cr, true);
    cairo_set_line_width(cr, 1);
    setColour(cr, {0, 0, 0, 0.85});
    cairo_stroke(cr);
    // Lit top edge.
    cairo_move_to(cr, key.x + 3, key.y + 1.5);
    cairo_line_to(cr, key.right() - 3, key.y + 1.5);
    setColour(cr, {1, 1, 1, on ? 0.08 : 0.16});
    cairo_stroke(cr);
    // Lamp and legend.
    const double lampX = key.x + 9, midY = key.cy();
    drawLamp(cr, lampX, midY, 3, palette::kAccent, on == 1);
    const Rgba legend = on ? palette::kPaint : palette::kPaintDim;
    drawText(cr, sans(9, true, 1), "IN", (lampX + 6 + key.right()) / 2, midY + 3.3, Align::Centre,
             legend);
    cairo_restore(cr);
  }
  return strip;
}

Image paintChannelSwitch() {
  constexpr int w = 73, h = 66;
  const double cx = w / 2.0, cy = kChannelPivotY;
  Image strip(w, 3 * h);
  Painter cr(strip);
  for (int position = 0; position < 3; ++position) {
    const double deg = kChannelDegrees[position];
    cairo_save(cr);
    cairo_translate(cr, 0, position * h);
    // The pointer knob's outline: round hub with a tapering wing and a short tail.
    auto outline = [&](cairo_t* p) {
      const Point tip = onDial(cx, cy, 20.5, deg);
      const Point tail = onDial(cx, cy, -13.5, deg);
      const Point l1 = onDial(cx, cy, 10.5, deg - 90), r1 = onDial(cx, cy, 10.5, deg + 90);
      const Point lt = onDial(tip.x, tip.y, 3.2, deg - 90),
                  rt = onDial(tip.x, tip.y, 3.2, deg + 90);
      cairo_new_sub_path(p);
      cairo_arc(p, cx, cy, 12, 0, 2 * M_PI);
      polygon(p, {l1, lt, rt, r1});
      cairo_new_sub_path(p);
      cairo_arc(p, tip.x, tip.y, 3.2, 0, 2 * M_PI);
      cairo_new_sub_path(p);
      cairo_arc(p, tail.x, tail.y, 5.5, 0, 2 * M_PI);
      cairo_set_fill_rule(p, CAIRO_FILL_RULE_WINDING);
    };
    softShadow(cr, w, h, 0.8, 2.5, 3, 0.75, outline);
    outline(cr);
    Gradient::vertical(cy - 20, cy + 16, grey(0.26), grey(0.05)).fill(cr);
    // Raised ridge along the pointer with its cream index line.
    const Point a = onDial(cx, cy, -9, deg), b = onDial(cx, cy, 19.5, deg);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 4.5);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    setColour(cr, {1, 1, 1, 0.10});
    cairo_stroke(cr);
    const Point c0 = onDial(cx, cy, 4, deg);
    cairo_set_line_width(cr, 1.8);
    cairo_move_to(cr, c0.x, c0.y);
    cairo_line_to(cr, b.x, b.y);
    setColour(cr, palette::kPaint);
    cairo_stroke(cr);
    // Hub highlight.
    cairo_arc(cr, cx, cy, 12, 0, 2 * M_PI);
    Gradient::radial(cx - 3, cy - 4, 0, cx, cy, 12)
        .stop(0, {1, 1, 1, 0.22})
        .stop(1, {1, 1, 1, 0})
        .fill(cr);
    cairo_restore(cr);
  }
  return strip;
}

}  // namespace zelart
