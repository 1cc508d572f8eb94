// Properties of the engine's formulas, measured on the real engine: the output
// stage has no step at its small-signal branch, the envelopes decay at the rate
// the attack and release times set, attack and release order as they should,
// and the side-chain high-pass has its -3 dB point where its coefficient puts it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "FETCompressor.h"

namespace {

constexpr double kB = 0.1091012;  // base of every one-pole rate: k = 1 - kB^(rate / fs)

using Setter = void (FETCompressor::*)(float);
using Controls = std::vector<std::pair<Setter, float>>;

std::unique_ptr<FETCompressor> engineWith(const Controls& controls, float rate = 44100.0f) {
  auto e = std::make_unique<FETCompressor>();
  for (const auto& [set, v] : controls) ((*e).*set)(v);
  e->setSampleRate(rate);
  e->resume();
  return e;
}

// One stereo block of double samples, processed in place.
void process(FETCompressor& e, std::vector<double>& l, std::vector<double>& r) {
  double* io[2] = {l.data(), r.data()};
  e.processDoubleReplacing(io, io, static_cast<int>(l.size()), 1);
}

// One stereo sample; returns the outputs.
std::pair<double, double> processOne(FETCompressor& e, double l, double r) {
  std::vector<double> bl{l}, br{r};
  process(e, bl, br);
  return {bl[0], br[0]};
}

// Feeds n samples of a sine (amplitude amp, frequency f Hz) to both channels.
void sine(FETCompressor& e, int n, double amp, double f, double rate = 44100) {
  std::vector<double> l(n), r(n);
  for (int i = 0; i < n; ++i) l[i] = r[i] = amp * std::sin(2 * std::numbers::pi * f * i / rate);
  process(e, l, r);
}

double leftEnvelope(const FETCompressor& e) { return e.getRunningState().envelope[0]; }

// With blend on at 0 the mix is the dry input, so each output is F(w) times the
// input, w being the output stage's running average. A small DC input walks w
// from 0 past +-0.0001 on either side: F must not step there.
TEST(EngineLaws, OutputStageMeetsItsSmallSignalBranchWithoutAStep) {
  auto e = engineWith({{&FETCompressor::setBlendSwitch, 1}, {&FETCompressor::setBlend, 0}});
  const double dc = 3e-4;
  int beyond[2] = {0, 0};
  for (int i = 0; i < 2000; ++i) {
    const auto [l, r] = processOne(*e, dc, -dc);
    const double f[2] = {l / dc, r / -dc};
    for (int c = 0; c < 2; ++c) {
      const double w = std::fabs(e->getRunningState().outState[c]);
      if (w <= 1e-4) {
        ASSERT_EQ(f[c], 1.0) << "channel " << c << " sample " << i;
      } else if (w < 2e-4) {
        // Both branches tend to 1 as w -> 0: 1 - (2.83 w)^2 / 3 and 1 - (4 w)^2 / 3.
        ASSERT_NEAR(f[c], 1.0, 1e-6) << "channel " << c << " sample " << i << " w " << w;
        ASSERT_LT(f[c], 1.0);
        ++beyond[c];
      }
    }
  }
  EXPECT_GT(beyond[0], 10);
  EXPECT_GT(beyond[1], 10);
}

// Below the threshold (and in silence) the envelope step never rises, it only
// decays by the release coefficient twice per sample: by kB^2 over every
// 0.5 * attack + 6 * release seconds.
TEST(EngineLaws, BelowThresholdEnvelopesDecayAtTheAttackAndReleaseRate) {
  struct Row {
    float attack, release, level;  // level: input peak as a share of the threshold
  };
  const Row rows[] = {{0, 1, 0}, {1, 0, 0.9f}, {0.5f, 0.2f, 0.9f}, {0.2f, 0.7f, 0}, {1, 1, 0.5f}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "attack " << row.attack << " release " << row.release);
    // Ratio 1 and threshold 1 give a detector product of 64 * 0.25 * |x|: the
    // threshold sits at |x| = 1/16. The side-chain filter is off, so d = x.
    auto e = engineWith({{&FETCompressor::setAttack, row.attack},
                         {&FETCompressor::setRelease, row.release},
                         {&FETCompressor::setRatio, 1},
                         {&FETCompressor::setThreshold, 1},
                         {&FETCompressor::setScHpfSwitch, 0}});
    const double before = leftEnvelope(*e);
    const int n = 3000;
    sine(*e, n, row.level / 16.0, 441.0);
    const double seconds =
        0.5 * 0.001 * std::pow(500.0, row.attack) + 6.0 * 0.005 * std::pow(100.0, row.release);
    const double expected = before * std::pow(kB, 2.0 * n / (seconds * 44100.0));
    EXPECT_NEAR(leftEnvelope(*e) / expected, 1.0, 1e-9);
  }
}

