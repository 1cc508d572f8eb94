// The compression kernel's first three passes: controls and side chain,
// feed-forward targets, envelopes and meter. Included once per instruction set
// (see FETLanes.h); no include guard.

namespace fet::ZEL_ISA {

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

// 1. Controls and side chain for n frames, with the feed-forward detector
// products and their table bounds; with the controls at rest only the side
// chain moves. Lanes whose bound exceeds a rough lower estimate of the
// envelope (its value now, decayed without rises) are listed for pass 2.
template <class P, bool AtRest>
void controlsAndSideChain(Run& r, const typename P::Sample* inL, const typename P::Sample* inR,
                          int n, Chunk& c) {
  // The state in locals: stores to the chunk cannot then force reloads.
  const BlockSetup b = r.block.setup;
  float ratio = r.s.ratioSmoothed;
  float sc[2] = {r.s.scState[0], r.s.scState[1]};
  double thr = r.s.thresholdSmoothed, makeup = r.s.makeupSmoothed, blend = r.s.blendSmoothed;
  double e = r.e, k = r.k;
  TargetBoundTable& table = r.table;
  table.useExponent(e);
  const double low[2] = {r.s.envelope[0] * r.chunkDecay, r.s.envelope[1] * r.chunkDecay};
  c.pending = 0;
  for (int i = 0; i < n; ++i) {
    if constexpr (!AtRest) {
      ratio = flushFast(static_cast<double>(ratio) +
                        (r.block.ratio - static_cast<double>(ratio)) * b.kSm);
      const std::uint32_t bits = std::bit_cast<std::uint32_t>(ratio);
      if (bits != r.curveBits) {
        r.curveBits = bits;
        e = ratioExponent(ratio);
        k = ratioDetectorGain(ratio);
      }
      thr += (r.block.thresholdTarget - thr) * b.kSm;
      makeup += (r.block.makeupTarget - makeup) * b.kSm;
      blend += (b.blendTarget - blend) * b.kSm;
      table.useExponent(e);
    }
    const double x[2] = {sanitizeInput(inL[i]), sanitizeInput(inR[i])};
    for (int ch = 0; ch < 2; ++ch) {
      const int j = 2 * i + ch;
      sc[ch] =
          flushFast(static_cast<double>(sc[ch]) + (x[ch] - static_cast<double>(sc[ch])) * b.kSc);
      const double d = b.sideChainHpf ? x[ch] - static_cast<double>(sc[ch]) : x[ch];
      c.x[j] = x[ch];
      c.d[j] = d;
      c.aB[j] = std::fabs(d) * k * thr;
      c.boundB[j] = tableBound(c.aB[j], e, table);
      c.targetB[j] = std::numeric_limits<double>::quiet_NaN();
      c.pendingLanes[c.pending] = j;
      c.pending += !(c.boundB[j] <= low[ch]);
    }
    c.e[i] = e;
    c.k[i] = k;
    c.thr[i] = thr;
    c.makeup[i] = makeup;
    c.blend[i] = blend;
  }
  r.s.ratioSmoothed = ratio;
  r.s.scState[0] = sc[0];
  r.s.scState[1] = sc[1];
  r.s.thresholdSmoothed = thr;
  r.s.makeupSmoothed = makeup;
  r.s.blendSmoothed = blend;
  r.e = e;
  r.k = k;
}

// 2. Feed-forward targets of the listed lanes. They do not depend on the
// envelope, so they are computed here in a row, where their libm calls
// overlap. The others stay NaN for the envelope pass to compute should it need
// them after all (the estimate is a guess: pass 3 checks every bound itself).
inline void feedForwardTargets(Run& r, Chunk& c) {
  for (int m = 0; m < c.pending; ++m) {
    const int j = c.pendingLanes[m];
    c.targetB[j] = r.memo[j & 1][1].target(c.aB[j], c.e[j / 2]);
  }
}

using Pair = double __attribute__((vector_size(16)));
using PairBits = std::int64_t __attribute__((vector_size(16)));
using PairOfFloats = float __attribute__((vector_size(8)));

// gainPair<P>() with both gain laws in one vector division. Below 2^-30,
// env^2 is under half an ulp of 0.03, so the sum rounds to 0.03 and the gain is
// exactly 1; decayed, subnormal envelopes thus never reach the multiply.
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
  const BlockSetup b = r.block.setup;
  Filter meter = r.meter;  // in locals, as above
  double meterValue = r.meterValue;
  double env[2] = {r.s.envelope[0], r.s.envelope[1]};
  for (int i = 0; i < n; ++i) {
    const double* d = c.d + 2 * i;
    const double k = c.k[i], thr = c.thr[i], e = c.e[i];
    r.table.useExponent(e);

    const GainPair g1 = gains<P>(env, b);
    meterValue = meter.process(std::min(g1.left, g1.right));

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
  r.meter = meter;
  r.meterValue = meterValue;
}

}  // namespace fet::ZEL_ISA
