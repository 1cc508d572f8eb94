// The compression kernel's last two passes: saturation; mix, output stage and
// output. Included once per instruction set (see FETLanes.h); no include
// guard.

namespace fet::ZEL_ISA {

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
  // Steady input (DC) repeats one entry throughout: round it once.
  int same = 1;
  while (same < g.count &&
         std::bit_cast<std::uint64_t>(g.arg[same]) == std::bit_cast<std::uint64_t>(g.arg[0]) &&
         std::bit_cast<std::uint64_t>(g.scale[same]) == std::bit_cast<std::uint64_t>(g.scale[0]))
    ++same;
  const int count = g.count;
  if (count > 1 && same == count) g.count = 1;
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
  for (int m = g.count; m < count; ++m) out[g.lane[m]] = out[g.lane[0]];
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

// 5. Parallel mix, output-stage running average and shape for n frames, and
// the output, right first, then left. The shape's atan and tanh lanes are
// gathered apart; the channel a mode leaves uncompressed passes x (shape 1).
template <class P>
void mixAndOutput(Run& r, Chunk& c, int n, typename P::Sample* outL, typename P::Sample* outR) {
  using Sample = typename P::Sample;
  const BlockSetup b = r.block.setup;
  const double outStuck = r.outStuck;
  double w[2] = {r.s.outState[0], r.s.outState[1]};
  Gathered above, below;  // states above 0.0001, below -0.0001
  for (int i = 0; i < n; ++i)
    for (int ch = 0; ch < 2; ++ch) {
      const int j = 2 * i + ch;
      const double x = c.x[j];
      const double mix = b.compress[ch] ? (1.0 - c.blend[i]) * x + c.blend[i] * c.sat[j] : x;
      w[ch] = outputStep(w[ch], mix, b.kOut, outStuck);
      c.out[j] = mix;  // shape 1 near zero
      above.add(b.compress[ch] && w[ch] > 0.0001, j, w[ch], mix);
      below.add(b.compress[ch] && w[ch] < -0.0001, j, w[ch], mix);
    }
  r.s.outState[0] = w[0];
  r.s.outState[1] = w[1];
  if constexpr (std::is_same_v<P, SinglePrecision>) {
    auto exact = [](ValueMemo& memo) {
      return [&memo](double v, double mix) { return P::round(memo.of(v, outputShape) * mix); };
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

}  // namespace fet::ZEL_ISA
