#pragma once

// Plain form of the compressor's audio path: every step in its written order,
// straight on the engine's fields, e and K and the whole envelope step every
// sample, the meter value stored after every double sample. It is slow on
// purpose and exists so the tests and the benchmark can hold the engine's
// optimised kernel against it bit for bit. Not part of the plug-in.

#include "FETCompressor.h"
#include "FETFormulas.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <type_traits>

struct FETCompressorReference {
  // Runs one float block through the plain form on engine's state.
  static void processReplacing(FETCompressor& engine, float** inputs, float** outputs,
                               int sampleFrames, int stereo) {
    process<fet::SinglePrecision>(engine, inputs, outputs, sampleFrames, stereo);
  }

  // Runs one double block through the plain form on engine's state.
  static void processDoubleReplacing(FETCompressor& engine, double** inputs, double** outputs,
                                     int sampleFrames, int stereo) {
    process<fet::DoublePrecision>(engine, inputs, outputs, sampleFrames, stereo);
  }

  // The engine's meter value at full precision (what getGR() rounds).
  static double meterValue(const FETCompressor& engine) {
    return engine.grValue.load(std::memory_order_relaxed);
  }

private:
  template <class P>
  static void process(FETCompressor& en, typename P::Sample** inputs, typename P::Sample** outputs,
                      int sampleFrames, int stereo) {
    using Sample = typename P::Sample;
    if (sampleFrames < 1 || inputs == nullptr || outputs == nullptr || inputs[0] == nullptr ||
        outputs[0] == nullptr)
      return;
    const Sample* inL = inputs[0];
    const Sample* inR = inputs[1] != nullptr ? inputs[1] : inL;
    Sample* outL = outputs[0];
    Sample* outR = outputs[1] != nullptr ? outputs[1] : outL;

    if (en.controls.power == 0) {
      for (int i = 0; i < sampleFrames; ++i) {
        outR[i] = static_cast<Sample>(static_cast<float>(inR[i]));
        outL[i] = static_cast<Sample>(static_cast<float>(inL[i]));
        en.grValue.store(en.meterFilter.process(1.0), std::memory_order_relaxed);
      }
      return;
    }

    const fet::BlockSetup b = fet::makeBlockSetup<P>(en.controls, en.sampleRate, stereo);
    FETRunningState& s = en.state;
    const FETControls& c = en.controls;
    double meterValue = 0.0;

    for (int i = 0; i < sampleFrames; ++i) {
      // 1. ratio smoother
      s.ratioSmoothed = fet::flush(s.ratioSmoothed + (c.ratio - s.ratioSmoothed) * b.kSm);
      // 2. inputs
      const double x[2] = {fet::sanitizeInput(inL[i]), fet::sanitizeInput(inR[i])};
      // 3. side chain
      double d[2];
      for (int ch = 0; ch < 2; ++ch) {
        s.scState[ch] = fet::flush(s.scState[ch] + (x[ch] - s.scState[ch]) * b.kSc);
        d[ch] = b.sideChainHpf ? x[ch] - s.scState[ch] : x[ch];
      }
      // 4. control smoothers
      s.thresholdSmoothed += (c.thresholdFactor - s.thresholdSmoothed) * b.kSm;
      s.makeupSmoothed += (c.makeupGain - s.makeupSmoothed) * b.kSm;
      s.blendSmoothed += (b.blendTarget - s.blendSmoothed) * b.kSm;
      // 5. ratio curve
      const double r = s.ratioSmoothed;
      const double e = fet::ratioExponent(r);
      const double k = fet::ratioDetectorGain(r);
      // 6.-7. gains before the update feed the meter
      const fet::GainPair g1 = fet::gainPair<P>(s.envelope, b.linked, b.mode);
      meterValue = en.meterFilter.process(std::min(g1.left, g1.right));
      // 8. feedback envelope step
      s.envelope[0] = fet::envelopeStep(
          s.envelope[0], std::fabs(g1.left * d[0]) * k * s.thresholdSmoothed, e, b.hAtt, b.kRel);
      s.envelope[1] = fet::envelopeStep(
          s.envelope[1], std::fabs(g1.right * d[1]) * k * s.thresholdSmoothed, e, b.hAtt, b.kRel);
      // 9.-10. compressed signal
      const fet::GainPair g2 = fet::gainPair<P>(s.envelope, b.linked, b.mode);
      const double y[2] = {P::round(g2.left * x[0]), P::round(g2.right * x[1])};
      // 11. feed-forward envelope step
      for (int ch = 0; ch < 2; ++ch)
        s.envelope[ch] = fet::envelopeStep(
            s.envelope[ch], std::fabs(d[ch]) * k * s.thresholdSmoothed, e, b.hAtt, b.kRel);
      double out[2];
      for (int ch = 0; ch < 2; ++ch) {
        // 12. make-up and saturation
        const double sv = P::round(y[ch] * s.makeupSmoothed);
        const double sat = P::round(fet::saturate(sv));
        // 13. parallel mix
        const double mix =
            b.compress[ch] ? (1.0 - s.blendSmoothed) * x[ch] + s.blendSmoothed * sat : x[ch];
        // 14. output stage
        s.outState[ch] += (mix - s.outState[ch]) * b.kOut;
        out[ch] = b.compress[ch] ? fet::outputShape(s.outState[ch]) * mix : x[ch];
      }
      // 15. right, then left
      outR[i] = static_cast<Sample>(out[1]);
      outL[i] = static_cast<Sample>(out[0]);
      if constexpr (std::is_same_v<Sample, double>)
        en.grValue.store(meterValue, std::memory_order_relaxed);
    }
    if constexpr (!std::is_same_v<Sample, double>)
      en.grValue.store(meterValue, std::memory_order_relaxed);
  }
};
