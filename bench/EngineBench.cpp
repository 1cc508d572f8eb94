// Engine cost per stereo frame at 48 kHz in 512-frame blocks: each compiled
// kernel against the plain form, block by block in the same run, on music and
// on the inputs that tend to be slow. Columns: ns_per_frame (kernel),
// plain_ns (plain form), ratio (kernel / plain form), vs_music (kernel on the
// case / kernel on music at preset 0, in the same run), all in thread CPU time.
//   zel-bench-engine --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "FETCompressor.h"
#include "FETCompressorReference.h"
#include "FETEngineAccess.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr int kBlock = 512;
constexpr double kRate = 48000.0;
constexpr int kFrames = 48000 * 8;

// Small deterministic generator, uniform in [-1, 1).
struct Noise {
  std::uint64_t state;
  double next() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state >> 11) * 0x1p-52 - 1.0;
  }
};

// A drum and bass loop at 174 bpm like the demo: kick, snare, hats and a
// driven sub bass, peaking at -1 dBFS.
void demoLike(std::vector<double>& left, std::vector<double>& right) {
  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  constexpr double kStep = 60.0 / 174.0 / 4.0;  // a sixteenth note, seconds
  constexpr int kKick = 0b0000010000000001, kSnare = 0b1001000000010000;
  const double bass[4] = {41.2, 49.0, 36.71, 55.0};
  Noise nl{1}, nr{2};
  double kickPhase = 0, bassPhase = 0, hatL = 0, hatR = 0, peak = 0;
  left.resize(kFrames);
  right.resize(kFrames);
  for (int i = 0; i < kFrames; ++i) {
    const double t = i / kRate;
    const int step = static_cast<int>(t / kStep), inBar = step % 16;
    const double since = t - step * kStep;
    double kick = 0;
    if (kKick >> inBar & 1) {
      kickPhase += kTwoPi * (45.0 + 115.0 * std::exp(-since / 0.035)) / kRate;
      kick = std::sin(kickPhase) * std::exp(-since / 0.22) + 0.3 * std::exp(-since / 0.002);
    } else {
      kickPhase = 0;
    }
    const double a = nl.next(), b = nr.next();
    const double snare = (kSnare >> inBar & 1) ? std::exp(-since / 0.1) : 0.0;
    const double body = 0.6 * std::sin(kTwoPi * 190.0 * since) * snare;
    const double hat = (inBar % 2 ? 0.3 : 0.8) * std::exp(-since / 0.025) * 0.35;
    hatL += 0.6 * (a - hatL);
    hatR += 0.6 * (b - hatR);
    bassPhase += kTwoPi * bass[step / 8 % 4] / kRate;
    const double sub = std::tanh(1.8 * std::sin(bassPhase)) * 0.45;
    const double centre = 0.9 * kick + 0.5 * sub + 0.55 * body;
    left[i] = centre + 0.45 * a * snare + (a - hatL) * hat;
    right[i] = centre + 0.45 * b * snare + (b - hatR) * hat;
    peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
  }
  const double gain = std::pow(10.0, -1.0 / 20.0) / peak;
  for (int i = 0; i < kFrames; ++i) left[i] *= gain, right[i] *= gain;
}

enum Case { kMusic, kHeavy, kSilence, kSilenceAfterLoud, kDenormals, kDC, kFullScaleNoise };
const char* const kCaseNames[] = {"preset 0, demo-like", "heavy, demo-like", "silence",
                                  "silence after 60 s",  "denormal input",   "DC",
                                  "full-scale noise"};

// The controls preset 0 sets through the effect, or a heavy variant.
void configure(FETCompressor& e, bool heavy) {
  e.setPower(1.0f);
  e.setAttack(heavy ? 0.0f : 0.5f);
  e.setRelease(0.5f);
  e.setScHpfSwitch(heavy ? 1.0f : 0.0f);
  e.setHPF(0.5f);
  e.setRatio(heavy ? 1.0f : 0.5f);
  e.setThreshold(0.625f);
  e.setChannel(0.5f);
  e.setGain(0.375f);
  e.setLink(1.0f);
  e.setBlendSwitch(heavy ? 1.0f : 0.0f);
  e.setBlend(0.75f);
  e.setSampleRate(static_cast<float>(kRate));
  e.resume();
}

// The input of a case, kFrames long.
template <class T>
void material(Case c, std::vector<T>& inL, std::vector<T>& inR) {
  std::vector<double> l(kFrames), r(kFrames);
  Noise noise{3};
  switch (c) {
    case kMusic:
    case kHeavy:
      demoLike(l, r);
      break;
    case kDenormals: {
      const double tiny = std::numeric_limits<T>::denorm_min();
      for (int i = 0; i < kFrames; ++i) l[i] = tiny * (i % 50), r[i] = -tiny * (i % 37);
      break;
    }
    case kDC:
      std::fill(l.begin(), l.end(), 0.5), std::fill(r.begin(), r.end(), -0.3);
      break;
    case kFullScaleNoise:
      for (int i = 0; i < kFrames; ++i) l[i] = noise.next(), r[i] = noise.next();
      break;
    default:
      break;
  }
  inL.assign(l.begin(), l.end());
  inR.assign(r.begin(), r.end());
}

