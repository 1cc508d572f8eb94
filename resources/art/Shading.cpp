#include "Shading.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace zelart {

Gradient Gradient::linear(double x0, double y0, double x1, double y1) {
  return Gradient(cairo_pattern_create_linear(x0, y0, x1, y1));
}

Gradient Gradient::vertical(double top, double bottom, const Rgba& from, const Rgba& to) {
  Gradient g = linear(0, top, 0, bottom);
  g.stop(0, from).stop(1, to);
  return g;
}

Gradient Gradient::radial(double cx0, double cy0, double r0, double cx1, double cy1, double r1) {
  return Gradient(cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1));
}

Gradient::~Gradient() {
  if (pattern_) cairo_pattern_destroy(pattern_);
}

Gradient::Gradient(Gradient&& other) noexcept : pattern_(std::exchange(other.pattern_, nullptr)) {}

Gradient& Gradient::stop(double offset, const Rgba& c) {
  cairo_pattern_add_color_stop_rgba(pattern_, offset, c.r, c.g, c.b, c.a);
  return *this;
}

void Gradient::fill(cairo_t* cr, bool preserve) const {
  cairo_set_source(cr, pattern_);
  if (preserve)
    cairo_fill_preserve(cr);
  else
    cairo_fill(cr);
}

void Gradient::paint(cairo_t* cr) const {
  cairo_set_source(cr, pattern_);
  cairo_paint(cr);
}

Rgba grey(double v, double alpha) { return {v, v, v * 1.03, alpha}; }

void roundedRect(cairo_t* cr, const Box& b, double radius) {
  const double r = std::min({radius, b.w / 2, b.h / 2});
  if (r <= 0) {
    cairo_rectangle(cr, b.x, b.y, b.w, b.h);
    return;
  }
  cairo_new_sub_path(cr);
  cairo_arc(cr, b.right() - r, b.y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, b.right() - r, b.bottom() - r, r, 0, M_PI / 2);
  cairo_arc(cr, b.x + r, b.bottom() - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, b.x + r, b.y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

namespace {

// One box pass of half-width r along a line of n samples with the given stride, on
// 4-channel pixels; edges are treated as transparent.
void boxPass(std::uint32_t* line, int n, int stride, int r, std::vector<std::uint32_t>& scratch) {
  scratch.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    scratch[static_cast<std::size_t>(i)] = line[static_cast<std::ptrdiff_t>(i) * stride];
  const int window = 2 * r + 1;
  for (int shift = 0; shift < 32; shift += 8) {
    int sum = 0;
    for (int i = -r; i <= r; ++i)
      if (i >= 0 && i < n)
        sum += static_cast<int>((scratch[static_cast<std::size_t>(i)] >> shift) & 0xff);
    for (int i = 0; i < n; ++i) {
      const std::uint32_t v = static_cast<std::uint32_t>((sum + window / 2) / window);
      std::uint32_t& px = line[static_cast<std::ptrdiff_t>(i) * stride];
      px = (px & ~(0xffu << shift)) | (std::min(v, 255u) << shift);
      const int in = i + r + 1, out = i - r;
      if (in < n) sum += static_cast<int>((scratch[static_cast<std::size_t>(in)] >> shift) & 0xff);
      if (out >= 0)
        sum -= static_cast<int>((scratch[static_cast<std::size_t>(out)] >> shift) & 0xff);
    }
  }
}

}  // namespace

void blur(Image& image, int radius) {
  if (radius <= 0) return;
  const int w = image.width(), h = image.height();
  const int stride = cairo_image_surface_get_stride(image.surface()) / 4;
  std::vector<std::uint32_t> scratch;
  image.beginPixels();
  for (int pass = 0; pass < 3; ++pass) {
    const int r = std::max(1, radius / 2 + (pass == 0 ? radius % 2 : 0));
    for (int y = 0; y < h; ++y) boxPass(image.row(y), w, 1, r, scratch);
    for (int x = 0; x < w; ++x) boxPass(image.row(0) + x, h, stride, r, scratch);
  }
  image.endPixels();
}

void recess(cairo_t* cr, const Box& box, double radius, const Rgba& fill) {
  cairo_save(cr);
  // Lit lower-right lip.
  roundedRect(cr, box.inset(-1.5).moved(0.5, 0.5), radius + 1.5);
  setColour(cr, {1, 1, 1, 0.09});
  cairo_fill(cr);
  // Dark upper-left lip.
  roundedRect(cr, box.inset(-1.5).moved(-0.3, -0.3), radius + 1.5);
  setColour(cr, {0, 0, 0, 0.55});
  cairo_fill(cr);
  roundedRect(cr, box, radius);
  setColour(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

void grooveH(cairo_t* cr, double x0, double x1, double y) {
  cairo_save(cr);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, x0, y + 0.5);
  cairo_line_to(cr, x1, y + 0.5);
  setColour(cr, {0, 0, 0, 0.55});
  cairo_stroke(cr);
  cairo_move_to(cr, x0, y + 1.5);
  cairo_line_to(cr, x1, y + 1.5);
  setColour(cr, {1, 1, 1, 0.08});
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace zelart
