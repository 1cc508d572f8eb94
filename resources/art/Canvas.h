// Image surfaces and drawing contexts for the artwork, with ownership.
#pragma once

#include <cairo.h>

#include <cstdint>

namespace zelart {

// A colour with straight (not premultiplied) alpha, components 0..1.
struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;
};

// Makes a colour from 0..255 components.
constexpr Rgba rgb255(int r, int g, int b, int a = 255) {
  return {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
}

// Blends two colours: t = 0 gives a, t = 1 gives b.
Rgba mix(const Rgba& a, const Rgba& b, double t);

// Scales the colour channels (not alpha) by f.
Rgba shade(const Rgba& c, double f);

// Sets c as the cairo source colour.
void setColour(cairo_t* cr, const Rgba& c);

// A rectangle in pixels.
struct Box {
  double x = 0, y = 0, w = 0, h = 0;
  double cx() const { return x + w / 2; }  // centre
  double cy() const { return y + h / 2; }
  double right() const { return x + w; }
  double bottom() const { return y + h; }
  // The box shrunk by d on every side (grown for negative d).
  Box inset(double d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
  // The box shifted by (dx, dy).
  Box moved(double dx, double dy) const { return {x + dx, y + dy, w, h}; }
};

// An ARGB32 (premultiplied) cairo image surface, cleared to transparent; owns the surface.
class Image {
public:
  Image(int width, int height);
  ~Image();
  Image(Image&& other) noexcept;
  Image& operator=(Image&& other) noexcept;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  // The cairo surface, still owned by the image.
  cairo_surface_t* surface() const { return surface_; }
  // Size in pixels.
  int width() const;
  int height() const;

  // Pixel row y for direct access (premultiplied native-endian ARGB). Bracket direct
  // access with beginPixels / endPixels so cairo sees the changes.
  std::uint32_t* row(int y);
  const std::uint32_t* row(int y) const;
  void beginPixels();
  void endPixels();

  // A new image holding the w x h part of this one whose top left is (x, y).
  Image crop(int x, int y, int w, int h) const;

private:
  cairo_surface_t* surface_ = nullptr;
};

// A cairo context drawing into an image; destroyed with the painter.
class Painter {
public:
  explicit Painter(Image& image);
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  // The context, for cairo calls.
  operator cairo_t*() const { return cr_; }

private:
  cairo_t* cr_;
};

// Draws `image` with its top left at (x, y), at the given opacity.
void drawImage(cairo_t* cr, const Image& image, double x, double y, double opacity = 1.0);

// Packs a straight-alpha colour into one premultiplied ARGB32 pixel.
std::uint32_t packPixel(double r, double g, double b, double a);

}  // namespace zelart
