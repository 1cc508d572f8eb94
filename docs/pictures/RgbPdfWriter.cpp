#include "RgbPdfWriter.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kBytesPerPixel = 3;
// Row filter "Paeth" of the PNG predictors, which PDF's Flate filter undoes.
constexpr uint8_t kPaethFilter = 4;

uint8_t paeth(int left, int up, int upLeft) {
  const int p = left + up - upLeft;
  const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(left);
  return static_cast<uint8_t>(pb <= pc ? up : upLeft);
}

// Each row as its filter byte followed by the Paeth differences of its bytes.
std::vector<uint8_t> predictRows(const std::vector<uint8_t>& rgb, int width, int height) {
  const size_t stride = static_cast<size_t>(width) * kBytesPerPixel;
  std::vector<uint8_t> rows;
  rows.reserve((stride + 1) * height);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rgb.data() + stride * y;
    const uint8_t* above = y > 0 ? row - stride : nullptr;
    rows.push_back(kPaethFilter);
    for (size_t i = 0; i < stride; ++i) {
      const int left = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
      const int up = above ? above[i] : 0;
      const int upLeft = above && i >= kBytesPerPixel ? above[i - kBytesPerPixel] : 0;
      rows.push_back(static_cast<uint8_t>(row[i] - paeth(left, up, upLeft)));
    }
  }
  return rows;
}

bool deflate(const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
  uLongf size = compressBound(in.size());
  out.resize(size);
  if (compress2(out.data(), &size, in.data(), in.size(), Z_BEST_COMPRESSION) != Z_OK) return false;
  out.resize(size);
  return true;
}

// Writes the objects in order and remembers where each starts, for the xref table.
class PdfFile {
public:
  explicit PdfFile(std::FILE* f) : file(f) {}
  void text(const std::string& s) { bytes(s.data(), s.size()); }
  void bytes(const void* data, size_t n) {
    if (std::fwrite(data, 1, n, file) != n) failed = true;
    position += n;
  }
  void beginObject() {
    offsets.push_back(position);
    text(std::to_string(offsets.size()) + " 0 obj\n");
  }
  void endObject() { text("endobj\n"); }
  void finish() {
    const long xref = position;
    text("xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n");
    for (long offset : offsets) {
      char line[32];
      std::snprintf(line, sizeof line, "%010ld 00000 n \n", offset);
      text(line);
    }
    text("trailer\n<< /Size " + std::to_string(offsets.size() + 1) + " /Root 1 0 R >>\n");
    text("startxref\n" + std::to_string(xref) + "\n%%EOF\n");
  }
  bool ok() const { return !failed; }

private:
  std::FILE* file;
  long position = 0;
  std::vector<long> offsets;
  bool failed = false;
};

}  // namespace

bool writeRgbPdf(const std::vector<uint8_t>& rgb, int width, int height, const std::string& path) {
  if (width <= 0 || height <= 0 ||
      rgb.size() != static_cast<size_t>(width) * height * kBytesPerPixel) {
    return false;
  }
  std::vector<uint8_t> image;
  if (!deflate(predictRows(rgb, width, height), image)) return false;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;

  const std::string w = std::to_string(width), h = std::to_string(height);
  const std::string draw = "q " + w + " 0 0 " + h + " 0 0 cm /Im0 Do Q\n";
  PdfFile pdf(f);
  pdf.text("%PDF-1.4\n");
  pdf.beginObject();
  pdf.text("<< /Type /Catalog /Pages 2 0 R >>\n");
  pdf.endObject();
  pdf.beginObject();
  pdf.text("<< /Type /Pages /Kids [ 3 0 R ] /Count 1 >>\n");
  pdf.endObject();
  pdf.beginObject();
  pdf.text("<< /Type /Page /Parent 2 0 R /MediaBox [ 0 0 " + w + " " + h +
           " ] /Resources << /XObject << /Im0 5 0 R >> >> /Contents 4 0 R >>\n");
  pdf.endObject();
  pdf.beginObject();
  pdf.text("<< /Length " + std::to_string(draw.size()) + " >>\nstream\n" + draw + "endstream\n");
  pdf.endObject();
  pdf.beginObject();
  pdf.text("<< /Type /XObject /Subtype /Image /Width " + w + " /Height " + h +
           " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode"
           " /DecodeParms << /Predictor 15 /Colors 3 /BitsPerComponent 8 /Columns " +
           w + " >> /Length " + std::to_string(image.size()) + " >>\nstream\n");
  pdf.bytes(image.data(), image.size());
  pdf.text("\nendstream\n");
  pdf.endObject();
  pdf.finish();
  const bool ok = pdf.ok();
  return std::fclose(f) == 0 && ok;
}
