#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zelart {

Rgba mix(const Rgba& a, const Rgba& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Rgba shade(const Rgba& c, double f) {
  return {std::clamp(c.r * f, 0.0, 1.0), std::clamp(c.g * f, 0.0, 1.0),
          std::clamp(c.b * f, 0.0, 1.0), c.a};
}

void setColour(cairo_t* cr, const Rgba& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

Image::Image(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {}

Image::~Image() {
  if (surface_) cairo_surface_destroy(surface_);
}

Image::Image(Image&& other) noexcept : surface_(std::exchange(other.surface_, nullptr)) {}

Image& Image::operator=(Image&& other) noexcept {
  if (this != &other) {
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = std::exchange(other.surface_, nullptr);
  }
  return *this;
}

int Image::width() const { return cairo_image_surface_get_width(surface_); }

int Image::height() const { return cairo_image_surface_get_height(surface_); }

std::uint32_t* Image::row(int y) {
  unsigned char* data = cairo_image_surface_get_data(surface_);
  return reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) *
                                                     cairo_image_surface_get_stride(surface_));
}

const std::uint32_t* Image::row(int y) const {
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  return reinterpret_cast<const std::uint32_t*>(
      data + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_));
}

void Image::beginPixels() { cairo_surface_flush(surface_); }

void Image::endPixels() { cairo_surface_mark_dirty(surface_); }

Image Image::crop(int x, int y, int w, int h) const {
  Image part(w, h);
  Painter cr(part);
  cairo_set_source_surface(cr, surface_, -x, -y);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  return part;
}

Painter::Painter(Image& image) : cr_(cairo_create(image.surface())) {}

Painter::~Painter() { cairo_destroy(cr_); }

void drawImage(cairo_t* cr, const Image& image, double x, double y, double opacity) {
  cairo_save(cr);
  cairo_set_source_surface(cr, image.surface(), x, y);
  if (opacity >= 1.0)
    cairo_paint(cr);
  else
    cairo_paint_with_alpha(cr, opacity);
  cairo_restore(cr);
}

std::uint32_t packPixel(double r, double g, double b, double a) {
  auto byte = [](double v) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
  };
  const double alpha = std::clamp(a, 0.0, 1.0);
  return byte(alpha) << 24 | byte(r * alpha) << 16 | byte(g * alpha) << 8 | byte(b * alpha);
}

}  // namespace zelart
