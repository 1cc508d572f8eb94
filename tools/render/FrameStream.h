// Interleaved audio streams that the renderer reads from and writes to.
#pragma once

#include <cstdint>

namespace zelrender {

// A source of interleaved frames with a known length.
class FrameSource {
public:
  virtual ~FrameSource() = default;
  virtual int channels() const = 0;
  virtual double sampleRate() const = 0;
  virtual int64_t frames() const = 0;
  // Reads up to `count` frames; returns the number read, fewer only at the end, -1 on error.
  virtual int64_t read(float* interleaved, int64_t count) = 0;
  virtual int64_t read(double* interleaved, int64_t count) = 0;
};

// A destination for interleaved frames.
class FrameSink {
public:
  virtual ~FrameSink() = default;
  // Writes `count` frames; false on error.
  virtual bool write(const float* interleaved, int64_t count) = 0;
  virtual bool write(const double* interleaved, int64_t count) = 0;
};

}  // namespace zelrender
