#include "Filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The meter filter as the engine sets it up at resume.
Filter meterFilterAt(double sampleRate)
{
    Filter f(44100.0, Filter::kLowPass, 5.0, 0.65, 0.0);
    f.setSampleRate(sampleRate);
    f.setFreq(3.0);
    f.setQ(0.8765);
    f.clear();
    f.reset();
    return f;
}

TEST(Filter, LowPassCoefficientsMatchClosedForm)
{
    const Filter f = meterFilterAt(44100.0);
    const double w = 2.0 * std::numbers::pi * 3.0 / 44100.0;
    const double k = std::pow(3.0 / (0.50001 * 44100.0), 8.0);
    const double alpha = std::sin(w) / (2.0 * 0.8765 * (1.0 - k));
    const double a0 = 1.0 + alpha;
    EXPECT_DOUBLE_EQ(f.getA1(), -2.0 * std::cos(w) / a0);
    EXPECT_DOUBLE_EQ(f.getA2(), (1.0 - alpha) / a0);
    EXPECT_DOUBLE_EQ(f.getB0(), 0.5 * (1.0 - std::cos(w)) / a0);
    EXPECT_DOUBLE_EQ(f.getB1(), 2.0 * f.getB0());
    EXPECT_EQ(f.getB2(), f.getB0());
    // Unity gain at 0 Hz.
    EXPECT_NEAR((f.getB0() + f.getB1() + f.getB2()) / (1.0 + f.getA1() + f.getA2()), 1.0, 1e-9);
}

TEST(Filter, StepResponseFollowsDifferenceEquationAndOvershoots)
{
    Filter f = meterFilterAt(44100.0);
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0, peak = 0, y = 0;
    for (int n = 0; n < 5 * 44100; ++n) {
        const double expected =
            f.getB0() * 1.0 + f.getB1() * x1 + f.getB2() * x2 - f.getA1() * y1 - f.getA2() * y2;
        x2 = x1;
        x1 = 1.0;
        y2 = y1;
        y1 = expected;
        y = f.process(1.0);
        ASSERT_EQ(y, expected) << "sample " << n;
        peak = std::max(peak, y);
    }
    // Second-order step overshoot exp(-pi z / sqrt(1 - z^2)) with z = 1 / (2 Q).
    const double z = 1.0 / (2.0 * 0.8765);
    EXPECT_NEAR(peak, 1.0 + std::exp(-std::numbers::pi * z / std::sqrt(1.0 - z * z)), 0.001);
    EXPECT_NEAR(peak, 1.113, 0.001);
    EXPECT_NEAR(y, 1.0, 1e-6);
}

TEST(Filter, CornerIsLimitedBelowHalfTheRate)
{
    Filter f(48000.0, Filter::kLowPass, 30000.0, 0.7, 0.0);
    EXPECT_DOUBLE_EQ(f.getFreq(), 0.499 * 48000.0);
    f.setFreq(1e6);
    EXPECT_DOUBLE_EQ(f.getFreq(), 0.499 * 48000.0);
    f.setFreq(100.0);
    f.setSampleRate(96000.0);
    EXPECT_DOUBLE_EQ(f.getFreq(), 100.0);
    // A rate outside 20 kHz..400 kHz limits against 44.1 kHz first, then the rate itself.
    f.setFreq(40000.0);
    f.setSampleRate(500000.0);
    EXPECT_DOUBLE_EQ(f.getFreq(), 0.499 * 44100.0);
    EXPECT_TRUE(std::isfinite(f.getB0()) && std::isfinite(f.getA1()));
}

TEST(Filter, ResetKeepsHistoryClearZeroesIt)
{
    Filter a = meterFilterAt(48000.0);
    for (int i = 0; i < 1000; ++i) a.process(0.5);
    Filter b = a;
    b.reset();
    for (int i = 0; i < 100; ++i) ASSERT_EQ(a.process(0.25), b.process(0.25));
    b.clear();
    EXPECT_EQ(b.getLastOutput(), 0.0);
    EXPECT_EQ(b.process(0.0), 0.0);
}

TEST(Filter, OtherResponseTypesPassThrough)
{
    Filter f(44100.0, 3, 1000.0, 0.7, 6.0);
    EXPECT_EQ(f.getType(), 3);
    EXPECT_EQ(f.getGain(), 6.0);
    EXPECT_EQ(f.process(0.75), 0.75);
}

} // namespace
