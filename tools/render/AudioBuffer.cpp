#include "AudioBuffer.h"

#include <algorithm>

namespace zelrender {

template <typename Sample>
int64_t MemorySource::readAs(Sample* interleaved, int64_t count) {
  int64_t n = std::min(count, buffer_.frames() - position_);
  if (n <= 0) return 0;
  const float* from = buffer_.samples.data() + position_ * buffer_.channels;
  std::copy(from, from + n * buffer_.channels, interleaved);
  position_ += n;
  return n;
}

int64_t MemorySource::read(float* interleaved, int64_t count) { return readAs(interleaved, count); }

int64_t MemorySource::read(double* interleaved, int64_t count) {
  return readAs(interleaved, count);
}

bool readAll(FrameSource& source, AudioBuffer& buffer) {
  buffer.channels = source.channels();
  buffer.sampleRate = source.sampleRate();
  buffer.samples.assign(static_cast<size_t>(source.frames() * source.channels()), 0.0f);
  int64_t done = 0;
  while (done < source.frames()) {
    int64_t n = source.read(buffer.samples.data() + done * buffer.channels, source.frames() - done);
    if (n <= 0) return false;
    done += n;
  }
  return true;
}

}  // namespace zelrender
