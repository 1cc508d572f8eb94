#include "platform/cairo/CairoDrawContext.h"

#include <cmath>
#include <string>

#include "CBitmap.h"
#include "TextUtf8.h"
#include "platform/cairo/CairoBitmap.h"

namespace {

void setSource(cairo_t* cr, const CColor& c) {
  cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

// Traces the pie slice path (see drawArc) into the context.
void tracePie(cairo_t* cr, const CRect& rect, float startDeg, float endDeg) {
  CPoint c = rect.getCenter();
  double rx = rect.getWidth() / 2, ry = rect.getHeight() / 2;
  if (rx <= 0 || ry <= 0) return;
  // Toolkit angle a (0 up, counter-clockwise) is cairo angle -(90 + a) (y points down).
  double a1 = -(90.0 + startDeg) * M_PI / 180.0;
  double a2 = -(90.0 + endDeg) * M_PI / 180.0;
  cairo_save(cr);
  cairo_translate(cr, c.x, c.y);
  cairo_scale(cr, rx, ry);
  cairo_move_to(cr, 0, 0);
  cairo_arc_negative(cr, 0, 0, 1, a1, a2);
  cairo_close_path(cr);
  cairo_restore(cr);
}

}  // namespace

CairoDrawContext* CairoDrawContext::create(cairo_surface_t* surface, IDrawContextOwner* owner) {
  if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return nullptr;
  const CRect size(0, 0, cairo_image_surface_get_width(surface),
                   cairo_image_surface_get_height(surface));
  return new CairoDrawContext(cairo_create(surface), size, owner);
}

CairoDrawContext::CairoDrawContext(cairo_t* context, const CRect& surface,
                                   IDrawContextOwner* drawOwner)
    : CDrawContext(surface), cr(context), owner(drawOwner) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

CairoDrawContext::~CairoDrawContext() {
  cairo_surface_flush(cairo_get_target(cr));
  if (owner && !damage.isEmpty()) owner->drawContextReleased(damage);
  cairo_destroy(cr);
}

void CairoDrawContext::clipChanged() {
  cairo_reset_clip(cr);
  cairo_rectangle(cr, clipRect.left, clipRect.top, clipRect.getWidth(), clipRect.getHeight());
  cairo_clip(cr);
}

void CairoDrawContext::applyStroke() {
  cairo_set_line_width(cr, lineWidth);
  cairo_set_antialias(cr, drawMode == kAntialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  if (lineStyle == kLineOnOffDash) {
    double dash = lineWidth > 0 ? lineWidth : 1;
    cairo_set_dash(cr, &dash, 1, 0);
  } else {
    cairo_set_dash(cr, nullptr, 0, 0);
  }
  setSource(cr, frameColor);
}

void CairoDrawContext::applyFill() {
  cairo_set_antialias(cr, drawMode == kAntialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  setSource(cr, fillColor);
}

double CairoDrawContext::lineOffset() const {
  long w = std::lround(lineWidth);
  return (w % 2 == 1) ? 0.5 : 0.0;
}

void CairoDrawContext::selectFont(bool antialias) {
  int32_t style = fontDesc.getStyle();
  cairo_select_font_face(cr, fontDesc.getName(),
                         (style & kItalicFace) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         (style & kBoldFace) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, fontDesc.getSize() > 0 ? fontDesc.getSize() : 12);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options,
                                   antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void CairoDrawContext::lineTo(const CPoint& point) {
  double o = lineOffset();
  applyStroke();
  cairo_move_to(cr, pen.x + o, pen.y + o);
  cairo_line_to(cr, point.x + o, point.y + o);
  cairo_stroke(cr);
  pen = point;
  touch();
}

void CairoDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
  if (style != kDrawStroked) {
    applyFill();
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_fill(cr);
  }
  if (style != kDrawFilled) {
    // The outline lies inside the rectangle.
    double h = lineWidth / 2;
    applyStroke();
    cairo_rectangle(cr, rect.left + h, rect.top + h, rect.getWidth() - 2 * h,
                    rect.getHeight() - 2 * h);
    cairo_stroke(cr);
  }
  touch();
}

void CairoDrawContext::drawEllipse(const CRect& rect, CDrawStyle style) {
  CPoint c = rect.getCenter();
  double rx = rect.getWidth() / 2, ry = rect.getHeight() / 2;
  if (rx <= 0 || ry <= 0) return;
  auto trace = [&] {
    cairo_save(cr);
    cairo_translate(cr, c.x, c.y);
    cairo_scale(cr, rx, ry);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
  };
  if (style != kDrawStroked) {
    applyFill();
    trace();
    cairo_fill(cr);
  }
  if (style != kDrawFilled) {
    applyStroke();
    trace();
    cairo_stroke(cr);
  }
  touch();
}

void CairoDrawContext::drawArc(const CRect& rect, float startDeg, float endDeg, bool filled) {
  if (!std::isfinite(startDeg) || !std::isfinite(endDeg)) return;
  cairo_new_path(cr);
  tracePie(cr, rect, startDeg, endDeg);
  if (filled) {
    applyFill();
    cairo_fill(cr);
  } else {
    applyStroke();
    cairo_stroke(cr);
  }
  touch();
}

CCoord CairoDrawContext::getStringWidth(const char* text) {
  std::string utf8 = toValidUtf8(text);
  cairo_save(cr);
  selectFont(true);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, utf8.c_str(), &extents);
  cairo_restore(cr);
  return extents.x_advance;
}

void CairoDrawContext::drawString(const char* text, const CRect& rect, CHoriTxtAlign align,
                                  bool antialias) {
  std::string utf8 = toValidUtf8(text);
  if (utf8.empty()) return;
  cairo_save(cr);
  cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
  cairo_clip(cr);
  selectFont(antialias);
  cairo_text_extents_t te;
  cairo_font_extents_t fe;
  cairo_text_extents(cr, utf8.c_str(), &te);
  cairo_font_extents(cr, &fe);
  double x = rect.left;
  if (align == kCenterText)
    x = rect.left + (rect.getWidth() - te.x_advance) / 2;
  else if (align == kRightText)
    x = rect.right - te.x_advance;
  double baseline = std::round(rect.top + (rect.getHeight() + fe.ascent - fe.descent) / 2);
  setSource(cr, fontColor);
  cairo_move_to(cr, std::round(x), baseline);
  cairo_show_text(cr, utf8.c_str());
  if (fontDesc.getStyle() & kUnderlineFace) {
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, std::round(x), baseline + 1.5);
    cairo_rel_line_to(cr, te.x_advance, 0);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  touch();
}

void CairoDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset,
                                  float opacity) {
  if (!bitmap || !(opacity > 0)) return;
  cairo_surface_t* source = CairoBitmap::surfaceOf(bitmap->getPlatformBitmap());
  if (!source) return;
  cairo_save(cr);
  cairo_rectangle(cr, dest.left, dest.top, dest.getWidth(), dest.getHeight());
  cairo_clip(cr);
  cairo_set_source_surface(cr, source, dest.left - offset.x, dest.top - offset.y);
  // Film strips are cut at exact rows: never blend in a neighbouring frame.
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  if (opacity >= 1)
    cairo_paint(cr);
  else
    cairo_paint_with_alpha(cr, opacity);
  cairo_restore(cr);
  touch();
}
