#include "Filter.h"

#include <cmath>

Filter::Filter(double sampleRate_, int type_, double freq_, double q_, double gain_)
    : sampleRate(sampleRate_), type(type_), freq(freq_), q(q_), gain(gain_) {
  reset();
}

void Filter::setSampleRate(double sr) {
  sampleRate = sr;
  const double limitRate = (sr >= 20000.0 && sr <= 400000.0) ? sr : 44100.0;
  if (freq > 0.499 * limitRate) freq = 0.499 * limitRate;
  reset();
}

void Filter::setFreq(double f) {
  freq = f;
  reset();
}

void Filter::setQ(double q_) {
  q = q_;
  reset();
}

void Filter::clear() {
  x0 = x1 = x2 = 0.0;
  y0 = y1 = y2 = 0.0;
}

void Filter::reset() {
  const double fs = sampleRate;
  if (freq > 0.499 * fs) freq = 0.499 * fs;

  if (type != kLowPass) {
    a0 = 1.0;
    a1 = a2 = 0.0;
    b0 = 1.0;
    b1 = b2 = 0.0;
    return;
  }

  const double f = freq;
  // The (1 - k) term raises the effective Q as the corner nears half the rate.
  const double k = std::pow(f / (0.50001 * fs), 8.0);
  const double w = 6.283185307179586 * f / fs;
  const double cw = std::cos(w);
  const double alpha = std::sin(w) / (2.0 * q * (1.0 - k));
  a0 = 1.0 + alpha;
  a1 = -2.0 * cw / a0;
  a2 = (1.0 - alpha) / a0;
  b0 = 0.5 * (1.0 - cw) / a0;
  b1 = (1.0 - cw) / a0;
  b2 = b0;
}
