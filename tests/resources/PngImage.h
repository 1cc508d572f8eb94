// Test helper: decodes PNG bytes with cairo and gives pixel access.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zeltest {

// A decoded image, premultiplied ARGB32; width 0 when decoding failed.
class PngImage {
public:
  PngImage(const unsigned char* data, std::size_t size);
  ~PngImage();
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  bool ok() const { return width_ > 0; }

  // Pixel (x, y) as 0xAARRGGBB (premultiplied).
  std::uint32_t pixel(int x, int y) const;
  unsigned alpha(int x, int y) const { return pixel(x, y) >> 24; }
  // Mean of red, green and blue at (x, y), 0..255 (premultiplied).
  double luminance(int x, int y) const;

private:
  cairo_surface_t* surface_ = nullptr;
  int width_ = 0, height_ = 0;
};

// Decodes the image that the store holds under id (not ok when there is none).
std::unique_ptr<PngImage> loadStored(unsigned id);

// Sum of absolute channel differences between two equal-size rectangles of images.
double frameDistance(const PngImage& a, int aTop, const PngImage& b, int bTop, int width,
                     int height);

// Reads a whole file; empty when it cannot be read.
std::vector<unsigned char> readFile(const std::string& path);

}  // namespace zeltest
