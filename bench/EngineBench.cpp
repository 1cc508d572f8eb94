// Engine cost per stereo frame at 48 kHz in 512-frame blocks, for the
// optimised kernel ("fast") and its plain form ("reference").
//   zel-bench-engine --benchmark_counters_tabular=true

#include "FETCompressor.h"
#include "FETCompressorReference.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kBlock = 512;
constexpr double kRate = 48000.0;
constexpr int kNoiseFrames = 48000 * 4;

// Pink-ish noise (three-pole filtered white noise), peaks at about -6 dBFS.
std::vector<double> pinkNoise(std::uint64_t seed) {
  std::vector<double> out(kNoiseFrames);
  double p0 = 0, p1 = 0, p2 = 0, peak = 0;
  for (double& v : out) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    const double white = static_cast<double>(seed >> 11) * (2.0 / 9007199254740992.0) - 1.0;
    p0 = 0.99765 * p0 + white * 0.0990460;
    p1 = 0.96300 * p1 + white * 0.2965164;
    p2 = 0.57000 * p2 + white * 1.0526913;
    v = p0 + p1 + p2 + white * 0.1848;
    peak = std::max(peak, std::fabs(v));
  }
  for (double& v : out) v *= 0.5 / peak;
  return out;
}

enum Setting { kPreset0, kHeavy };

// The controls preset 0 sets through the effect, or a heavy variant.
void configure(FETCompressor& e, Setting s) {
  e.setPower(1.0f);
  e.setAttack(s == kHeavy ? 0.0f : 0.5f);
  e.setRelease(0.5f);
  e.setScHpfSwitch(s == kHeavy ? 1.0f : 0.0f);
  e.setHPF(0.5f);
  e.setRatio(s == kHeavy ? 1.0f : 0.5f);
  e.setThreshold(0.625f);
  e.setChannel(0.5f);
  e.setGain(0.375f);
  e.setLink(1.0f);
  e.setBlendSwitch(s == kHeavy ? 1.0f : 0.0f);
  e.setBlend(0.75f);
  e.setSampleRate(static_cast<float>(kRate));
  e.resume();
}

template <class T, bool Reference>
void runBlock(FETCompressor& e, T** in, T** out) {
  if constexpr (std::is_same_v<T, float>) {
    if constexpr (Reference)
      FETCompressorReference::processReplacing(e, in, out, kBlock, 1);
    else
      e.processReplacing(in, out, kBlock, 1);
  } else {
    if constexpr (Reference)
      FETCompressorReference::processDoubleReplacing(e, in, out, kBlock, 1);
    else
      e.processDoubleReplacing(in, out, kBlock, 1);
  }
}

template <class T, bool Reference>
void engineBench(benchmark::State& state) {
  const std::vector<double> l = pinkNoise(1), r = pinkNoise(2);
  std::vector<T> inL(l.begin(), l.end()), inR(r.begin(), r.end());
  std::vector<T> outL(kBlock), outR(kBlock);
  FETCompressor engine;
  configure(engine, static_cast<Setting>(state.range(0)));

  int pos = 0;
  for (auto _ : state) {
    T* in[2] = {inL.data() + pos, inR.data() + pos};
    T* out[2] = {outL.data(), outR.data()};
    runBlock<T, Reference>(engine, in, out);
    benchmark::DoNotOptimize(outL.data());
    benchmark::ClobberMemory();
    pos = (pos + kBlock) % (kNoiseFrames - kBlock);
  }
  // Rate counters divide by the measured CPU time: frames * 1e-9 per second
  // inverted gives nanoseconds per frame; audio seconds per second is the
  // real-time factor.
  state.counters["ns_per_frame"] = benchmark::Counter(
      kBlock * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["realtime_x"] =
      benchmark::Counter(kBlock / kRate, benchmark::Counter::kIsIterationInvariantRate);
  state.SetLabel(state.range(0) == kHeavy ? "heavy" : "preset0");
}

// Silent input, from a fresh state or after a minute of silence, when the
// envelopes and the output stage have decayed to subnormal doubles.
void silenceBench(benchmark::State& state) {
  std::vector<float> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock);
  FETCompressor engine;
  configure(engine, kPreset0);
  float* in[2] = {inL.data(), inR.data()};
  float* out[2] = {outL.data(), outR.data()};
  const int warmBlocks = static_cast<int>(state.range(0) * kRate / kBlock);
  for (int k = 0; k < warmBlocks; ++k) engine.processReplacing(in, out, kBlock, 1);
  const bool fresh = warmBlocks == 0;
  for (auto _ : state) {
    if (fresh) {  // back to normal-range state before every block
      engine.suspend();
      engine.resume();
    }
    engine.processReplacing(in, out, kBlock, 1);
    benchmark::DoNotOptimize(outL.data());
  }
  state.counters["ns_per_frame"] = benchmark::Counter(
      kBlock * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetLabel(state.range(0) == 0 ? "silence" : "silence after 60 s");
}

BENCHMARK(engineBench<float, true>)->Name("reference/float")->Arg(kPreset0)->Arg(kHeavy);
BENCHMARK(engineBench<float, false>)->Name("fast/float")->Arg(kPreset0)->Arg(kHeavy);
BENCHMARK(engineBench<double, true>)->Name("reference/double")->Arg(kPreset0)->Arg(kHeavy);
BENCHMARK(engineBench<double, false>)->Name("fast/double")->Arg(kPreset0)->Arg(kHeavy);
BENCHMARK(silenceBench)->Name("fast/float/silence")->Arg(0)->Arg(60);

}  // namespace

BENCHMARK_MAIN();
