#include "DemoSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace zelrender {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kTempo = 174.0;
constexpr int kStepsPerBar = 16;
constexpr double kPeakDbfs = -1.0;

// Small deterministic generator (xorshift64*), uniform in [-1, 1).
class Noise {
public:
  explicit Noise(uint64_t seed) : state_(seed) {}
  double next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    uint64_t bits = (state_ * 0x2545F4914F6CDD1DULL) >> 11;
    return static_cast<double>(bits) * (2.0 / 9007199254740992.0) - 1.0;
  }

private:
  uint64_t state_;
};

// Which instruments play on each sixteenth of a bar (a two-step break).
constexpr bool kKick[kStepsPerBar] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
constexpr bool kSnare[kStepsPerBar] = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1};
constexpr float kHatLevel[kStepsPerBar] = {0.9f, 0.3f, 0.6f, 0.3f, 0.9f, 0.3f, 0.6f, 0.5f,
                                           0.9f, 0.3f, 0.6f, 0.3f, 0.9f, 0.4f, 0.8f, 0.3f};
// Bass note per half bar, in Hz (E1, E1, G1, D1 and so on).
constexpr double kBassNotes[8] = {41.20, 41.20, 49.00, 36.71, 41.20, 55.00, 49.00, 43.65};

struct Voices {
  double kickPhase = 0.0;
  double bassPhase = 0.0;
  double bassFreq = kBassNotes[0];
  double hatLowL = 0.0;
  double hatLowR = 0.0;
  double snareLowL = 0.0;
  double snareLowR = 0.0;
};

}  // namespace

AudioBuffer makeDemoSignal(double sampleRate, double seconds) {
  AudioBuffer out;
  out.channels = 2;
  out.sampleRate = sampleRate;
  const int64_t frames = static_cast<int64_t>(std::llround(sampleRate * seconds));
  out.samples.assign(static_cast<size_t>(frames * 2), 0.0f);

  const double stepSeconds = 60.0 / kTempo / 4.0;
  const double dt = 1.0 / sampleRate;
  Noise noiseL(0x5EED0001ULL);
  Noise noiseR(0x5EED0002ULL);
  Voices v;
  std::vector<double> mix(static_cast<size_t>(frames * 2));

  for (int64_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) * dt;
    const int64_t step = static_cast<int64_t>(t / stepSeconds);
    const int inBar = static_cast<int>(step % kStepsPerBar);
    const double since = t - static_cast<double>(step) * stepSeconds;  // time in this step

    // Kick: a sine falling from 160 Hz towards 45 Hz, with a short click.
    double kick = 0.0;
    if (kKick[inBar]) {
      if (since < dt) v.kickPhase = 0.0;
      double freq = 45.0 + 115.0 * std::exp(-since / 0.035);
      v.kickPhase += kTwoPi * freq * dt;
      kick = std::sin(v.kickPhase) * std::exp(-since / 0.22) + 0.3 * std::exp(-since / 0.002);
    }

    // Snare: a 190 Hz / 330 Hz body and bright noise, decorrelated left and right.
    const double nL = noiseL.next();
    const double nR = noiseR.next();
    double snareL = 0.0;
    double snareR = 0.0;
    if (kSnare[inBar]) {
      double level = inBar == 15 ? 0.35 : 1.0;  // ghost note before the bar line
      double body = (std::sin(kTwoPi * 190.0 * since) + 0.5 * std::sin(kTwoPi * 330.0 * since)) *
                    std::exp(-since / 0.06);
      double tail = std::exp(-since / 0.13);
      v.snareLowL += 0.25 * (nL - v.snareLowL);
      v.snareLowR += 0.25 * (nR - v.snareLowR);
      snareL = level * (0.6 * body + 0.8 * (nL - v.snareLowL) * tail);
      snareR = level * (0.6 * body + 0.8 * (nR - v.snareLowR) * tail);
    }

    // Hats: high-passed noise, closed except an open hat on the 15th sixteenth, panned apart.
    double decay = inBar == 14 ? 0.12 : 0.025;
    double hatEnv = kHatLevel[inBar] * std::exp(-since / decay);
    v.hatLowL += 0.6 * (nL - v.hatLowL);
    v.hatLowR += 0.6 * (nR - v.hatLowR);
    double hatL = (nL - v.hatLowL) * hatEnv * 0.35;
    double hatR = (nR - v.hatLowR) * hatEnv * 0.35;
    double pan = (step % 2 == 0) ? 0.3 : -0.3;

    // Sub bass: a slightly driven sine that glides between notes, ducked under the kick.
    const int64_t halfBar = step / (kStepsPerBar / 2);
    double target = kBassNotes[halfBar % 8];
    v.bassFreq += (target - v.bassFreq) * 0.002;
    v.bassPhase += kTwoPi * v.bassFreq * dt;
    if (v.bassPhase > kTwoPi) v.bassPhase -= kTwoPi;
    double duck = kKick[inBar] ? 1.0 - std::exp(-since / 0.05) : 1.0;
    double bass = std::tanh(1.8 * std::sin(v.bassPhase)) * 0.45 * (0.4 + 0.6 * duck);

    double centre = 0.9 * kick + 0.5 * bass;
    mix[static_cast<size_t>(2 * i)] = centre + 0.55 * snareL + hatL * (1.0 + pan);
    mix[static_cast<size_t>(2 * i + 1)] = centre + 0.55 * snareR + hatR * (1.0 - pan);
  }

  double peak = 0.0;
  for (double s : mix) peak = std::max(peak, std::fabs(s));
  const double gain = peak > 0.0 ? std::pow(10.0, kPeakDbfs / 20.0) / peak : 0.0;
  for (size_t k = 0; k < mix.size(); ++k) out.samples[k] = static_cast<float>(mix[k] * gain);
  return out;
}

}  // namespace zelrender
