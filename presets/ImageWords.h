// 32-bit words and floats inside images, read and written through copies (image
// fields are not aligned), optionally byte-reversed.
#pragma once

#include <cstdint>
#include <cstring>

#include "PresetImage.h"

inline int32_t readImageWord(const char* p, bool swapped) {
  uint32_t w;
  std::memcpy(&w, p, 4);
  return static_cast<int32_t>(swapped ? mySwapBytes(w) : w);
}

inline float readImageFloat(const char* p, bool swapped) {
  const uint32_t w = static_cast<uint32_t>(readImageWord(p, swapped));
  float f;
  std::memcpy(&f, &w, 4);
  return f;
}

// Writes a native word at p and moves p past it.
inline void putImageWord(char*& p, int32_t v) {
  std::memcpy(p, &v, 4);
  p += 4;
}
