// The fixed header that starts every preset and bank image (files, state
// chunk, preference values). Packed, fields in the writer's byte order.
#pragma once

#include <cstdint>

#pragma pack(push, 1)
struct newpresetheader {
  int32_t uniqueID;
  char kind;
  int32_t version;
  int32_t numParamSlots;
  int32_t recordCount;
  int32_t selectedPreset;
  int32_t payloadSize;
  int32_t reserved[4];
};
#pragma pack(pop)

static_assert(sizeof(newpresetheader) == 41, "image header is 41 bytes");

constexpr char kPresetImageKind = 0x22;
constexpr char kBankImageKind = 0x38;
constexpr char kOldPresetFileKind = 0x21;
constexpr char kOldBankFileKind = 0x37;

// Reverses the four bytes of one 32-bit word.
inline uint32_t mySwapBytes(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) | (v << 24);
}

// Reverses the four bytes of the 32-bit word at `word` in place (any alignment).
inline void mySwapBytes(void* word) {
  unsigned char* b = static_cast<unsigned char*>(word);
  const unsigned char b0 = b[0], b1 = b[1];
  b[0] = b[3];
  b[1] = b[2];
  b[2] = b1;
  b[3] = b0;
}
