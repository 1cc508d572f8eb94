#pragma once

// Helpers shared by the engine tests: deterministic signals, engines set up as
// the effect does it, block runners and bitwise comparison.

#include "FETCompressor.h"
#include "FETKernels.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <type_traits>
#include <vector>

namespace dsptest {

// Deterministic uniform values from a standard engine.
struct Rng {
  explicit Rng(std::uint64_t seed) : engine(seed) {}
  double uniform() { return static_cast<double>(engine() >> 11) * 0x1p-53; }  // [0, 1)
  double bipolar() { return 2.0 * uniform() - 1.0; }                          // [-1, 1)
  std::mt19937_64 engine;
};

template <class T>
struct StereoBlock {
  explicit StereoBlock(int frames) : inL(frames), inR(frames), outL(frames), outR(frames) {}
  std::vector<T> inL, inR, outL, outR;
  int frames() const { return static_cast<int>(inL.size()); }
};

using Setter = void (FETCompressor::*)(float);
using Configure = std::function<void(FETCompressor&)>;

// Engine at the given rate with controls set by `setup`, resumed.
inline std::unique_ptr<FETCompressor> makeEngine(const Configure& setup = {}, float rate = 44100) {
  auto engine = std::make_unique<FETCompressor>();
  if (setup) setup(*engine);
  engine->setSampleRate(rate);
  engine->resume();
  return engine;
}

// The engine's own process call for the sample type.
template <class T>
void run(FETCompressor& e, T** in, T** out, int n, int stereo) {
  if constexpr (std::is_same_v<T, float>)
    e.processReplacing(in, out, n, stereo);
  else
    e.processDoubleReplacing(in, out, n, stereo);
}
template <class T>
void run(FETCompressor& e, StereoBlock<T>& b, int stereo = 1) {
  T* in[2] = {b.inL.data(), b.inR.data()};
  T* out[2] = {b.outL.data(), b.outR.data()};
  run(e, in, out, b.frames(), stereo);
}

template <class T>
void fillNoise(StereoBlock<T>& b, Rng& rng, double amplitude) {
  for (int i = 0; i < b.frames(); ++i) {
    b.inL[i] = static_cast<T>(amplitude * rng.bipolar());
    b.inR[i] = static_cast<T>(amplitude * rng.bipolar());
  }
}

// Runs `blocks` blocks of a 100-sample-period sine through b, the right input
// scaled by rightScale; returns the meter afterwards.
template <class T>
float runSine(FETCompressor& e, StereoBlock<T>& b, double amp, int blocks, double rightScale = 1) {
  for (int k = 0; k < blocks; ++k) {
    for (int i = 0; i < b.frames(); ++i) {
      b.inL[i] = static_cast<T>(amp * std::sin(0.06283185307179586 * (i + k * b.frames())));
      b.inR[i] = static_cast<T>(rightScale * b.inL[i]);
    }
    run(e, b);
  }
  return e.getGR();
}

// Every compiled form of the kernel this processor runs.
inline std::vector<const fet::KernelSet*> kernelSets() {
  std::vector<const fet::KernelSet*> sets{&fet::baselineKernels()};
  if (fet::v3Kernels() != nullptr) sets.push_back(fet::v3Kernels());
  return sets;
}

template <class T>
bool sameBits(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
}

}  // namespace dsptest
