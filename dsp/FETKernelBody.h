// The compression kernel for one instruction set (see FETLanes.h); no include
// guard. It runs the plain form's per-sample steps in chunks of frames, pass
// by pass, with every value computed by the same operations in the same order:
//   1. controls and side chain (serial, cheap): smoothers, e and K, x, d;
//   2. feed-forward targets that may be needed, in a row;
//   3. envelopes and meter (serial): the attack half of an envelope step runs
//      only where the bound table cannot rule out a rise;
//   4. make-up and saturation, atan and tanh lanes gathered apart;
//   5. mix and output-stage running average (serial, cheap);
//   6. output-stage shape, its atan and tanh lanes gathered apart.
// Where the float path rounds a libm result to float, vector approximations
// give the exact float and libm runs only where they cannot be sure.
// Results that are known exactly are not recomputed: a repeated target or
// shape argument, a zero saturation input, gains of tiny envelopes, and decay
// steps that cannot change a decayed state.

#include "FETLanes.h"
#include "FETTargetBound.h"
#include "FETVectorMath.h"

namespace fet::ZEL_ISA {

inline constexpr int kChunk = 64;  // frames per pass

// Values the passes hand on for one chunk; pairs are left/right interleaved.
struct Chunk {
  double x[2 * kChunk];        // input as the path sees it
  double d[2 * kChunk];        // detector signal
  double aB[2 * kChunk];       // feed-forward detector product
  double boundB[2 * kChunk];   // table bound on its target
  double targetB[2 * kChunk];  // its target, or NaN where not computed
  double y[2 * kChunk];        // compressed signal
  double sat[2 * kChunk];      // saturated make-up-scaled signal
  double mix[2 * kChunk];      // parallel mix
  double w[2 * kChunk];        // output-stage state after the sample (0: shape 1)
  double out[2 * kChunk];      // output sample
  double e[kChunk];            // ratio exponent
  double k[kChunk];            // detector gain K
  double thr[kChunk];          // thresholdSmoothed
  double makeup[kChunk];       // makeupSmoothed
  double blend[kChunk];        // blendSmoothed
};

// The last target computed for one envelope step, by its arguments' bits.
struct TargetMemo {
  std::uint64_t aBits = ~std::uint64_t{0};  // a NaN pattern: no real argument
  std::uint64_t eBits = ~std::uint64_t{0};
  double value = 0.0;

  double target(double a, double e) {
    const auto ab = std::bit_cast<std::uint64_t>(a), eb = std::bit_cast<std::uint64_t>(e);
    if (ab != aBits || eb != eBits) {
      aBits = ab;
      eBits = eb;
      value = envelopeTarget(a, e);
    }
    return value;
  }
};

// The last result of a one-argument function, by the argument's bits.
struct ValueMemo {
  std::uint64_t argBits = ~std::uint64_t{0};
  double value = 0.0;

  template <class F>
  double of(double v, F f) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    if (bits != argBits) {
      argBits = bits;
      value = f(v);
    }
    return value;
  }
};

// Block constants and the state as it runs.
struct Run {
  Run(const KernelBlock& b, const FETRunningState& state, const Filter& meterFilter,
      TargetBoundTable& boundTable)
      : block(b),
        s(state),
        meter(meterFilter),
        table(boundTable),
        curveBits(std::bit_cast<std::uint32_t>(state.ratioSmoothed)),
        e(ratioExponent(state.ratioSmoothed)),
        k(ratioDetectorGain(state.ratioSmoothed)) {
    // With denormals flushed by the caller's floating-point mode, decayed
    // states behave differently; the skipped decay steps are then all run.
    chunkDecay = 1.0 - b.setup.kRel;
    for (int doubling = 1; doubling < 2 * kChunk; doubling *= 2) chunkDecay *= chunkDecay;
    const bool flushing = denormalsFlushed();
    envStuck = flushing ? -1.0 : vanishingBelow(b.setup.kRel);
    outStuck = flushing ? -1.0 : vanishingBelow(b.setup.kOut);
  }

