#pragma once

// The compressor's formulas, shared by the engine's kernel and its plain
// reference form. Everything is inline so each kernel is compiled as one loop.

#include "FETState.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace fet {

// Base of every one-pole coefficient: k = 1 - kB^(rate / fs).
inline constexpr double kB = 0.1091012;

// Single-precision form: the marked intermediates are rounded to 32-bit float.
struct SinglePrecision {
  using Sample = float;
  // Rounds v to float and widens it again.
  static double round(double v) { return static_cast<double>(static_cast<float>(v)); }
};

// Double-precision form: no intermediate rounding.
struct DoublePrecision {
  using Sample = double;
  // Leaves v as it is.
  static double round(double v) { return v; }
};

// Rounds to float and turns values too small to matter (below about 1e-23)
// into exact zero, so single-precision states never decay into denormals.
inline float flush(double v) {
  constexpr float kTiny = 1e-16f;
  const float v1 = static_cast<float>(v);
  const float v2 = v1 + kTiny;
  return v2 - kTiny;
}

// flush() without its two float additions where they give v1 back: from
// |v1| = 2^-28 on, 1e-16 is below half the float spacing on either side of v1.
inline float flushFast(double v) {
  const float v1 = static_cast<float>(v);
  return std::fabs(v1) >= 0x1p-28f ? v1 : flush(v);
}

// Input sample as the compression path sees it: anything that is not a finite
// value within float range (NaN, infinities, huge doubles) counts as silence,
// so one bad sample cannot poison the envelopes or the output stage.
inline double sanitizeInput(double x) {
  return std::fabs(x) <= static_cast<double>(FLT_MAX) ? x : 0.0;
}

// Static gain law of one channel: 1 at envelope 0, falling as it grows.
inline double gainLaw(double env) { return 0.03 / (env * env + 0.03); }

// Gains of the left and right channel.
struct GainPair {
  double left;
  double right;
};

// Gain pair from the two envelopes: geometric mean when linked, and 1 for the
// channel the mode leaves uncompressed.
template <class P>
inline GainPair gainPair(const double (&envelope)[2], bool linked, int mode) {
  double gL = P::round(gainLaw(envelope[0]));
  double gR = P::round(gainLaw(envelope[1]));
  if (linked) {
    const double g = P::round(std::sqrt(gL * gR));
    gL = g;
    gR = g;
  }
  if (mode == 2) gL = 1.0;
  if (mode == 0) gR = 1.0;
  return {gL, gR};
}

// Exponent of the ratio curve: 0 at r = 0, 0.125 at r = 1.
inline double ratioExponent(double r) { return (std::pow(3.0, std::pow(r, 0.18)) - 1.0) * 0.0625; }

// Detector gain of the ratio curve: 256 at r = 0, 64 at r = 1.
inline double ratioDetectorGain(double r) { return 64.0 * std::pow(4.0, std::pow(1.0 - r, 1.3)); }

// Target envelope for detector product a (threshold at a = 1) and exponent e.
inline double envelopeTarget(double a, double e) {
  const double u = a - 1.0;
  const double v = std::fabs(u) + u;
  const double p = 1.0 - 10.0 * std::atan(0.05 * v) + 0.5 * v;
  const double q = std::pow(p, e);
  const double z = q - 1.0;
  const double v2 = std::fabs(z) + z;
  return 0.5 * v2 - 0.35 * std::atan(1.4285714285714286 * v2);
}

// Attack half of the envelope step: rises toward target, never falls.
inline double envelopeRise(double env, double target, double hAtt) {
  const double diff = target - env;
  return env + hAtt * (std::fabs(diff) + diff);
}

// Release half of the envelope step: always decays by kRel.
inline double envelopeDecay(double env, double kRel) { return env - env * kRel; }

// Full envelope step for detector product a, exactly as written.
inline double envelopeStep(double env, double a, double e, double hAtt, double kRel) {
  return envelopeDecay(envelopeRise(env, envelopeTarget(a, e), hAtt), kRel);
}

// Asymmetric soft saturation: arc tangent for positive, tanh for the rest.
inline double saturate(double s) {
  return s > 0.0 ? 10.0 * std::atan(0.1 * s) : 10.0 * std::tanh(0.1 * s);
}

// Output-stage gain for running average w (1 near zero, no tiny division).
inline double outputShape(double w) {
  if (w > 0.0001) return 0.35355339059327 * std::tanh(2.82842712474619 * w) / w;
  if (w < -0.0001) return 0.25 * std::atan(4.0 * w) / w;
  return 1.0;
}

// True for +0 and -0 only (by bits, so also where denormals are flushed).
inline bool isZero(double v) { return (std::bit_cast<std::uint64_t>(v) << 1) == 0; }

// Largest v >= 0 whose product with k rounds to zero, so that a decay step
// v - v k (or v + (0 - v) k) leaves v exactly as it is; -1 where k is out of
// the range handled. v = m 2^-1074 and k = K 2^(x - 53) give v k = 0 exactly
// when m K <= 2^(52 - x) (a tie rounds to the even 0).
inline double vanishingBelow(double k) {
  if (!(k >= 0x1p-60 && k < 1.0)) return -1.0;
  int x = 0;
  const double fraction = std::frexp(k, &x);  // k = fraction 2^x, fraction in [0.5, 1)
  const auto K = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  __extension__ using Wide = unsigned __int128;
  const Wide m = (Wide{1} << (52 - x)) / K;
  constexpr std::uint64_t kSubnormals = (std::uint64_t{1} << 52) - 1;
  return std::bit_cast<double>(m < kSubnormals ? static_cast<std::uint64_t>(m) : kSubnormals);
}

// Coefficients and switches fixed for one block.
struct BlockSetup {
  double kRel;         // release coefficient
  double hAtt;         // half the attack coefficient
  double kSm;          // control-smoother coefficient
  double kOut;         // output-stage coefficient
  double kSc;          // side-chain low-pass coefficient
  double blendTarget;  // where blendSmoothed glides to
  int mode;            // effective channel mode
  bool linked;         // geometric-mean gains
  bool compress[2];    // which channels the mode compresses
  bool sideChainHpf;   // detector hears the high-passed signal
};

// Derives the block's coefficients from the controls at block start.
template <class P>
inline BlockSetup makeBlockSetup(const FETControls& c, float sampleRate, int stereo) {
  const double fs = sampleRate;
  BlockSetup b{};
  b.kRel = 1.0 - std::pow(kB, 1.0 / ((0.5 * c.attackTime + 6.0 * c.releaseTime) * fs));
  const double kAtt = 1.0 - std::pow(kB, 8.333333333333334 / (c.attackTime * fs));
  b.hAtt = 0.5 * kAtt;
  b.kSm = P::round(1.0 - std::pow(kB, 100.0 / fs));
  b.kOut = 1.0 - std::pow(kB, 14.0 / fs);
  const double fc = P::round(12.5 * std::pow(125.0, c.hpfAmount));
  b.kSc = P::round(1.0 - std::pow(kB, fc / fs));
  b.blendTarget = c.blendSwitch == 0.0 ? 1.0 : c.blend;
  b.mode = stereo != 0 ? c.channelMode : 0;
  b.linked = b.mode == 1 && c.link == 1;
  b.compress[0] = b.mode != 2;
  b.compress[1] = b.mode != 0;
  b.sideChainHpf = c.scHpfOn == 1;
  return b;
}

}  // namespace fet
