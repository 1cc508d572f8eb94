#include "FETCompressor.h"

#include "FETFormulas.h"
#include "FETKernels.h"

#include <cmath>
#include <type_traits>

namespace {

// Normalised value as every setter sees it: NaN or below 0 -> 0, above 1 -> 1.
float clampUnit(float v) {
  if (!(v >= 0.0f)) return 0.0f;
  if (v > 1.0f) return 1.0f;
  return v;
}

// Switch position of a clamped value: truncation of c + 0.5 in single precision.
int switchPosition(float c) { return static_cast<int>(c + 0.5f); }

}  // namespace

FETCompressor::FETCompressor()
    : meterFilter(44100.0, Filter::kLowPass, 5.0, 0.65, 0.0), kernels(&fet::bestKernels()) {
  sampleRate = 44100.0f;
  resetToDefault();
  suspend();
  resume();
  suspend();
}

void FETCompressor::setPower(float v) {
  // Rounded in single precision; anything from 0.5 up (and +inf) is "in".
  const float p = std::trunc(v + 0.5f);
  controls.power = p >= 1.0f ? 1 : 0;
}

void FETCompressor::setAttack(float v) {
  controls.attackTime = 0.001 * std::pow(500.0, static_cast<double>(clampUnit(v)));
}

void FETCompressor::setRelease(float v) {
  controls.releaseTime = 0.005 * std::pow(100.0, static_cast<double>(clampUnit(v)));
}

void FETCompressor::setScHpfSwitch(float v) { controls.scHpfOn = switchPosition(clampUnit(v)); }

void FETCompressor::setHPF(float v) { controls.hpfAmount = clampUnit(v); }

void FETCompressor::setRatio(float v) { controls.ratio = clampUnit(v); }

void FETCompressor::setThreshold(float v) {
  controls.thresholdFactor = 0.25 * std::pow(256.0, 1.0 - static_cast<double>(clampUnit(v)));
}

void FETCompressor::setChannel(float v) {
  controls.channelMode = switchPosition(2.0f * clampUnit(v));
}

void FETCompressor::setGain(float v) {
  controls.makeupGain = 0.25 * std::pow(256.0, static_cast<double>(clampUnit(v)));
}

void FETCompressor::setLink(float v) { controls.link = switchPosition(clampUnit(v)); }

void FETCompressor::setBlendSwitch(float v) {
  controls.blendSwitch = switchPosition(clampUnit(v)) != 0 ? 1.0 : 0.0;
}

void FETCompressor::setBlend(float v) { controls.blend = clampUnit(v); }

void FETCompressor::setSampleRate(float sr) {
  sampleRate = (sr >= 32000.0f && sr <= 400000.0f) ? sr : 44100.0f;
  meterFilter.clear();
  meterFilter.setSampleRate(sampleRate);
}

void FETCompressor::suspend() {
  grValue.store(1.0, std::memory_order_relaxed);
  state.ratioSmoothed = static_cast<float>(controls.ratio);
  state.outState[0] = state.outState[1] = 0.0;
  meterFilter.clear();
  // Not zero: the envelopes start just above rest.
  state.envelope[0] = state.envelope[1] = 0.0001;
}

void FETCompressor::resume() {
  grValue.store(1.0, std::memory_order_relaxed);
  state.scState[0] = state.scState[1] = 0.0f;
  state.makeupSmoothed = controls.makeupGain;
  state.thresholdSmoothed = controls.thresholdFactor;
  state.ratioSmoothed = static_cast<float>(controls.ratio);
  // With blend off the path aims at fully wet, so the output glides in from dry.
  state.blendSmoothed = controls.blendSwitch == 0.0 ? 0.0 : controls.blend;
  meterFilter.setSampleRate(sampleRate);
  meterFilter.setFreq(3.0);
  meterFilter.setQ(0.8765);
  meterFilter.clear();
  meterFilter.reset();
}

void FETCompressor::resetToDefault() { controls = FETControls{}; }

float FETCompressor::getGR() const {
  return static_cast<float>(grValue.load(std::memory_order_relaxed));
}

void FETCompressor::processReplacing(float** inputs, float** outputs, int sampleFrames,
                                     int stereo) {
  process<fet::SinglePrecision>(inputs, outputs, sampleFrames, stereo);
}

void FETCompressor::processDoubleReplacing(double** inputs, double** outputs, int sampleFrames,
                                           int stereo) {
  process<fet::DoublePrecision>(inputs, outputs, sampleFrames, stereo);
}

template <class P>
void FETCompressor::process(const typename P::Sample* const* inputs,
                            typename P::Sample* const* outputs, int sampleFrames, int stereo) {
  if (sampleFrames < 1 || inputs == nullptr || outputs == nullptr || inputs[0] == nullptr ||
      outputs[0] == nullptr)
    return;
  const auto* inL = inputs[0];
  const auto* inR = inputs[1] != nullptr ? inputs[1] : inL;
  auto* outL = outputs[0];
  auto* outR = outputs[1] != nullptr ? outputs[1] : outL;
  if (controls.power == 0) {
    bypass<P>(inL, inR, outL, outR, sampleFrames);
    return;
  }
  const fet::KernelBlock block{fet::makeBlockSetup<P>(controls, sampleRate, stereo), controls.ratio,
                               controls.thresholdFactor, controls.makeupGain};
  double meterValue;
  if constexpr (std::is_same_v<P, fet::SinglePrecision>)
    meterValue = kernels->compressFloat(block, state, meterFilter, boundTable, inL, inR, outL, outR,
                                        sampleFrames);
  else
    meterValue = kernels->compressDouble(block, state, meterFilter, boundTable, inL, inR, outL,
                                         outR, sampleFrames);
  grValue.store(meterValue, std::memory_order_relaxed);
}

// Bypass: copies right then left unchanged (double samples pass through float)
// while the meter glides back to 1.
template <class P>
void FETCompressor::bypass(const typename P::Sample* inL, const typename P::Sample* inR,
                           typename P::Sample* outL, typename P::Sample* outR, int sampleFrames) {
  using Sample = typename P::Sample;
  Filter meter = meterFilter;
  double meterValue = 0.0;
  for (int i = 0; i < sampleFrames; ++i) {
    outR[i] = static_cast<Sample>(static_cast<float>(inR[i]));
    outL[i] = static_cast<Sample>(static_cast<float>(inL[i]));
    meterValue = meter.process(1.0);
  }
  meterFilter = meter;
  grValue.store(meterValue, std::memory_order_relaxed);
}