  KernelBlock block;
  FETRunningState s;
  Filter meter;
  TargetBoundTable& table;
  double meterValue = 0.0;
  std::uint32_t curveBits;  // ratioSmoothed the curve was computed for
  double e;                 // ratio exponent of the curve
  double k;                 // detector gain of the curve
  double chunkDecay;        // about what an envelope keeps over a chunk without rises
  double envStuck;          // envelopes up to this decay to themselves
  double outStuck;          // output-stage states up to this stay with zero input
  TargetMemo memo[2][2];    // per channel: feedback, feed-forward step
  ValueMemo saturation[2];  // positive, negative inputs
  ValueMemo shape[2];       // positive, negative states
};

// Output-stage running average step; with a zero input and a state whose
// product with kOut rounds to zero, the step leaves the state as it is.
inline double outputStep(double w, double in, double kOut, double stuck) {
  if (isZero(in) && std::fabs(w) <= stuck && !(isZero(w) && std::signbit(w))) return w;
  return w + (in - w) * kOut;
}

// Envelope decay, skipped where it cannot change the envelope.
inline double decayStep(double env, double kRel, double stuck) {
  return env > stuck ? envelopeDecay(env, kRel) : env;
}

// True when no control smoother will move: each update would give its own
// value back, and as an update depends on nothing else, so would every later
// one.
inline bool controlsAtRest(const Run& r) {
  const FETRunningState& s = r.s;
  const BlockSetup& b = r.block.setup;
  const double rs = s.ratioSmoothed;
  const float ratio = flushFast(rs + (r.block.ratio - rs) * b.kSm);
  auto still = [&b](double v, double target) {
    return std::bit_cast<std::uint64_t>(v + (target - v) * b.kSm) ==
           std::bit_cast<std::uint64_t>(v);
  };
  return std::bit_cast<std::uint32_t>(ratio) == std::bit_cast<std::uint32_t>(s.ratioSmoothed) &&
         still(s.thresholdSmoothed, r.block.thresholdTarget) &&
         still(s.makeupSmoothed, r.block.makeupTarget) && still(s.blendSmoothed, b.blendTarget);
}

// 1. Controls and side chain for n frames; with the controls at rest only the
// side chain moves.
template <class P, bool AtRest>
void controlsAndSideChain(Run& r, const typename P::Sample* inL, const typename P::Sample* inR,
                          int n, Chunk& c) {
  FETRunningState& s = r.s;
  const BlockSetup& b = r.block.setup;
  for (int i = 0; i < n; ++i) {
    if constexpr (!AtRest) {
      s.ratioSmoothed = flushFast(static_cast<double>(s.ratioSmoothed) +
                                  (r.block.ratio - static_cast<double>(s.ratioSmoothed)) * b.kSm);
      const std::uint32_t bits = std::bit_cast<std::uint32_t>(s.ratioSmoothed);
      if (bits != r.curveBits) {
        r.curveBits = bits;
        r.e = ratioExponent(s.ratioSmoothed);
        r.k = ratioDetectorGain(s.ratioSmoothed);
      }
      s.thresholdSmoothed += (r.block.thresholdTarget - s.thresholdSmoothed) * b.kSm;
      s.makeupSmoothed += (r.block.makeupTarget - s.makeupSmoothed) * b.kSm;
      s.blendSmoothed += (b.blendTarget - s.blendSmoothed) * b.kSm;
    }
    const double x[2] = {sanitizeInput(inL[i]), sanitizeInput(inR[i])};
    for (int ch = 0; ch < 2; ++ch) {
      const int j = 2 * i + ch;
      const double sc = s.scState[ch];
      s.scState[ch] = flushFast(sc + (x[ch] - sc) * b.kSc);
      c.x[j] = x[ch];
      c.d[j] = b.sideChainHpf ? x[ch] - static_cast<double>(s.scState[ch]) : x[ch];
      c.aB[j] = std::fabs(c.d[j]) * r.k * s.thresholdSmoothed;
    }
    c.e[i] = r.e;
    c.k[i] = r.k;
    c.thr[i] = s.thresholdSmoothed;
    c.makeup[i] = s.makeupSmoothed;
    c.blend[i] = s.blendSmoothed;
  }
}

