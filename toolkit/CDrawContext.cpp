#include "CDrawContext.h"

#include <cmath>

#include "CBitmap.h"
#include "TextUtf8.h"
#include "platform/cairo/CairoBitmap.h"
#include "platform/cairo/CairoDrawContext.h"

namespace {

void setSource(cairo_t* cr, const CColor& c) {
  cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

void applyClip(CDrawContext::Impl& d) {
  cairo_reset_clip(d.cr);
  cairo_rectangle(d.cr, d.clip.left, d.clip.top, d.clip.getWidth(), d.clip.getHeight());
  cairo_clip(d.cr);
}

void applyStroke(CDrawContext::Impl& d) {
  cairo_set_line_width(d.cr, d.lineWidth);
  cairo_set_antialias(d.cr,
                      d.drawMode == kAntialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  if (d.lineStyle == kLineOnOffDash) {
    double dash = d.lineWidth > 0 ? d.lineWidth : 1;
    cairo_set_dash(d.cr, &dash, 1, 0);
  } else {
    cairo_set_dash(d.cr, nullptr, 0, 0);
  }
  setSource(d.cr, d.frameColor);
}

void applyFill(CDrawContext::Impl& d) {
  cairo_set_antialias(d.cr,
                      d.drawMode == kAntialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  setSource(d.cr, d.fillColor);
}

// Half-pixel shift that puts odd-width lines on pixel centres.
double lineOffset(const CDrawContext::Impl& d) {
  long w = std::lround(d.lineWidth);
  return (w % 2 == 1) ? 0.5 : 0.0;
}

void touch(CDrawContext::Impl& d) { d.damage.unite(d.clip); }

void selectFont(CDrawContext::Impl& d, bool antialias) {
  int32_t style = d.font.getStyle();
  cairo_select_font_face(d.cr, d.font.getName(),
                         (style & kItalicFace) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         (style & kBoldFace) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(d.cr, d.font.getSize() > 0 ? d.font.getSize() : 12);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options,
                                   antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_set_font_options(d.cr, options);
  cairo_font_options_destroy(options);
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

CDrawContext* createCairoDrawContext(cairo_surface_t* surface, IDrawContextOwner* owner) {
  if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return nullptr;
  auto* d = new CDrawContext::Impl;
  d->cr = cairo_create(surface);
  d->surfaceRect =
      CRect(0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
  d->clip = d->surfaceRect;
  d->owner = owner;
  cairo_set_line_cap(d->cr, CAIRO_LINE_CAP_BUTT);
  return new CDrawContext(d);
}

CDrawContext::CDrawContext(Impl* i) : impl(i) {}

CDrawContext::~CDrawContext() {
  cairo_surface_flush(cairo_get_target(impl->cr));
  if (impl->owner && !impl->damage.isEmpty()) impl->owner->drawContextReleased(impl->damage);
  cairo_destroy(impl->cr);
  delete impl;
}

CRect CDrawContext::getSurfaceRect() const { return impl->surfaceRect; }

void CDrawContext::setClipRect(const CRect& clip) {
  impl->clip = clip;
  impl->clip.normalize().bound(impl->surfaceRect);
  applyClip(*impl);
}

CRect& CDrawContext::getClipRect(CRect& clip) const { return clip = impl->clip; }

void CDrawContext::resetClipRect() { setClipRect(impl->surfaceRect); }

void CDrawContext::setLineStyle(CLineStyle style) { impl->lineStyle = style; }
CLineStyle CDrawContext::getLineStyle() const { return impl->lineStyle; }
void CDrawContext::setLineWidth(CCoord width) { impl->lineWidth = width; }
CCoord CDrawContext::getLineWidth() const { return impl->lineWidth; }
void CDrawContext::setDrawMode(CDrawMode mode) { impl->drawMode = mode; }
CDrawMode CDrawContext::getDrawMode() const { return impl->drawMode; }
void CDrawContext::setFillColor(const CColor& color) { impl->fillColor = color; }
CColor CDrawContext::getFillColor() const { return impl->fillColor; }
void CDrawContext::setFrameColor(const CColor& color) { impl->frameColor = color; }
CColor CDrawContext::getFrameColor() const { return impl->frameColor; }
void CDrawContext::setFontColor(const CColor& color) { impl->fontColor = color; }
CColor CDrawContext::getFontColor() const { return impl->fontColor; }

void CDrawContext::setFont(const CFontDesc* font, CCoord size, int32_t style) {
  if (font) impl->font = *font;
  if (size > 0) impl->font.setSize(size);
  if (style >= 0) impl->font.setStyle(style);
}

const CFontDesc& CDrawContext::getFont() const { return impl->font; }

void CDrawContext::moveTo(const CPoint& point) { impl->pen = point; }

void CDrawContext::lineTo(const CPoint& point) {
  cairo_t* cr = impl->cr;
  double o = lineOffset(*impl);
  applyStroke(*impl);
  cairo_move_to(cr, impl->pen.x + o, impl->pen.y + o);
  cairo_line_to(cr, point.x + o, point.y + o);
  cairo_stroke(cr);
  impl->pen = point;
  touch(*impl);
}

CPoint CDrawContext::getPenPosition() const { return impl->pen; }

void CDrawContext::drawLine(const CPoint& from, const CPoint& to) {
  moveTo(from);
  lineTo(to);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
  cairo_t* cr = impl->cr;
  if (style != kDrawStroked) {
    applyFill(*impl);
    cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_fill(cr);
  }
  if (style != kDrawFilled) {
    // The outline lies inside the rectangle.
    double h = impl->lineWidth / 2;
    applyStroke(*impl);
    cairo_rectangle(cr, rect.left + h, rect.top + h, rect.getWidth() - 2 * h,
                    rect.getHeight() - 2 * h);
    cairo_stroke(cr);
  }
  touch(*impl);
}

void CDrawContext::fillRect(const CRect& rect) { drawRect(rect, kDrawFilled); }

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style) {
  cairo_t* cr = impl->cr;
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
    applyFill(*impl);
    trace();
    cairo_fill(cr);
  }
  if (style != kDrawFilled) {
    applyStroke(*impl);
    trace();
    cairo_stroke(cr);
  }
  touch(*impl);
}

void CDrawContext::drawArc(const CRect& rect, float startDeg, float endDeg, bool filled) {
  if (!std::isfinite(startDeg) || !std::isfinite(endDeg)) return;
  cairo_t* cr = impl->cr;
  cairo_new_path(cr);
  tracePie(cr, rect, startDeg, endDeg);
  if (filled) {
    applyFill(*impl);
    cairo_fill(cr);
  } else {
    applyStroke(*impl);
    cairo_stroke(cr);
  }
  touch(*impl);
}

CCoord CDrawContext::getStringWidth(const char* text) {
  std::string utf8 = toValidUtf8(text);
  cairo_save(impl->cr);
  selectFont(*impl, true);
  cairo_text_extents_t extents;
  cairo_text_extents(impl->cr, utf8.c_str(), &extents);
  cairo_restore(impl->cr);
  return extents.x_advance;
}

void CDrawContext::drawString(const char* text, const CRect& rect, CHoriTxtAlign align,
                              bool antialias) {
  std::string utf8 = toValidUtf8(text);
  if (utf8.empty()) return;
  cairo_t* cr = impl->cr;
  cairo_save(cr);
  cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
  cairo_clip(cr);
  selectFont(*impl, antialias);
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
  setSource(cr, impl->fontColor);
  cairo_move_to(cr, std::round(x), baseline);
  cairo_show_text(cr, utf8.c_str());
  if (impl->font.getStyle() & kUnderlineFace) {
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, std::round(x), baseline + 1.5);
    cairo_rel_line_to(cr, te.x_advance, 0);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  touch(*impl);
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset,
                              float opacity) {
  if (!bitmap || !(opacity > 0)) return;
  cairo_surface_t* source = CairoBitmap::surfaceOf(bitmap->getPlatformBitmap());
  if (!source) return;
  cairo_t* cr = impl->cr;
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
  touch(*impl);
}
