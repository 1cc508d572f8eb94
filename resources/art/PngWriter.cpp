#include "PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zelart {
namespace {

void putU32(std::vector<unsigned char>& out, std::uint32_t v) {
  out.push_back(static_cast<unsigned char>(v >> 24));
  out.push_back(static_cast<unsigned char>(v >> 16));
  out.push_back(static_cast<unsigned char>(v >> 8));
  out.push_back(static_cast<unsigned char>(v));
}

void putChunk(std::vector<unsigned char>& out, const char type[5], const unsigned char* data,
              std::size_t length) {
  putU32(out, static_cast<std::uint32_t>(length));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + length);
  const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(length + 4));
  putU32(out, static_cast<std::uint32_t>(crc));
}

// Un-premultiplies one row of ARGB32 pixels into RGBA bytes.
void unpremultiply(const std::uint32_t* in, int width, unsigned char* out) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t p = in[x];
    const unsigned a = p >> 24;
    unsigned r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
    if (a != 0 && a != 255) {
      r = (r * 255 + a / 2) / a;
      g = (g * 255 + a / 2) / a;
      b = (b * 255 + a / 2) / a;
    }
    out[4 * x + 0] = static_cast<unsigned char>(r > 255 ? 255 : r);
    out[4 * x + 1] = static_cast<unsigned char>(g > 255 ? 255 : g);
    out[4 * x + 2] = static_cast<unsigned char>(b > 255 ? 255 : b);
    out[4 * x + 3] = static_cast<unsigned char>(a);
  }
}

int paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Applies PNG filter `type` to one row of `n` bytes (4 bytes per pixel).
void filterRow(int type, const unsigned char* cur, const unsigned char* prev, std::size_t n,
               unsigned char* out) {
  for (std::size_t i = 0; i < n; ++i) {
    const int a = i >= 4 ? cur[i - 4] : 0;
    const int b = prev[i];
    const int c = i >= 4 ? prev[i - 4] : 0;
    int predictor = 0;
    switch (type) {
      case 1:
        predictor = a;
        break;
      case 2:
        predictor = b;
        break;
      case 3:
        predictor = (a + b) / 2;
        break;
      case 4:
        predictor = paeth(a, b, c);
        break;
      default:
        break;
    }
    out[i] = static_cast<unsigned char>(cur[i] - predictor);
  }
}

// Sum of the filtered bytes taken as signed values: the usual cheap estimate of how well
// a row will compress.
unsigned long rowCost(const unsigned char* row, std::size_t n) {
  unsigned long cost = 0;
  for (std::size_t i = 0; i < n; ++i)
    cost += static_cast<unsigned long>(std::abs(static_cast<signed char>(row[i])));
  return cost;
}

}  // namespace

std::vector<unsigned char> encodePng(const Image& image) {
  const int width = image.width(), height = image.height();
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;

  // Filtered scanlines, each led by its filter type byte.
  std::vector<unsigned char> raw((rowBytes + 1) * static_cast<std::size_t>(height));
  std::vector<unsigned char> cur(rowBytes), prev(rowBytes, 0), trial(rowBytes), best(rowBytes);
  cairo_surface_flush(image.surface());
  for (int y = 0; y < height; ++y) {
    unpremultiply(image.row(y), width, cur.data());
    int bestType = 0;
    unsigned long bestCost = ~0UL;
    for (int type = 0; type < 5; ++type) {
      filterRow(type, cur.data(), prev.data(), rowBytes, trial.data());
      const unsigned long cost = rowCost(trial.data(), rowBytes);
      if (cost < bestCost) {
        bestCost = cost;
        bestType = type;
        best.swap(trial);
      }
    }
    unsigned char* dst = raw.data() + static_cast<std::size_t>(y) * (rowBytes + 1);
    dst[0] = static_cast<unsigned char>(bestType);
    std::copy(best.begin(), best.end(), dst + 1);
    prev.swap(cur);
  }

  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<unsigned char> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
    return {};
  packed.resize(packedSize);

  std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<unsigned char> header;
  putU32(header, static_cast<std::uint32_t>(width));
  putU32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive, none
  putChunk(png, "IHDR", header.data(), header.size());
  putChunk(png, "IDAT", packed.data(), packed.size());
  putChunk(png, "IEND", nullptr, 0);
  return png;
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace zelart
