#include "platform/cairo/CairoBitmap.h"

#include <cstring>

#include "platform/cairo/CairoDrawContext.h"

namespace {

struct MemoryReader {
  const unsigned char* data;
  uint32_t size;
  uint32_t position;
};

cairo_status_t readFromMemory(void* closure, unsigned char* out, unsigned int length) {
  auto* reader = static_cast<MemoryReader*>(closure);
  if (length > reader->size - reader->position) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, reader->data + reader->position, length);
  reader->position += length;
  return CAIRO_STATUS_SUCCESS;
}

// cairo's image limit is 32767 pixels a side.
constexpr double kMaxSide = 32767;

}  // namespace

IPlatformBitmap* IPlatformBitmap::createFromMemory(const void* data, uint32_t size) {
  if (!data || size == 0) return nullptr;
  MemoryReader reader{static_cast<const unsigned char*>(data), size, 0};
  cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readFromMemory, &reader);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  // Draw everything from one pixel format.
  if (cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32) {
    cairo_surface_t* converted = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
    cairo_t* cr = cairo_create(converted);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    s = converted;
  }
  return new CairoBitmap(s);
}

IPlatformBitmap* IPlatformBitmap::create(const CPoint& size) {
  if (!(size.x >= 1 && size.y >= 1 && size.x <= kMaxSide && size.y <= kMaxSide)) return nullptr;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(size.x),
                                                  static_cast<int>(size.y));
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  return new CairoBitmap(s);
}

CairoBitmap::CairoBitmap(cairo_surface_t* s) : surface(s) {}

CairoBitmap::~CairoBitmap() { cairo_surface_destroy(surface); }

CPoint CairoBitmap::getSize() const {
  return CPoint(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
}

bool CairoBitmap::getPixel(int32_t x, int32_t y, CColor& color) const {
  int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  if (x < 0 || y < 0 || x >= w || y >= h) return false;
  cairo_surface_flush(surface);
  const unsigned char* row =
      cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  uint32_t p;
  std::memcpy(&p, row + 4 * x, 4);
  uint32_t a = p >> 24;
  auto unpremultiply = [a](uint32_t c) -> uint8_t {
    return a ? static_cast<uint8_t>((c * 255 + a / 2) / a) : 0;
  };
  color = CColor(unpremultiply((p >> 16) & 0xFF), unpremultiply((p >> 8) & 0xFF),
                 unpremultiply(p & 0xFF), static_cast<uint8_t>(a));
  return true;
}

bool CairoBitmap::writePNG(const char* path) const {
  if (!path) return false;
  cairo_surface_flush(surface);
  return cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
}

CDrawContext* CairoBitmap::createDrawContext() {
  return CairoDrawContext::create(surface, nullptr);
}

cairo_surface_t* CairoBitmap::surfaceOf(const IPlatformBitmap* bitmap) {
  auto* cairoBitmap = dynamic_cast<const CairoBitmap*>(bitmap);
  return cairoBitmap ? cairoBitmap->surface : nullptr;
}
