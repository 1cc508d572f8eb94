#pragma once

// Second-order recursive filter section (biquad, direct form I) used to smooth
// the gain-reduction meter value. Only the low-pass response is implemented;
// any other response type gives a pass-through section.
class Filter {
public:
  static constexpr int kLowPass = 8;

  // Stores the five settings, zeroes the history and computes the coefficients.
  // sampleRate and q must be positive.
  Filter(double sampleRate, int type, double freq, double q, double gain);

  // Stores the sample rate, limits the corner below half of it and recomputes.
  void setSampleRate(double sr);
  // Stores the corner frequency in Hz and recomputes the coefficients.
  void setFreq(double f);
  // Stores the quality factor and recomputes the coefficients.
  void setQ(double q);
  // Zeroes the input and output history; the coefficients stay.
  void clear();
  // Recomputes the coefficients from the stored settings; the history stays.
  void reset();

  // One filter step: takes one input value, returns one output value.
  double process(double x) {
    x0 = x;
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    y0 = y;
    y2 = y1;
    y1 = y;
    x2 = x1;
    x1 = x;
    return y;
  }

  // Sample rate in Hz as last given.
  double getSampleRate() const { return sampleRate; }
  // Response type code (8 = low-pass).
  int getType() const { return type; }
  // Corner frequency in Hz, as limited by the last coefficient computation.
  double getFreq() const { return freq; }
  // Quality factor.
  double getQ() const { return q; }
  // Gain in dB (unused by the low-pass).
  double getGain() const { return gain; }
  // Normalised denominator coefficients a1, a2 and numerator b0, b1, b2.
  double getA1() const { return a1; }
  double getA2() const { return a2; }  // see getA1
  double getB0() const { return b0; }  // see getA1
  double getB1() const { return b1; }  // see getA1
  double getB2() const { return b2; }  // see getA1
  // Last output value (0 right after clear()).
  double getLastOutput() const { return y0; }

private:
  double sampleRate;
  int type;
  double freq;
  double q;
  double gain;  // dB; kept for completeness, the low-pass does not use it
  double a0 = 1.0;
  double a1 = 0.0, a2 = 0.0;
  double b0 = 1.0, b1 = 0.0, b2 = 0.0;
  double x0 = 0.0, x1 = 0.0, x2 = 0.0;
  double y0 = 0.0, y1 = 0.0, y2 = 0.0;
};
