#include "PresetBarArt.h"

#include "Palette.h"
#include "Shading.h"
#include "Text.h"

#include <algorithm>
#include <cmath>

namespace zelart {
namespace {

enum class KeyState { Normal, Hover, Pressed };

// Draws a key cap filling `key`; returns the colour its symbol should have.
Rgba drawKeyCap(cairo_t* cr, const Box& key, KeyState state) {
  const double lift = state == KeyState::Hover ? 1.35 : state == KeyState::Pressed ? 0.72 : 1.0;
  const Rgba top = shade(mix(palette::kKeycap, {1, 1, 1, 1}, 0.06), lift);
  const Rgba bottom = shade(palette::kKeycap, 0.55 * lift);
  cairo_save(cr);
  roundedRect(cr, key, 2);
  // A pushed-in key is lit from below instead.
  if (state == KeyState::Pressed)
    Gradient::vertical(key.y, key.bottom(), bottom, top).fill(cr, true);
  else
    Gradient::vertical(key.y, key.bottom(), top, bottom).fill(cr, true);
  cairo_set_line_width(cr, 1);
  setColour(cr, {0, 0, 0, 0.9});
  cairo_stroke(cr);
  if (state != KeyState::Pressed) {
    cairo_move_to(cr, key.x + 2, key.y + 1.5);
    cairo_line_to(cr, key.right() - 2, key.y + 1.5);
    setColour(cr, {1, 1, 1, state == KeyState::Hover ? 0.28 : 0.16});
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  switch (state) {
    case KeyState::Hover:
      return mix(palette::kPaint, {1, 1, 1, 1}, 0.6);
    case KeyState::Pressed:
      return palette::kAccent;
    case KeyState::Normal:
      break;
  }
  return palette::kPaint;
}

// Floppy disk, 8 x 8 with its top left at (x, y).
void floppy(cairo_t* cr, double x, double y, const Rgba& ink, const Rgba& cut) {
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x + 6.5, y);
  cairo_line_to(cr, x + 8, y + 1.5);
  cairo_line_to(cr, x + 8, y + 8);
  cairo_line_to(cr, x, y + 8);
  cairo_close_path(cr);
  setColour(cr, ink);
  cairo_fill(cr);
  setColour(cr, cut);
  cairo_rectangle(cr, x + 2, y, 3.5, 2.5);        // shutter
  cairo_rectangle(cr, x + 1.5, y + 4.5, 5, 3.5);  // label
  cairo_fill(cr);
  setColour(cr, ink);
  cairo_rectangle(cr, x + 4, y + 0.5, 1, 1.5);  // shutter window
  cairo_fill(cr);
}

// Open folder, 9 x 7 with its top left at (x, y).
void folder(cairo_t* cr, double x, double y, const Rgba& ink, const Rgba& cut) {
  setColour(cr, ink);
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x + 3.5, y);
  cairo_line_to(cr, x + 4.5, y + 1);
  cairo_line_to(cr, x + 8, y + 1);
  cairo_line_to(cr, x + 8, y + 7);
  cairo_line_to(cr, x, y + 7);
  cairo_close_path(cr);
  cairo_fill(cr);
  // The open flap, lighter edge against the back.
  setColour(cr, cut);
  cairo_rectangle(cr, x, y + 2.5, 8, 0.8);
  cairo_fill(cr);
  setColour(cr, ink);
  cairo_move_to(cr, x + 1.5, y + 3.3);
  cairo_line_to(cr, x + 9, y + 3.3);
  cairo_line_to(cr, x + 8, y + 7);
  cairo_line_to(cr, x, y + 7);
  cairo_close_path(cr);
  cairo_fill(cr);
}

// Arrow with a slot bar: pointing down into the bar (store) or up out of it (recall).
void slotArrow(cairo_t* cr, double cx, double y, bool down, const Rgba& ink) {
  setColour(cr, ink);
  cairo_rectangle(cr, cx - 3.5, y + 7, 7, 1.2);  // slot bar
  const double tip = down ? y + 6 : y, tail = down ? y : y + 6;
  const double head = down ? tip - 3 : tip + 3;
  cairo_rectangle(cr, cx - 0.6, std::min(head, tail), 1.2, std::abs(head - tail));
  cairo_fill(cr);
  cairo_move_to(cr, cx - 3, head);
  cairo_line_to(cr, cx + 3, head);
  cairo_line_to(cr, cx, tip);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void drawSymbol(cairo_t* cr, KeySymbol symbol, const Box& key, const Rgba& ink) {
  const Rgba cut = shade(palette::kKeycap, 0.8);
  const double cx = key.cx(), cy = key.cy();
  switch (symbol) {
    case KeySymbol::Save:
      floppy(cr, cx - 4, cy - 4, ink, cut);
      break;
    case KeySymbol::Load:
      folder(cr, cx - 4.5, cy - 3.5, ink, cut);
      break;
    case KeySymbol::Store:
      slotArrow(cr, cx, cy - 4, true, ink);
      break;
    case KeySymbol::Recall:
      slotArrow(cr, cx, cy - 4, false, ink);
      break;
    case KeySymbol::Manual:
      drawText(cr, sans(10, true), "?", cx, cy + 3.6, Align::Centre, ink);
      break;
    case KeySymbol::Default:
      drawText(cr, narrow(7.5, true, 0.5), "DEFAULT", cx, cy + 2.7, Align::Centre, ink);
      break;
  }
}

}  // namespace

Image paintPresetKey(KeySymbol symbol, int width, int frameHeight) {
  Image strip(width, 3 * frameHeight);
  Painter cr(strip);
  // The manual key's frames are one pixel taller than the place it is shown in.
  const double keyHeight = symbol == KeySymbol::Manual ? 14 : frameHeight;
  for (int f = 0; f < 3; ++f) {
    const KeyState state = static_cast<KeyState>(f);
    cairo_save(cr);
    cairo_translate(cr, 0, f * frameHeight);
    const Box key{0.5, 0.5, width - 1.0, keyHeight - 1.0};
    const Rgba ink = drawKeyCap(cr, key, state);
    drawSymbol(cr, symbol, state == KeyState::Pressed ? key.moved(0, 0.5) : key, ink);
    cairo_restore(cr);
  }
  return strip;
}

Image paintPresetRocker() {
  constexpr int w = 31, h = 14;
  Image strip(w, 5 * h);
  Painter cr(strip);
  for (int f = 0; f < 5; ++f) {
    // Frame f: which half is lit by the pointer or pressed.
    const KeyState left = f == 1 ? KeyState::Hover : f == 3 ? KeyState::Pressed : KeyState::Normal;
    const KeyState right = f == 2 ? KeyState::Hover : f == 4 ? KeyState::Pressed : KeyState::Normal;
    cairo_save(cr);
    cairo_translate(cr, 0, f * h);
    const Box whole{0.5, 0.5, w - 1.0, h - 1.0};
    const Box halves[2] = {{whole.x, whole.y, 15, whole.h}, {15.5, whole.y, 15, whole.h}};
    const KeyState states[2] = {left, right};
    for (int side = 0; side < 2; ++side) {
      cairo_save(cr);
      cairo_rectangle(cr, side == 0 ? 0 : 15.5, 0, 15.5, h);
      cairo_clip(cr);
      const Rgba ink = drawKeyCap(cr, whole, states[side]);
      const Box& half = halves[side];
      const double cx = half.cx() + (side == 0 ? 0.5 : -0.5);
      const double cy = half.cy() + (states[side] == KeyState::Pressed ? 0.5 : 0);
      const double dir = side == 0 ? -1 : 1;
      cairo_move_to(cr, cx + dir * 2.5, cy);
      cairo_line_to(cr, cx - dir * 2, cy - 3.5);
      cairo_line_to(cr, cx - dir * 2, cy + 3.5);
      cairo_close_path(cr);
      setColour(cr, ink);
      cairo_fill(cr);
      cairo_restore(cr);
    }
    // Split between the halves.
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 15.5, 1);
    cairo_line_to(cr, 15.5, h - 1);
    setColour(cr, {0, 0, 0, 0.9});
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  return strip;
}

}  // namespace zelart
