// Audio held in memory: the demo signal, and input files loaded for benchmarking.
#pragma once

#include <cstdint>
#include <vector>

#include "FrameStream.h"

namespace zelrender {

// Interleaved float samples with their channel count and rate.
struct AudioBuffer {
  int channels = 2;
  double sampleRate = 48000.0;
  std::vector<float> samples;

  int64_t frames() const {
    return channels > 0 ? static_cast<int64_t>(samples.size()) / channels : 0;
  }
};

// Reads an AudioBuffer from its start; the buffer must outlive the source.
class MemorySource : public FrameSource {
public:
  explicit MemorySource(const AudioBuffer& buffer) : buffer_(buffer) {}
  int channels() const override { return buffer_.channels; }
  double sampleRate() const override { return buffer_.sampleRate; }
  int64_t frames() const override { return buffer_.frames(); }
  int64_t read(float* interleaved, int64_t count) override;
  int64_t read(double* interleaved, int64_t count) override;

private:
  template <typename Sample>
  int64_t readAs(Sample* interleaved, int64_t count);

  const AudioBuffer& buffer_;
  int64_t position_ = 0;
};

// Reads the whole of `source` into `buffer`; false on a read error.
bool readAll(FrameSource& source, AudioBuffer& buffer);

}  // namespace zelrender
