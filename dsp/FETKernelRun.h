// The state one call of the compression kernel carries through its passes:
// block constants, running state, per-chunk values and the memos of repeated
// results. Included once per instruction set (see FETLanes.h); no include
// guard.

namespace fet::ZEL_ISA {

inline constexpr int kChunk = 64;  // frames per pass

// Values the passes hand on for one chunk; pairs are left/right interleaved.
struct Chunk {
  double x[2 * kChunk];          // input as the path sees it
  double d[2 * kChunk];          // detector signal
  double aB[2 * kChunk];         // feed-forward detector product
  double boundB[2 * kChunk];     // table bound on its target
  double targetB[2 * kChunk];    // its target, or NaN where not computed
  int pendingLanes[2 * kChunk];  // lanes whose target pass 2 computes
  int pending;
  double y[2 * kChunk];    // compressed signal
  double sat[2 * kChunk];  // saturated make-up-scaled signal
  double out[2 * kChunk];  // output sample
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
    chunkDecay = 1.0 - b.setup.kRel;  // two decay steps a frame
    for (int doubling = 1; doubling < 2 * kChunk; doubling *= 2) chunkDecay *= chunkDecay;
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

}  // namespace fet::ZEL_ISA