double threadSeconds() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

template <class T>
void process(FETCompressor& e, T** in, T** out, bool plain) {
  if constexpr (std::is_same_v<T, float>) {
    if (plain)
      FETCompressorReference::processReplacing(e, in, out, kBlock, 1);
    else
      e.processReplacing(in, out, kBlock, 1);
  } else {
    if (plain)
      FETCompressorReference::processDoubleReplacing(e, in, out, kBlock, 1);
    else
      e.processDoubleReplacing(in, out, kBlock, 1);
  }
}

// One case with one kernel: each iteration runs the next block through the
// kernel on one engine and through the plain form on another, and the next
// block of music at preset 0 through the kernel on a third, timing each.
template <class T>
void engineBench(benchmark::State& state, Case c, const fet::KernelSet* kernels) {
  if (kernels == nullptr) {
    state.SkipWithError("this processor lacks the instructions of this kernel");
    return;
  }
  std::vector<T> inL, inR, outL(kBlock), outR(kBlock), musicL, musicR;
  material(c, inL, inR);
  material(kMusic, musicL, musicR);
  FETCompressor engines[3];  // kernel, plain form, kernel on music
  for (FETCompressor& e : engines) {
    configure(e, c == kHeavy && &e != &engines[2]);
    FETEngineAccess::useKernels(e, *kernels);
  }
  if (c == kSilenceAfterLoud) {
    // Two seconds of loud noise, then 64 s of silence, through the kernel on
    // both engines (it computes what the plain form computes, only faster).
    std::vector<T> loudL, loudR;
    material(kFullScaleNoise, loudL, loudR);
    const std::vector<T> silence(kBlock);
    const int perSecond = static_cast<int>(kRate) / kBlock;
    for (int k = 0; k < 66 * perSecond; ++k)
      for (FETCompressor& e : {std::ref(engines[0]), std::ref(engines[1])}) {
        const bool loud = k < 2 * perSecond;
        T* in[2] = {const_cast<T*>(loud ? loudL.data() + k * kBlock : silence.data()),
                    const_cast<T*>(loud ? loudR.data() + k * kBlock : silence.data())};
        T* out[2] = {outL.data(), outR.data()};
        process(e, in, out, false);
      }
  }
  double seconds[3] = {0, 0, 0};
  long blocks = 0;
  int pos = 0;
  for (auto _ : state) {
    double iteration = 0;
    for (int j = 0; j < 3; ++j) {
      if (c == kSilence && j < 2) engines[j].suspend(), engines[j].resume();  // normal range
      T* in[2] = {(j < 2 ? inL : musicL).data() + pos, (j < 2 ? inR : musicR).data() + pos};
      T* out[2] = {outL.data(), outR.data()};
      const double start = threadSeconds();
      process(engines[j], in, out, j == 1);
      const double spent = threadSeconds() - start;
      benchmark::DoNotOptimize(outL.data());
      benchmark::ClobberMemory();
      seconds[j] += spent;
      if (j < 2) iteration += spent;
    }
    state.SetIterationTime(iteration);
    ++blocks;
    pos = (pos + kBlock) % (kFrames - kBlock);
  }
  const double frames = static_cast<double>(blocks) * kBlock;
  state.counters["ns_per_frame"] = 1e9 * seconds[0] / frames;
  state.counters["plain_ns"] = 1e9 * seconds[1] / frames;
  state.counters["ratio"] = seconds[0] / seconds[1];
  state.counters["vs_music"] = seconds[0] / seconds[2];
  state.SetLabel(kCaseNames[c]);
}

const bool kRegistered = [] {
  const fet::KernelSet* sets[] = {&fet::baselineKernels(), fet::v3Kernels()};
  const char* const kernelNames[] = {"baseline", "x86-64-v3"};
  const char* const caseNames[] = {"music",    "heavy", "silence",  "silence-after-loud",
                                   "denormal", "dc",    "fullscale"};
  for (int k = 0; k < 2; ++k)
    for (int c = kMusic; c <= kFullScaleNoise; ++c) {
      const std::string name = std::string(kernelNames[k]) + "/" + caseNames[c];
      benchmark::RegisterBenchmark((name + "/float").c_str(), engineBench<float>,
                                   static_cast<Case>(c), sets[k])
          ->UseManualTime();
      benchmark::RegisterBenchmark((name + "/double").c_str(), engineBench<double>,
                                   static_cast<Case>(c), sets[k])
          ->UseManualTime();
    }
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
