// Text on the artwork: font selection, measuring, and engraved or plain lettering.
#pragma once

#include "Canvas.h"

namespace zelart {

enum class Align { Left, Centre, Right };

// A font choice. Tracking is extra space in pixels after every character.
struct Font {
  const char* family = "Liberation Sans";
  double size = 10;
  bool bold = false;
  double tracking = 0;
};

// Common faces.
Font sans(double size, bool bold = false, double tracking = 0);
Font narrow(double size, bool bold = false, double tracking = 0);

// Width in pixels of text set in font.
double textWidth(cairo_t* cr, const Font& font, const char* text);

// Draws text with its baseline at y, anchored at x by align.
void drawText(cairo_t* cr, const Font& font, const char* text, double x, double y, Align align,
              const Rgba& colour);

// Draws text as engraved into dark metal and filled with paint: a dark lip above, a faint
// lit edge below, then the paint.
void engraveText(cairo_t* cr, const Font& font, const char* text, double x, double y, Align align,
                 const Rgba& paint);

}  // namespace zelart