// Fills bucket j of the table for the current exponent.
[[gnu::noinline]] inline double fillBound(TargetBoundTable& table, int j, double e) {
  return table.store(j, targetUpper(broadcast(TargetBoundTable::upperProduct(j)), broadcast(e))[0]);
}

// Upper bound on the target of detector product a from the table: 0 where
// the target is exactly 0 (a <= 1), +inf beyond the table.
inline double tableBound(double a, double e, TargetBoundTable& table) {
  const double u = a - 1.0;
  if (!(u > 0.0)) return 0.0;
  const int j = TargetBoundTable::bucket(u);
  if (j >= TargetBoundTable::kBuckets) return HUGE_VAL;
  const TargetBoundTable::Entry& entry = table.entries[j];
  return entry.generation == table.generation ? entry.bound : fillBound(table, j, e);
}

// 2. Feed-forward targets for n frames. They do not depend on the envelope,
// so the ones that may be needed are computed here in a row, where their libm
// calls overlap: each lane whose table bound exceeds a rough lower estimate of
// the envelope (its value now, decayed without rises). Elsewhere the target is
// left NaN for the envelope pass to compute should it need it after all. (The
// estimate is only a guess: the envelope pass checks every bound itself.)
inline void feedForwardTargets(Run& r, Chunk& c, int n) {
  const double low[2] = {r.s.envelope[0] * r.chunkDecay, r.s.envelope[1] * r.chunkDecay};
  int lanes[2 * kChunk];
  int count = 0;
  for (int i = 0; i < n; ++i) {
    r.table.useExponent(c.e[i]);
    for (int ch = 0; ch < 2; ++ch) {
      const int j = 2 * i + ch;
      c.boundB[j] = tableBound(c.aB[j], c.e[i], r.table);
      c.targetB[j] = std::numeric_limits<double>::quiet_NaN();
      lanes[count] = j;
      count += !(c.boundB[j] <= low[ch]);
    }
  }
  for (int m = 0; m < count; ++m) {
    const int j = lanes[m];
    c.targetB[j] = r.memo[j & 1][1].target(c.aB[j], c.e[j / 2]);
  }
}

using Pair = double __attribute__((vector_size(16)));
using PairBits = std::int64_t __attribute__((vector_size(16)));
using PairOfFloats = float __attribute__((vector_size(8)));

// gainPair<P, gainLawFast>() with both gain laws in one vector division.
template <class P>
GainPair gains(const double (&env)[2], const BlockSetup& b) {
  GainPair g{1.0, 1.0};
  if (!(env[0] < 0x1p-30 && env[1] < 0x1p-30)) {  // else both are exactly 1
    const Pair v = {env[0], env[1]};
    Pair law = 0.03 / (v * v + 0.03);
    if constexpr (std::is_same_v<P, SinglePrecision>)
      law = __builtin_convertvector(__builtin_convertvector(law, PairOfFloats), Pair);
    const PairBits tiny = v < 0x1p-30;
    law = (Pair)((tiny & (PairBits)(Pair{} + 1.0)) | (~tiny & (PairBits)law));
    g = {law[0], law[1]};
  }
  if (b.linked) g.left = g.right = P::round(std::sqrt(g.left * g.right));
  if (b.mode == 2) g.left = 1.0;
  if (b.mode == 0) g.right = 1.0;
  return g;
}

