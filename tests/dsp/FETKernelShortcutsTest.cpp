// The shortcuts the kernels take, each checked against what it stands in for:
// the bound on the envelope target, the table of bucket bounds, and the
// approximations of atan and tanh the float path rounds from.

#include "DspTestSupport.h"
#include "FETBoundTable.h"
#include "FETFormulas.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace {

using namespace dsptest;

// The bound is above every target the plain form computes, also for any
// smaller detector product (the feedback step relies on that), and close
// enough to it that the screen decides almost always.
TEST(FETKernelShortcuts, TargetBoundIsAboveTheTargetAndClose) {
  Rng rng(77);
  const double exponents[] = {0.0, 1e-9, 0.001, 0.03, 0.0625, 0.1023, 0.125};
  for (const fet::KernelSet* set : kernelSets()) {
    int loose = 0;
    for (int i = 0; i < 200000; ++i) {
      const double e = i % 8 < 7 ? exponents[i % 8] : 0.125 * rng.uniform();
      // Products just above the threshold, through the working range, to 3e7.
      const double a = i % 3 == 0
                           ? 1.0 + std::ldexp(rng.uniform(), -static_cast<int>(rng.uniform() * 60))
                           : std::pow(10.0, 8.0 * rng.uniform() - 0.5);
      const double target = fet::envelopeTarget(a, e);
      const double bound = set->targetBound(a, e);
      const double below = fet::envelopeTarget(a * (1.0 - std::ldexp(rng.uniform(), -40)), e);
      ASSERT_TRUE(target <= bound && below <= bound)
          << set->name << " a " << a << " e " << e << " target " << target << " bound " << bound;
      if (a - 1.0 <= 0.0 || e == 0.0) {
        ASSERT_EQ(bound, 0.0) << a << " " << e;
      }
      if (a < 1e5 && target > 1e-12 && bound > target * 1.001) ++loose;
    }
    EXPECT_EQ(loose, 0) << set->name;
  }
}

// Every product lies at or below its bucket's upper product, which is at most
// one bucket width (1/128 of an octave of a - 1) above it; stored bounds
// round up.
TEST(FETKernelShortcuts, BoundTableBucketsCoverTheirProducts) {
  using Table = fet::TargetBoundTable;
  Rng rng(5);
  for (int i = 0; i < 200000; ++i) {
    const double a =
        1.0 + std::ldexp(1.0 + rng.uniform(), static_cast<int>(rng.uniform() * 40) - 14);
    const double u = a - 1.0;
    const int j = Table::bucket(u);
    if (u >= Table::kLowest * std::ldexp(1.0, Table::kOctaves)) {
      ASSERT_EQ(j, Table::kBuckets) << a;
      continue;
    }
    ASSERT_TRUE(j >= 0 && j < Table::kBuckets) << a;
    const double top = Table::upperProduct(j);
    ASSERT_LE(a, top) << a << " bucket " << j;
    if (u >= Table::kLowest) {
      ASSERT_LE(top - 1.0, u * (1.0 + 1.0 / 64)) << a << " bucket " << j;
    }
  }
  auto table = std::make_unique<Table>();
  for (double bound : {0.0, 1e-50, 1e-30, 0.1, 0.30000000000000004, 1e30, 1e300, HUGE_VAL})
    EXPECT_GE(static_cast<double>(table->store(7, bound)), bound);
}

// The approximations are within 1e-11 of libm (which is within 2 ulp), far
// inside the 1e-10 the float path allows for.
TEST(FETKernelShortcuts, AtanAndTanhApproximationsAreClose) {
  Rng rng(9);
  for (const fet::KernelSet* set : kernelSets())
    for (int i = 0; i < 300000; ++i) {
      const double t = (i % 2 ? 1.0 : -1.0) *
                       std::ldexp(rng.uniform(), 12 - static_cast<int>(rng.uniform() * 40));
      ASSERT_NEAR(set->atanApprox(t), std::atan(t), 1e-11 * std::fabs(std::atan(t)))
          << set->name << " " << t;
      ASSERT_NEAR(set->tanhApprox(t), std::tanh(t), 1e-11 * std::fabs(std::tanh(t)))
          << set->name << " " << t;
    }
}

// vanishingBelow(k) is the last subnormal whose product with k rounds to
// zero, for the decay coefficients of every rate and time setting.
TEST(FETKernelShortcuts, VanishingThresholdIsExact) {
  Rng rng(3);
  for (int i = 0; i < 20000; ++i) {
    const double k = std::ldexp(1.0 + rng.uniform(), -static_cast<int>(rng.uniform() * 30) - 1);
    const double v = fet::vanishingBelow(k);
    ASSERT_GE(v, 0.0) << k;
    ASSERT_EQ(v * k, 0.0) << k;
    ASSERT_NE(std::nextafter(v, 1.0) * k, 0.0) << k;
  }
  EXPECT_EQ(fet::vanishingBelow(0.0), -1.0);
  EXPECT_EQ(fet::vanishingBelow(1.0), -1.0);
}

// flushFast() gives flush()'s float for every input, around the 2^-28 where
// it stops adding and subtracting, in the denormal range and beyond.
TEST(FETKernelShortcuts, FlushFastMatchesFlush) {
  Rng rng(4);
  for (int i = 0; i < 400000; ++i) {
    double v = std::ldexp(rng.bipolar(), 10 - static_cast<int>(rng.uniform() * 160));
    if (i % 4 == 0) v = std::ldexp(i % 8 ? 1.0 : -1.0, -28) * (1.0 + 1e-7 * rng.bipolar());
    const float a = fet::flush(v), b = fet::flushFast(v);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(a), std::bit_cast<std::uint32_t>(b)) << v;
  }
  for (int x = -32; x <= -24; ++x)
    for (float sign : {1.0f, -1.0f})
      for (float v = sign * std::ldexp(1.0f, x), step = 0; step < 3; ++step) {
        for (float w : {v, std::nextafter(v, 0.0f), std::nextafter(v, 2.0f * v)})
          ASSERT_EQ(std::bit_cast<std::uint32_t>(fet::flush(w)),
                    std::bit_cast<std::uint32_t>(fet::flushFast(w)))
              << w;
        v = std::nextafter(v, 2.0f * v);
      }
}

}  // namespace
