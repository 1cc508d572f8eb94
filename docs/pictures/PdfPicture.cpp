#include "PdfPicture.h"

#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "RgbPdfWriter.h"

namespace {

// Clips the area to the picture; false when nothing of it is inside.
bool clipArea(PictureArea& area, int width, int height) {
  if (area.x < 0 || area.y < 0 || area.x >= width || area.y >= height) return false;
  if (area.width <= 0 || area.width > width - area.x) area.width = width - area.x;
  if (area.height <= 0 || area.height > height - area.y) area.height = height - area.y;
  return true;
}

// The area's pixels as RGB bytes (the panel is opaque; alpha is dropped).
std::vector<uint8_t> rgbOf(cairo_surface_t* picture, const PictureArea& area) {
  cairo_surface_flush(picture);
  const unsigned char* data = cairo_image_surface_get_data(picture);
  const int stride = cairo_image_surface_get_stride(picture);
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(area.width) * area.height * 3);
  for (int y = area.y; y < area.y + area.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(stride) * y);
    for (int x = area.x; x < area.x + area.width; ++x) {
      const uint32_t pixel = row[x];  // 0xAARRGGBB in native order
      rgb.push_back(static_cast<uint8_t>(pixel >> 16));
      rgb.push_back(static_cast<uint8_t>(pixel >> 8));
      rgb.push_back(static_cast<uint8_t>(pixel));
    }
  }
  return rgb;
}

}  // namespace

bool writePdfPicture(const std::string& pngPath, PictureArea& area, const std::string& pdfPath) {
  cairo_surface_t* picture = cairo_image_surface_create_from_png(pngPath.c_str());
  bool ok = cairo_surface_status(picture) == CAIRO_STATUS_SUCCESS;
  if (!ok) {
    std::fprintf(stderr, "cannot read %s\n", pngPath.c_str());
  } else if (!clipArea(area, cairo_image_surface_get_width(picture),
                       cairo_image_surface_get_height(picture))) {
    std::fprintf(stderr, "the area lies outside %s\n", pngPath.c_str());
    ok = false;
  } else if (!writeRgbPdf(rgbOf(picture, area), area.width, area.height, pdfPath)) {
    std::fprintf(stderr, "cannot write %s\n", pdfPath.c_str());
    ok = false;
  }
  cairo_surface_destroy(picture);
  return ok;
}
