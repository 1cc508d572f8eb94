#include "ZelImageSize.h"

#include <cstdint>
#include <cstring>

#include "ZelBinaryData.h"

namespace {

uint32_t bigEndian32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

}  // namespace

CPoint getZelImageSize(unsigned int id) {
  unsigned int size = 0;
  const unsigned char* data = getZelBinaryData(id, size);
  if (!data) return CPoint(400, 350);
  // Signature (8 bytes), then the first chunk: length, "IHDR", width, height.
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size < 24 || std::memcmp(data, kSignature, 8) != 0 || std::memcmp(data + 12, "IHDR", 4) != 0)
    return CPoint(0, 0);
  return CPoint(bigEndian32(data + 16), bigEndian32(data + 20));
}