// 3. Envelopes and meter for n frames.
template <class P>
void envelopesAndMeter(Run& r, Chunk& c, int n) {
  const BlockSetup& b = r.block.setup;
  double env[2] = {r.s.envelope[0], r.s.envelope[1]};
  for (int i = 0; i < n; ++i) {
    const double* d = c.d + 2 * i;
    const double k = c.k[i], thr = c.thr[i], e = c.e[i];
    r.table.useExponent(e);

    const GainPair g1 = gains<P>(env, b);
    r.meterValue = r.meter.process(std::min(g1.left, g1.right));

    // The feedback product is at most the feed-forward one (the gain is at
    // most 1) and the target grows with the product, so the feed-forward bound,
    // known in advance, decides most feedback steps without waiting for g1.
    const double g1c[2] = {g1.left, g1.right};
    for (int ch = 0; ch < 2; ++ch) {
      if (!(c.boundB[2 * i + ch] <= env[ch])) {
        const double a = std::fabs(g1c[ch] * d[ch]) * k * thr;
        if (!(tableBound(a, e, r.table) <= env[ch]))
          env[ch] = envelopeRise(env[ch], r.memo[ch][0].target(a, e), b.hAtt);
      }
      env[ch] = decayStep(env[ch], b.kRel, r.envStuck);
    }

    const GainPair g2 = gains<P>(env, b);
    const double g2c[2] = {g2.left, g2.right};
    for (int ch = 0; ch < 2; ++ch)
      c.y[2 * i + ch] = b.compress[ch] ? P::round(g2c[ch] * c.x[2 * i + ch]) : 0.0;

    for (int ch = 0; ch < 2; ++ch) {
      const int j = 2 * i + ch;
      if (!(c.boundB[j] <= env[ch])) {
        double target = c.targetB[j];
        if (std::isnan(target)) target = r.memo[ch][1].target(c.aB[j], e);
        env[ch] = envelopeRise(env[ch], target, b.hAtt);
      }
      env[ch] = decayStep(env[ch], b.kRel, r.envStuck);
    }
  }
  r.s.envelope[0] = env[0];
  r.s.envelope[1] = env[1];
}

// Arguments of one function gathered from the lanes that need it, so that
// each list runs one function with no data-dependent branch.
struct Gathered {
  int lane[2 * kChunk];
  double arg[2 * kChunk + kLanes];
  double scale[2 * kChunk + kLanes];
  int count = 0;

  void add(bool take, int j, double v, double k) {
    lane[count] = j;
    arg[count] = v;
    scale[count] = k;
    count += take;
  }
};

// out[lane] = f(arg) scale rounded to float for every gathered entry: from
// the vector approximation where that rounds safely, else from `exact`.
template <VecD (*approx)(VecD), class Exact>
void roundGathered(Gathered& g, double* out, Exact exact) {
  for (int m = g.count; m < g.count + kLanes; ++m) g.arg[m] = g.scale[m] = 1.0;
  double value[2 * kChunk + kLanes];
  std::int64_t safe[2 * kChunk + kLanes];
  for (int m = 0; m < g.count; m += kLanes) {
    const VecD v = approx(load(g.arg + m)) * load(g.scale + m);
    store(value + m, roundedToFloat(v));
    const VecI ok = roundsAlike(v);
    std::memcpy(safe + m, &ok, sizeof ok);
  }
  for (int m = 0; m < g.count; ++m)
    out[g.lane[m]] = safe[m] != 0 ? value[m] : exact(g.arg[m], g.scale[m]);
}

// 4. Make-up and saturation for n frames: positive inputs through atan,
// negative ones through tanh, list by list; saturate(+-0) = 10 tanh(+-0) =
// +-0 exactly, so zero inputs need no call.
template <class P>
void saturation(Run& r, Chunk& c, int n) {
  Gathered positive, negative;
  for (int j = 0; j < 2 * n; ++j) {
    const double s = P::round(c.y[j] * c.makeup[j / 2]);
    c.sat[j] = s;
    positive.add(s > 0.0, j, s, 1.0);
    negative.add(s < 0.0, j, s, 1.0);
  }
  if constexpr (std::is_same_v<P, SinglePrecision>) {
    auto exact = [](ValueMemo& memo) {
      return [&memo](double s, double) {
        return memo.of(s, [](double v) { return P::round(saturate(v)); });
      };
    };
    roundGathered<saturateAbove>(positive, c.sat, exact(r.saturation[0]));
    roundGathered<saturateBelow>(negative, c.sat, exact(r.saturation[1]));
  } else {
    Gathered* lists[2] = {&positive, &negative};
    for (int sign = 0; sign < 2; ++sign)
      for (int m = 0; m < lists[sign]->count; ++m)
        c.sat[lists[sign]->lane[m]] =
            r.saturation[sign].of(lists[sign]->arg[m], [](double v) { return saturate(v); });
  }
}

