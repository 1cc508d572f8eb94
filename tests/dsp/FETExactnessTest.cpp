// Every compiled form of the engine's kernel must produce the plain form's
// output, meter and running state bit for bit, with the plain form built both at
// the release flags and at -O0. A vectoriser that drops a rounding to float
// shows up only here (GCC 12's SLP vectoriser does, see the dsp CMakeLists).

#include "DspTestSupport.h"
#include "FETCompressorReference.h"
#include "FETEngineAccess.h"

#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <array>
#include <bit>
#include <cfloat>
#include <limits>
#include <string>
#include <vector>

// The plain form compiled without optimisation (ReferenceAtO0.cpp).
void referenceAtO0(FETCompressor& engine, float** in, float** out, int frames, int stereo);
void referenceAtO0(FETCompressor& engine, double** in, double** out, int frames, int stereo);

namespace {

using namespace dsptest;

template <class T>
void plain(FETCompressor& e, T** in, T** out, int n, int stereo) {
  if constexpr (std::is_same_v<T, float>)
    FETCompressorReference::processReplacing(e, in, out, n, stereo);
  else
    FETCompressorReference::processDoubleReplacing(e, in, out, n, stereo);
}

// One block of material of the given kind: noise, sines, bursts, silence,
// impulses, DC, values near the float denormal range, loud noise with NaN/inf,
// full-scale noise, double denormals.
constexpr int kSilence = 3, kFloatDenormals = 6, kDoubleDenormals = 9, kKinds = 10;
template <class T>
void fillMaterial(StereoBlock<T>& b, int kind, Rng& rng, long& t) {
  const double amp = std::pow(10.0, -3.0 * rng.uniform());  // 0 to -60 dB
  const double freq = 0.0005 + 0.05 * rng.uniform();
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (int i = 0; i < b.frames(); ++i, ++t) {
    double l = 0, r = 0;
    switch (kind) {
      case 0:
        l = amp * rng.bipolar(), r = amp * rng.bipolar();
        break;
      case 1:
        l = amp * std::sin(freq * t), r = 0.5 * amp * std::cos(freq * t);
        break;
      case 2:
        l = r = ((t / 300) % 2 ? amp : 0.001 * amp) * rng.bipolar();
        break;
      case kSilence:
        break;
      case 4:
        l = (t % 97 == 0) ? amp : 0.0, r = -l;
        break;
      case 5:
        l = amp, r = -0.3 * amp;
        break;
      case kFloatDenormals:
        l = FLT_TRUE_MIN * double(t % 50), r = FLT_MIN * rng.bipolar();
        break;
      case 7:
        l = t % 31 == 0 ? std::nan("") : t % 41 == 0 ? -inf : 2.0 * rng.bipolar();
        r = t % 37 == 0 ? inf : 2.0 * rng.bipolar();
        break;
      case 8:
        l = rng.bipolar(), r = rng.bipolar();
        break;
      default:
        l = DBL_TRUE_MIN * double(t % 50), r = DBL_MIN * rng.bipolar();
    }
    b.inL[i] = static_cast<T>(l);
    b.inR[i] = static_cast<T>(r);
  }
}

// Puts the envelopes and output stage where a long silence leaves them, as
// subnormal numbers (made from bits, so also where denormals are flushed), or
// near the points where the kernels' shortcuts begin.
void decay(FETCompressor& e, Rng& rng) {
  const double near[] = {0x1p-30, 0x1.0000000000001p-30, 0x1.fffffffffffffp-31, DBL_MIN, 1e-6, 0.0};
  FETRunningState& s = FETEngineAccess::state(e);
  for (double* v : {&s.envelope[0], &s.envelope[1], &s.outState[0], &s.outState[1]}) {
    std::uint64_t bits =
        rng.uniform() < 0.6
            ? static_cast<std::uint64_t>(std::exp2(24.0 * rng.uniform()))
            : std::bit_cast<std::uint64_t>(near[static_cast<int>(rng.uniform() * 6)]);
    if ((v == &s.outState[0] || v == &s.outState[1]) && rng.uniform() < 0.5)
      bits |= std::uint64_t{1} << 63;
    *v = std::bit_cast<double>(bits);
  }
}

// How the buffers are handed over; every kernel gets the same arrangement.
enum Wiring { Separate, InPlace, NullSecondInput, NullSecondOutput, OneBuffer, kWirings };

// Meter value and running state, bit for bit (outputs alone could hide a state
// difference for a while). Floats widen exactly.
std::array<double, 11> snapshot(const FETCompressor& e) {
  const FETRunningState& s = e.getRunningState();
  return {FETCompressorReference::meterValue(e),
          s.outState[0],
          s.outState[1],
          s.scState[0],
          s.scState[1],
          s.ratioSmoothed,
          s.thresholdSmoothed,
          s.envelope[0],
          s.envelope[1],
          s.makeupSmoothed,
          s.blendSmoothed};
}

const Setter kSetters[12] = {
    &FETCompressor::setAttack,      &FETCompressor::setRelease, &FETCompressor::setScHpfSwitch,
    &FETCompressor::setHPF,         &FETCompressor::setRatio,   &FETCompressor::setThreshold,
    &FETCompressor::setChannel,     &FETCompressor::setGain,    &FETCompressor::setLink,
    &FETCompressor::setBlendSwitch, &FETCompressor::setBlend,   &FETCompressor::setPower};

// One long run with controls, material, block size, wiring and the stereo flag
// changing between blocks; each compiled kernel and both builds of the plain
// form see exactly the same calls, each on its own engine.
template <class T>
void compareRun(std::uint64_t seed, int blocks, const std::array<float, 12>& initial) {
  using Kernel = void (*)(FETCompressor&, T**, T**, int, int);
  std::vector<Kernel> kernels{&referenceAtO0, &plain<T>};
  std::vector<std::string> names{"plain -O0", "plain"};
  const std::vector<const fet::KernelSet*> sets = kernelSets();
  std::vector<FETCompressor> engines(2 + sets.size());
  for (size_t j = 0; j < sets.size(); ++j) {
    kernels.push_back(&run<T>);
    names.push_back(sets[j]->name);
    FETEngineAccess::useKernels(engines[2 + j], *sets[j]);
  }
  const float rates[] = {44100.0f, 48000.0f, 96000.0f, 32000.0f};
  const int sizes[] = {1, 3, 64, 65, 999};
  Rng rng(seed);
  auto forAll = [&](auto&& f) {
    for (FETCompressor& e : engines) f(e);
  };
  forAll([&](FETCompressor& e) {
    for (int s = 0; s < 12; ++s) (e.*kSetters[s])(initial[s]);
    e.setSampleRate(rates[seed % 4]);
    e.resume();
  });
  long t = 0;
  int quiet = 0;  // blocks of silence or denormals still to come after a decay
  for (int k = 0; k < blocks; ++k) {
    StereoBlock<T> b(rng.uniform() < 0.03 ? 4096 : sizes[static_cast<int>(rng.uniform() * 5)]);
    const int quietKinds[] = {kSilence, kFloatDenormals, kDoubleDenormals};
    const int kind = quiet-- > 0 ? quietKinds[static_cast<int>(rng.uniform() * 3)]
                                 : static_cast<int>(rng.uniform() * kKinds);
    const int wiring = static_cast<int>(rng.uniform() * int{kWirings});
    const int stereo = rng.uniform() < 0.8 ? 1 : 0;
    fillMaterial(b, kind, rng, t);
    std::vector<StereoBlock<T>> results(engines.size(), b);
    for (size_t j = 0; j < engines.size(); ++j) {
      StereoBlock<T>& r = results[j];
      const bool inPlace = wiring == InPlace || wiring == OneBuffer;
      if (inPlace) r.outL = r.inL, r.outR = r.inR;
      T* out[2] = {r.outL.data(), r.outR.data()};
      T* in[2] = {inPlace ? out[0] : r.inL.data(), inPlace ? out[1] : r.inR.data()};
      if (wiring == OneBuffer) in[1] = out[1] = out[0];
      if (wiring == NullSecondInput) in[1] = nullptr;
      if (wiring == NullSecondOutput) out[1] = nullptr;
      kernels[j](engines[j], in, out, b.frames(), stereo);
    }
    for (size_t j = 1; j < engines.size(); ++j) {
      SCOPED_TRACE(testing::Message() << names[j] << ": seed " << seed << " block " << k << " size "
                                      << b.frames() << " kind " << kind);
      ASSERT_TRUE(sameBits(results[0].outL, results[j].outL) &&
                  sameBits(results[0].outR, results[j].outR));
      const auto x = snapshot(engines[0]), y = snapshot(engines[j]);
      ASSERT_EQ(std::memcmp(x.data(), y.data(), sizeof x), 0);
    }
    if (rng.uniform() < 0.05) {
      const std::uint64_t where = rng.engine();
      forAll([&](FETCompressor& e) {
        Rng same(where);
        decay(e, same);
      });
      quiet = 3;
    }
    // Now and then a control changes, sometimes to an extreme; power goes
    // off rarely and comes back soon.
    if (rng.uniform() < 0.3) {
      const int s = static_cast<int>(rng.uniform() * 12);
      const double u = rng.uniform();
      const float v = u < 0.15 ? 0.0f : u > 0.85 ? 1.0f : static_cast<float>(rng.uniform());
      if (s != 11 || rng.uniform() < 0.3) forAll([&](FETCompressor& e) { (e.*kSetters[s])(v); });
    }
    if (engines[0].getControls().power == 0 && rng.uniform() < 0.5)
      forAll([](FETCompressor& e) { e.setPower(1.0f); });
    if (rng.uniform() < 0.02) forAll([](FETCompressor& e) { e.suspend(), e.resume(); });
  }
}

// Two paired float roundings, the shape GCC 12's SLP vectoriser compiles
// without the roundings. Kept out of line so the optimiser sees only this.
[[gnu::noinline]] void pairedRoundings(const double* x, double gain, double* out) {
  using P = fet::SinglePrecision;
  const double y[2] = {P::round(0.7 * x[0]), P::round(0.3 * x[1])};
  for (int c = 0; c < 2; ++c) out[c] = P::round(y[c] * gain);
}

// The kernels' other shapes of rounding: a loop over interleaved lanes (the
// loop vectoriser's shape) and an explicit vector round trip through float.
[[gnu::noinline]] void roundedLoop(const double* y, const double* gain, double* out, int n) {
  for (int j = 0; j < n; ++j) out[j] = fet::SinglePrecision::round(y[j] * gain[j / 2]);
}
[[gnu::noinline]] void roundedVector(const double* x, double* out) {
  using Pair = double __attribute__((vector_size(16)));
  using Floats = float __attribute__((vector_size(8)));
  const Pair v = Pair{x[0], x[1]} * 0.7;
  const Pair r = __builtin_convertvector(__builtin_convertvector(v, Floats), Pair);
  out[0] = r[0], out[1] = r[1];
}

// Guards the compiler flags of the engine: every rounding to float must stay.
TEST(FETCompilerCanary, PairedRoundingsToFloatSurvive) {
  static volatile double input[3] = {0.1, 0.2, 4.5};  // opaque to the optimiser
  const double x[2] = {input[0], input[1]};
  double out[2];
  pairedRoundings(x, input[2], out);
  EXPECT_EQ(out[0], static_cast<float>(static_cast<float>(0.7 * x[0]) * 4.5));
  EXPECT_EQ(out[1], static_cast<float>(static_cast<float>(0.3 * x[1]) * 4.5));
  roundedVector(x, out);
  EXPECT_EQ(out[0], static_cast<float>(0.7 * x[0]));
  EXPECT_EQ(out[1], static_cast<float>(0.7 * x[1]));
  double y[16], gain[8], looped[16];
  for (int j = 0; j < 16; ++j) y[j] = input[j % 2] * (j + 1), gain[j / 2] = input[2] + j;
  roundedLoop(y, gain, looped, 16);
  for (int j = 0; j < 16; ++j) EXPECT_EQ(looped[j], static_cast<float>(y[j] * gain[j / 2])) << j;
}

template <class T>
class FETExactness : public ::testing::Test {};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(FETExactness, SampleTypes);

// Every combination of channel mode, link, side-chain switch and blend switch;
// then middle settings, ratio 0 with the fastest times and the heaviest
// compression, each with long runs of random control changes. Settings in
// kSetters order: attack, release, sc switch, sc hpf, ratio, threshold,
// channel, makeup, link, blend switch, blend, power.
TYPED_TEST(FETExactness, EveryModeAndRandomControlChanges) {
  for (int i = 0; i < 24; ++i) {
    const float channel = 0.5f * (i % 3), link = (i / 3) % 2, sc = (i / 6) % 2, blend = i / 12;
    compareRun<TypeParam>(
        i + 1, 25, {0.3f, 0.6f, sc, 0.4f, 0.7f, 0.2f, channel, 0.45f, link, blend, 0.35f, 1});
  }
  for (int seed = 100; seed < 112; ++seed)
    compareRun<TypeParam>(seed, 250,
                          {0.5f, 0.5f, 0, 0.5f, 0.5f, 0.625f, 0.5f, 0.375f, 1, 0, 0.75f, 1});
  compareRun<TypeParam>(500, 150, {0, 0, 1, 1, 0, 0, 0.5f, 0.9f, 1, 1, 0.5f, 1});
  compareRun<TypeParam>(501, 150, {0, 1, 1, 0.2f, 1, 0, 0.5f, 0.8f, 1, 1, 0.9f, 1});
}

// Hosts may run the audio thread with denormals flushed to zero and read as
// zero; the kernels must still match the plain form run the same way.
TYPED_TEST(FETExactness, DenormalsFlushedByTheCaller) {
  const unsigned saved = _mm_getcsr();
  _mm_setcsr(saved | 0x8040);  // flush to zero, denormals are zero
  for (int seed = 600; seed < 604; ++seed)
    compareRun<TypeParam>(seed, 120, {0, 0, 1, 0.3f, 1, 0.1f, 0.5f, 0.5f, 1, 0, 0.5f, 1});
  _mm_setcsr(saved);
}

}  // namespace
