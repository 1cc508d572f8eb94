// A small fixed-seed random generator, so textures are the same on every build.
#pragma once

#include <cstdint>

namespace zelart {

// SplitMix64: a fast generator with good statistics; the sequence depends only on the seed.
class Random {
public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  // Next raw 64-bit value.
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }

  // Uniform value in [0, 1).
  double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

  // Uniform value in [-1, 1).
  double symmetric() { return 2.0 * uniform() - 1.0; }

  // Roughly normal value with mean 0 and deviation 1 (sum of four uniforms).
  double gaussian() {
    return (uniform() + uniform() + uniform() + uniform() - 2.0) * 1.7320508075688772;
  }

private:
  std::uint64_t state_;
};

}  // namespace zelart
