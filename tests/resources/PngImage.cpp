#include "PngImage.h"

#include "ZelBinaryData.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zeltest {
namespace {

struct Reader {
  const unsigned char* data;
  std::size_t size;
  std::size_t at;
};

cairo_status_t readChunk(void* closure, unsigned char* out, unsigned int length) {
  Reader* r = static_cast<Reader*>(closure);
  if (r->size - r->at < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, r->data + r->at, length);
  r->at += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

PngImage::PngImage(const unsigned char* data, std::size_t size) {
  if (!data) return;
  Reader reader{data, size, 0};
  surface_ = cairo_image_surface_create_from_png_stream(readChunk, &reader);
  if (cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS) {
    width_ = cairo_image_surface_get_width(surface_);
    height_ = cairo_image_surface_get_height(surface_);
  }
}

PngImage::~PngImage() {
  if (surface_) cairo_surface_destroy(surface_);
}

std::uint32_t PngImage::pixel(int x, int y) const {
  const unsigned char* row =
      cairo_image_surface_get_data(surface_) +
      static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_);
  std::uint32_t p;
  std::memcpy(&p, row + 4 * x, 4);
  // An image without alpha decodes to RGB24, whose top byte is undefined.
  return cairo_image_surface_get_format(surface_) == CAIRO_FORMAT_RGB24 ? p | 0xff000000u : p;
}

double PngImage::luminance(int x, int y) const {
  const std::uint32_t p = pixel(x, y);
  return (((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff)) / 3.0;
}

std::unique_ptr<PngImage> loadStored(unsigned id) {
  unsigned int size = 0;
  const unsigned char* data = getZelBinaryData(id, size);
  return std::make_unique<PngImage>(data, size);
}

double frameDistance(const PngImage& a, int aTop, const PngImage& b, int bTop, int width,
                     int height) {
  double sum = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = a.pixel(x, aTop + y), q = b.pixel(x, bTop + y);
      for (int shift = 0; shift < 32; shift += 8)
        sum +=
            std::abs(static_cast<int>((p >> shift) & 0xff) - static_cast<int>((q >> shift) & 0xff));
    }
  return sum;
}

std::vector<unsigned char> readFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  unsigned char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
    bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(file);
  return bytes;
}

}  // namespace zeltest