// Envelope after `burst` samples of a loud tone and then `silence` samples.
std::pair<double, double> envelopeAfterBurst(Setter set, float v, int burst, int silence) {
  auto e = engineWith({{set, v}, {&FETCompressor::setRatio, 1}, {&FETCompressor::setThreshold, 0}});
  sine(*e, burst, 0.5, 441.0);
  const double atEnd = leftEnvelope(*e);
  std::vector<double> l(silence), r(silence);
  process(*e, l, r);
  return {atEnd, leftEnvelope(*e)};
}

TEST(EngineLaws, FasterAttackReducesMoreEarly) {
  double previous = INFINITY;
  for (float attack : {0.0f, 0.25f, 0.5f, 1.0f}) {
    const double env = envelopeAfterBurst(&FETCompressor::setAttack, attack, 132, 0).first;
    EXPECT_LT(env, previous) << "attack " << attack;  // 3 ms into the tone
    previous = env;
  }
}

TEST(EngineLaws, SlowerReleaseRecoversMoreSlowly) {
  double previous = 0;
  for (float release : {0.0f, 0.25f, 0.5f, 1.0f}) {
    const auto [atEnd, later] = envelopeAfterBurst(&FETCompressor::setRelease, release, 4410, 2205);
    const double remaining = later / atEnd;  // share left 50 ms after the tone ends
    EXPECT_GT(remaining, previous) << "release " << release;
    previous = remaining;
  }
}

// The detector hears d = x - s with s += (x - s) k, k = 1 - kB^(fc / fs): a
// one-pole high-pass whose gain a |1 - z^-1| / |1 - a z^-1| (a = 1 - k) is
// 1/sqrt(2) where cos w = (1 - 3a^2) / (2a (1 - 2a)). A sine at that frequency
// must come out of the real side chain 3.01 dB down.
TEST(EngineLaws, SideChainHighPassIsThreeDecibelsDownAtItsCorner) {
  struct Row {
    float amount, rate;
  };
  for (const Row row :
       {Row{0, 44100}, Row{0.5f, 44100}, Row{1, 44100}, Row{0.3f, 96000}, Row{1, 32000}}) {
    SCOPED_TRACE(testing::Message() << "amount " << row.amount << " rate " << row.rate);
    auto e = engineWith({{&FETCompressor::setHPF, row.amount}}, row.rate);
    const double fs = row.rate;
    const double a = std::pow(kB, 12.5 * std::pow(125.0, row.amount) / fs);
    const double w = std::acos((1 - 3 * a * a) / (2 * a * (1 - 2 * a)));
    // Settle for 25 time constants, then fit the detector signal over 4 periods.
    const int settle = static_cast<int>(25.0 / (1.0 - a));
    const int measure = static_cast<int>(4 * 2 * std::numbers::pi / w);
    double ss = 0, sc = 0, cc = 0, ys = 0, yc = 0;
    for (int i = 0; i < settle + measure; ++i) {
      const double s = std::sin(w * i), c = std::cos(w * i), x = 0.5 * s;
      processOne(*e, x, x);
      if (i < settle) continue;
      const double d = x - e->getRunningState().scState[0];
      ss += s * s, sc += s * c, cc += c * c, ys += d * s, yc += d * c;
    }
    // Least-squares amplitude of d at frequency w.
    const double det = ss * cc - sc * sc;
    const double p = (ys * cc - yc * sc) / det, q = (yc * ss - ys * sc) / det;
    const double gainDb = 20 * std::log10(std::hypot(p, q) / 0.5);
    EXPECT_NEAR(gainDb, -3.0103, 0.005);
  }
}

}  // namespace