// 5. Parallel mix and output-stage running average for n frames.
template <class P>
void mixAndAverage(Run& r, Chunk& c, int n) {
  const BlockSetup& b = r.block.setup;
  double w[2] = {r.s.outState[0], r.s.outState[1]};
  for (int i = 0; i < n; ++i)
    for (int ch = 0; ch < 2; ++ch) {
      const int j = 2 * i + ch;
      const double x = c.x[j];
      const double mix = b.compress[ch] ? (1.0 - c.blend[i]) * x + c.blend[i] * c.sat[j] : x;
      w[ch] = outputStep(w[ch], mix, b.kOut, r.outStuck);
      c.mix[j] = mix;
      c.w[j] = b.compress[ch] ? w[ch] : 0.0;  // the other channel passes x: shape 1
    }
  r.s.outState[0] = w[0];
  r.s.outState[1] = w[1];
}

// 6. Output-stage shape for n frames and the output, right first, then left.
template <class P>
void shapeAndOutput(Run& r, Chunk& c, int n, typename P::Sample* outL, typename P::Sample* outR) {
  using Sample = typename P::Sample;
  Gathered above, below;  // states above 0.0001, below -0.0001
  for (int j = 0; j < 2 * n; ++j) {
    const double w = c.w[j];
    c.out[j] = c.mix[j];  // shape 1 near zero
    above.add(w > 0.0001, j, w, c.mix[j]);
    below.add(w < -0.0001, j, w, c.mix[j]);
  }
  if constexpr (std::is_same_v<P, SinglePrecision>) {
    auto exact = [](ValueMemo& memo) {
      return [&memo](double w, double mix) { return P::round(memo.of(w, outputShape) * mix); };
    };
    roundGathered<shapeAbove>(above, c.out, exact(r.shape[0]));
    roundGathered<shapeBelow>(below, c.out, exact(r.shape[1]));
  } else {
    Gathered* lists[2] = {&above, &below};
    for (int side = 0; side < 2; ++side)
      for (int m = 0; m < lists[side]->count; ++m)
        c.out[lists[side]->lane[m]] =
            r.shape[side].of(lists[side]->arg[m], outputShape) * lists[side]->scale[m];
  }
  for (int i = 0; i < n; ++i) {
    outR[i] = static_cast<Sample>(c.out[2 * i + 1]);
    outL[i] = static_cast<Sample>(c.out[2 * i]);
  }
}

template <class P>
double compress(const KernelBlock& block, FETRunningState& state, Filter& meter,
                TargetBoundTable& table, const typename P::Sample* inL,
                const typename P::Sample* inR, typename P::Sample* outL, typename P::Sample* outR,
                int frames) {
  Run r(block, state, meter, table);
  Chunk c;
  for (int start = 0; start < frames; start += kChunk) {
    const int n = frames - start < kChunk ? frames - start : kChunk;
    if (controlsAtRest(r))
      controlsAndSideChain<P, true>(r, inL + start, inR + start, n, c);
    else
      controlsAndSideChain<P, false>(r, inL + start, inR + start, n, c);
    feedForwardTargets(r, c, n);
    envelopesAndMeter<P>(r, c, n);
    saturation<P>(r, c, n);
    mixAndAverage<P>(r, c, n);
    shapeAndOutput<P>(r, c, n, outL + start, outR + start);
  }
  state = r.s;
  meter = r.meter;
  return r.meterValue;
}

double compressFloat(const KernelBlock& block, FETRunningState& state, Filter& meter,
                     TargetBoundTable& table, const float* inL, const float* inR, float* outL,
                     float* outR, int frames) {
  return compress<SinglePrecision>(block, state, meter, table, inL, inR, outL, outR, frames);
}

double compressDouble(const KernelBlock& block, FETRunningState& state, Filter& meter,
                      TargetBoundTable& table, const double* inL, const double* inR, double* outL,
                      double* outR, int frames) {
  return compress<DoublePrecision>(block, state, meter, table, inL, inR, outL, outR, frames);
}

double targetBound(double a, double e) { return targetUpper(broadcast(a), broadcast(e))[0]; }
double atanOne(double t) { return atanApprox(broadcast(t))[0]; }
double tanhOne(double t) { return tanhApprox(broadcast(t))[0]; }

}  // namespace fet::ZEL_ISA
