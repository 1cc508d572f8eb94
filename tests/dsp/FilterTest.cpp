#include "Filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {

// The meter filter as the engine sets it up at resume: its step response
// follows the difference equation, overshoots, settles at 1, and the gain at
// the 3 Hz corner is Q.
TEST(Filter, MeterStepResponseFollowsDifferenceEquationAndOvershoots) {
  Filter f(44100.0, Filter::kLowPass, 5.0, 0.65, 0.0);
  f.setSampleRate(44100.0);
  f.setFreq(3.0);
  f.setQ(0.8765);
  f.clear();
  f.reset();
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0, peak = 0;
  for (int n = 0; n < 5 * 44100; ++n) {
    const double expected =
        f.getB0() + f.getB1() * x1 + f.getB2() * x2 - f.getA1() * y1 - f.getA2() * y2;
    x2 = x1, x1 = 1.0, y2 = y1, y1 = expected;
    ASSERT_EQ(f.process(1.0), expected) << "sample " << n;
    peak = std::max(peak, expected);
  }
  // Second-order step overshoot exp(-pi z / sqrt(1 - z^2)) with z = 1 / (2 Q).
  const double z = 1.0 / (2.0 * 0.8765);
  EXPECT_NEAR(peak, 1.0 + std::exp(-std::numbers::pi * z / std::sqrt(1.0 - z * z)), 0.001);
  EXPECT_NEAR(peak, 1.113, 0.001);
  EXPECT_NEAR(y1, 1.0, 1e-6);
  const std::complex<double> z1 = std::polar(1.0, -2.0 * std::numbers::pi * 3.0 / 44100.0);
  const std::complex<double> h =
      (f.getB0() + z1 * (f.getB1() + z1 * f.getB2())) / (1.0 + z1 * (f.getA1() + z1 * f.getA2()));
  EXPECT_NEAR(std::abs(h), 0.8765, 1e-3);
}

}  // namespace
