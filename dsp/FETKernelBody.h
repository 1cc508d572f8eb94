// The compression kernel for one instruction set (see FETLanes.h); no include
// guard. It runs the plain form's per-sample steps in chunks of frames, pass
// by pass, with every value computed by the same operations in the same order:
//   1. controls and side chain (serial, cheap): smoothers, e and K, x, d;
//   2. envelopes and meter (serial): the attack half of an envelope step runs
//      only where the bound table cannot rule out a rise;
//   3. make-up and saturation, atan and tanh lanes gathered apart;
//   4. mix and output stage.
// Results that are known exactly are not recomputed: a repeated target or
// shape argument, a zero saturation input, gains of tiny envelopes, and decay
// steps that cannot change a decayed state.

#include "FETLanes.h"
#include "FETTargetBound.h"

namespace fet::ZEL_ISA {

inline constexpr int kChunk = 64;  // frames per pass

// Values the passes hand on for one chunk; pairs are left/right interleaved.
struct Chunk {
  double x[2 * kChunk];    // input as the path sees it
  double d[2 * kChunk];    // detector signal
  double y[2 * kChunk];    // compressed signal
  double sat[2 * kChunk];  // saturated make-up-scaled signal
  double e[kChunk];        // ratio exponent
  double k[kChunk];        // detector gain K
  double thr[kChunk];      // thresholdSmoothed
  double makeup[kChunk];   // makeupSmoothed
  double blend[kChunk];    // blendSmoothed
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
  double envStuck;          // envelopes up to this decay to themselves
  double outStuck;          // output-stage states up to this stay with zero input
  TargetMemo memo[2][2];    // per channel: feedback, feed-forward step
  ValueMemo saturation[2];  // positive, negative inputs
  ValueMemo shape[2];       // per channel
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

// 1. Controls and side chain for n frames.
template <class P>
void controlsAndSideChain(Run& r, const typename P::Sample* inL, const typename P::Sample* inR,
                          int n, Chunk& c) {
  FETRunningState& s = r.s;
  const BlockSetup& b = r.block.setup;
  for (int i = 0; i < n; ++i) {
    s.ratioSmoothed = flush(static_cast<double>(s.ratioSmoothed) +
                            (r.block.ratio - static_cast<double>(s.ratioSmoothed)) * b.kSm);
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(s.ratioSmoothed);
    if (bits != r.curveBits) {
      r.curveBits = bits;
      r.e = ratioExponent(s.ratioSmoothed);
      r.k = ratioDetectorGain(s.ratioSmoothed);
    }
    const double x[2] = {sanitizeInput(inL[i]), sanitizeInput(inR[i])};
    for (int ch = 0; ch < 2; ++ch) {
      const double sc = s.scState[ch];
      s.scState[ch] = flush(sc + (x[ch] - sc) * b.kSc);
      c.x[2 * i + ch] = x[ch];
      c.d[2 * i + ch] = b.sideChainHpf ? x[ch] - static_cast<double>(s.scState[ch]) : x[ch];
    }
    s.thresholdSmoothed += (r.block.thresholdTarget - s.thresholdSmoothed) * b.kSm;
    s.makeupSmoothed += (r.block.makeupTarget - s.makeupSmoothed) * b.kSm;
    s.blendSmoothed += (b.blendTarget - s.blendSmoothed) * b.kSm;
    c.e[i] = r.e;
    c.k[i] = r.k;
    c.thr[i] = s.thresholdSmoothed;
    c.makeup[i] = s.makeupSmoothed;
    c.blend[i] = s.blendSmoothed;
  }
}

// Fills bucket j of the table for the current exponent.
[[gnu::noinline]] inline double fillBound(TargetBoundTable& table, int j, double e) {
  TargetBoundTable::Entry& entry = table.entries[j];
  entry.bound = targetUpper(broadcast(TargetBoundTable::upperProduct(j)), broadcast(e))[0];
  entry.generation = table.generation;
  return entry.bound;
}

// Attack half of an envelope step for detector product a: the target runs
// only where the table cannot show that it stays at or below env (a zero
// target, for a <= 1, never rises).
inline double riseStep(double env, double a, double e, double hAtt, TargetBoundTable& table,
                       TargetMemo& memo) {
  const double u = a - 1.0;
  if (!(u > 0.0)) return env;
  const int j = TargetBoundTable::bucket(u);
  if (j < TargetBoundTable::kBuckets) {
    const TargetBoundTable::Entry& entry = table.entries[j];
    const double bound =
        entry.generation == table.generation ? entry.bound : fillBound(table, j, e);
    if (bound <= env) return env;
  }
  return envelopeRise(env, memo.target(a, e), hAtt);
}

// 2. Envelopes and meter for n frames.
template <class P>
void envelopesAndMeter(Run& r, Chunk& c, int n) {
  const BlockSetup& b = r.block.setup;
  double env[2] = {r.s.envelope[0], r.s.envelope[1]};
  for (int i = 0; i < n; ++i) {
    const double* d = c.d + 2 * i;
    const double k = c.k[i], thr = c.thr[i], e = c.e[i];
    r.table.useExponent(e);

    const GainPair g1 = gainPair<P, gainLawFast>(env, b.linked, b.mode);
    r.meterValue = r.meter.process(std::min(g1.left, g1.right));

    const double g1c[2] = {g1.left, g1.right};
    for (int ch = 0; ch < 2; ++ch) {
      const double a = std::fabs(g1c[ch] * d[ch]) * k * thr;
      env[ch] = riseStep(env[ch], a, e, b.hAtt, r.table, r.memo[ch][0]);
      env[ch] = decayStep(env[ch], b.kRel, r.envStuck);
    }

    const GainPair g2 = gainPair<P, gainLawFast>(env, b.linked, b.mode);
    const double g2c[2] = {g2.left, g2.right};
    for (int ch = 0; ch < 2; ++ch)
      c.y[2 * i + ch] = b.compress[ch] ? P::round(g2c[ch] * c.x[2 * i + ch]) : 0.0;

    for (int ch = 0; ch < 2; ++ch) {
      const double a = std::fabs(d[ch]) * k * thr;
      env[ch] = riseStep(env[ch], a, e, b.hAtt, r.table, r.memo[ch][1]);
      env[ch] = decayStep(env[ch], b.kRel, r.envStuck);
    }
  }
  r.s.envelope[0] = env[0];
  r.s.envelope[1] = env[1];
}

// 3. Make-up and saturation for n frames. Positive and negative inputs are
// gathered first and saturated list by list, so that the choice between atan
// and tanh costs no mispredicted branch on noisy material; saturate(+-0) =
// 10 tanh(+-0) = +-0 exactly, so zero inputs need no call.
template <class P>
void saturation(Run& r, Chunk& c, int n) {
  int lists[2][2 * kChunk];
  int counts[2] = {0, 0};
  for (int j = 0; j < 2 * n; ++j) {
    const double s = P::round(c.y[j] * c.makeup[j / 2]);
    c.sat[j] = s;
    lists[0][counts[0]] = j;
    counts[0] += s > 0.0;
    lists[1][counts[1]] = j;
    counts[1] += s < 0.0;
  }
  for (int sign = 0; sign < 2; ++sign)
    for (int m = 0; m < counts[sign]; ++m) {
      const int j = lists[sign][m];
      c.sat[j] = r.saturation[sign].of(c.sat[j], [](double v) { return P::round(saturate(v)); });
    }
}

// 4. Parallel mix and output stage for n frames; right output first, then left.
template <class P>
void outputStage(Run& r, const Chunk& c, int n, typename P::Sample* outL,
                 typename P::Sample* outR) {
  using Sample = typename P::Sample;
  const BlockSetup& b = r.block.setup;
  double w[2] = {r.s.outState[0], r.s.outState[1]};
  for (int i = 0; i < n; ++i) {
    double out[2];
    for (int ch = 0; ch < 2; ++ch) {
      const double x = c.x[2 * i + ch];
      if (b.compress[ch]) {
        const double mix = (1.0 - c.blend[i]) * x + c.blend[i] * c.sat[2 * i + ch];
        w[ch] = outputStep(w[ch], mix, b.kOut, r.outStuck);
        const double f = std::fabs(w[ch]) <= 0.0001 ? 1.0 : r.shape[ch].of(w[ch], outputShape);
        out[ch] = f * mix;
      } else {
        w[ch] = outputStep(w[ch], x, b.kOut, r.outStuck);
        out[ch] = x;
      }
    }
    outR[i] = static_cast<Sample>(out[1]);
    outL[i] = static_cast<Sample>(out[0]);
  }
  r.s.outState[0] = w[0];
  r.s.outState[1] = w[1];
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
    controlsAndSideChain<P>(r, inL + start, inR + start, n, c);
    envelopesAndMeter<P>(r, c, n);
    saturation<P>(r, c, n);
    outputStage<P>(r, c, n, outL + start, outR + start);
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

}  // namespace fet::ZEL_ISA
