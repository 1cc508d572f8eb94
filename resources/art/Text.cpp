#include "Text.h"

#include <string>

namespace zelart {
namespace {

void selectFont(cairo_t* cr, const Font& font) {
  cairo_select_font_face(cr, font.family, CAIRO_FONT_SLANT_NORMAL,
                         font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, font.size);
  // Fixed rendering options, so the output does not depend on desktop settings.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// Length in bytes of the UTF-8 sequence that starts with byte c.
std::size_t sequenceLength(unsigned char c) {
  if (c >= 0xf0) return 4;
  if (c >= 0xe0) return 3;
  if (c >= 0xc0) return 2;
  return 1;
}

// Calls fn(character, x offset) for each character of text, advancing by its width plus
// the font's tracking; returns the total advance (without trailing tracking).
template <typename Fn>
double walk(cairo_t* cr, const Font& font, const char* text, Fn fn) {
  const std::string all(text);
  double x = 0;
  for (std::size_t i = 0; i < all.size();) {
    const std::size_t n = sequenceLength(static_cast<unsigned char>(all[i]));
    const std::string ch = all.substr(i, n);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, ch.c_str(), &ext);
    fn(ch.c_str(), x);
    x += ext.x_advance;
    i += n;
    if (i < all.size()) x += font.tracking;
  }
  return x;
}

double startX(cairo_t* cr, const Font& font, const char* text, double x, Align align) {
  const double w = textWidth(cr, font, text);
  switch (align) {
    case Align::Centre:
      return x - w / 2;
    case Align::Right:
      return x - w;
    case Align::Left:
      break;
  }
  return x;
}

// Fills the outline of text at (x, y) in the current source.
void fillText(cairo_t* cr, const Font& font, const char* text, double x, double y) {
  selectFont(cr, font);
  walk(cr, font, text, [&](const char* ch, double dx) {
    cairo_move_to(cr, x + dx, y);
    cairo_text_path(cr, ch);
  });
  cairo_fill(cr);
}

}  // namespace

Font sans(double size, bool bold, double tracking) {
  return {"Liberation Sans", size, bold, tracking};
}

Font narrow(double size, bool bold, double tracking) {
  return {"Liberation Sans Narrow", size, bold, tracking};
}

double textWidth(cairo_t* cr, const Font& font, const char* text) {
  cairo_save(cr);
  selectFont(cr, font);
  const double w = walk(cr, font, text, [](const char*, double) {});
  cairo_restore(cr);
  return w;
}

void drawText(cairo_t* cr, const Font& font, const char* text, double x, double y, Align align,
              const Rgba& colour) {
  cairo_save(cr);
  const double x0 = startX(cr, font, text, x, align);
  setColour(cr, colour);
  fillText(cr, font, text, x0, y);
  cairo_restore(cr);
}

void engraveText(cairo_t* cr, const Font& font, const char* text, double x, double y, Align align,
                 const Rgba& paint) {
  cairo_save(cr);
  const double x0 = startX(cr, font, text, x, align);
  setColour(cr, {1, 1, 1, 0.10});
  fillText(cr, font, text, x0, y + 0.8);
  setColour(cr, {0, 0, 0, 0.75});
  fillText(cr, font, text, x0, y - 0.6);
  setColour(cr, paint);
  fillText(cr, font, text, x0, y);
  cairo_restore(cr);
}

}  // namespace zelart
