#include "DspTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <thread>

namespace {

using namespace dsptest;

template <class T>
class FETProcess : public ::testing::Test {};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(FETProcess, SampleTypes);

// NaN, infinities and doubles beyond float range give exactly what 0 gives.
TYPED_TEST(FETProcess, NonFiniteInputActsAsZero) {
  using T = TypeParam;
  using L = std::numeric_limits<T>;
  const T huge = static_cast<T>(std::is_same_v<T, double> ? 1e300 : L::infinity());
  for (T bad : {L::quiet_NaN(), L::infinity(), -L::infinity(), huge, -huge}) {
    auto clean = makeEngine(), dirty = makeEngine();
    Rng rng(7);
    StereoBlock<T> a(256);
    for (int k = 0; k < 20; ++k) {
      fillNoise(a, rng, 0.8);
      StereoBlock<T> b = a;
      if (k == 3) a.inL[10] = a.inL[200] = a.inR[200] = 0;
      if (k == 3) b.inL[10] = b.inL[200] = b.inR[200] = bad;
      run(*clean, a);
      run(*dirty, b);
      ASSERT_TRUE(sameBits(a.outL, b.outL) && sameBits(a.outR, b.outR)) << bad << " " << k;
    }
  }
}

// Extreme values as impulse, DC and alternating signal keep the output finite;
// silence afterwards gives exact silence and a meter back at 1.
TYPED_TEST(FETProcess, ExtremeInputThenSilence) {
  using T = TypeParam;
  using L = std::numeric_limits<T>;
  auto e = makeEngine([](FETCompressor& c) {
    c.setThreshold(0);
    c.setGain(1);
    c.setBlendSwitch(1);
  });
  StereoBlock<T> b(128);
  for (T v : {T(1), T(-1), L::min(), L::denorm_min(), -L::denorm_min(), L::quiet_NaN(),
              L::infinity(), -L::infinity(), L::max(), L::lowest(), T(3.4028234e38f)})
    for (int shape = 0; shape < 3; ++shape) {
      for (int i = 0; i < b.frames(); ++i)
        b.inL[i] = b.inR[i] = shape == 0 ? (i == 0 ? v : 0) : shape == 1 || i % 2 ? v : -v;
      run(*e, b);
      for (int i = 0; i < b.frames(); ++i)
        ASSERT_TRUE(std::isfinite(b.outL[i]) && std::isfinite(b.outR[i])) << v << shape;
    }
  StereoBlock<T> silence(512);
  for (int k = 0; k < 2000; ++k) {
    run(*e, silence);
    ASSERT_EQ(std::count(silence.outL.begin(), silence.outL.end(), T(0)), 512);
    ASSERT_EQ(std::count(silence.outR.begin(), silence.outR.end(), T(0)), 512);
  }
  EXPECT_NEAR(e->getGR(), 1.0f, 1e-6f);
  EXPECT_LT(e->getRunningState().envelope[0], 0.0001);
}

// Bypass passes the input through float unchanged (NaN too) while the meter
// rises at the filter's 3 Hz rate, overshoots by at most 11.3 % and settles at 1.
TYPED_TEST(FETProcess, BypassCopiesAndMeterGlidesToOne) {
  using T = TypeParam;
  auto e = makeEngine([](FETCompressor& c) { c.setThreshold(0); });
  StereoBlock<T> b(4410);
  ASSERT_LT(runSine(*e, b, 0.9, 5), 0.5f);
  e->setPower(0);
  b.inL[0] = static_cast<T>(0.1), b.inR[1] = std::numeric_limits<T>::quiet_NaN();
  run(*e, b);
  EXPECT_TRUE(b.outL[0] == static_cast<T>(0.1f) && std::isnan(b.outR[1]));
  EXPECT_EQ(b.outL[7], static_cast<T>(static_cast<float>(b.inL[7])));
  EXPECT_GT(e->getGR(), 0.5f);
  float peak = 0;
  for (int k = 0; k < 30; ++k) run(*e, b), peak = std::max(peak, e->getGR());
  EXPECT_TRUE(peak > 1.02f && peak < 1.114f) << peak;
  EXPECT_NEAR(e->getGR(), 1.0f, 1e-3f);
}

// Left only, right only and stereo = 0 pass the other channel (NaN as 0) through.
TYPED_TEST(FETProcess, ChannelModesLeaveTheOtherChannelUntouched) {
  using T = TypeParam;
  struct Case {
    float channel;
    int stereo;
    bool leftUntouched, rightUntouched;
  };
  for (Case c : {Case{0, 1, false, true},
                 {1, 1, true, false},
                 {0.5f, 0, false, true},
                 {0.5f, 1, false, false}}) {
    auto e = makeEngine([&](FETCompressor& x) {
      x.setChannel(c.channel);
      x.setThreshold(0.1f);
    });
    Rng rng(3);
    StereoBlock<T> b(999);
    for (int k = 0; k < 5; ++k) {
      fillNoise(b, rng, 0.7);
      b.inL[17] = b.inR[17] = std::numeric_limits<T>::quiet_NaN();
      run(*e, b, c.stereo);
      b.inL[17] = b.inR[17] = 0;
      EXPECT_EQ(sameBits(b.inL, b.outL), c.leftUntouched) << c.channel << " " << c.stereo;
      EXPECT_EQ(sameBits(b.inR, b.outR), c.rightUntouched) << c.channel << " " << c.stereo;
    }
  }
}

// A loud left channel pulls the linked gain of a nearly silent right one down.
TYPED_TEST(FETProcess, LinkSharesTheGain) {
  auto rightLevel = [](float link) {
    auto e = makeEngine([&](FETCompressor& c) {
      c.setLink(link);
      c.setThreshold(0.2f);
    });
    StereoBlock<TypeParam> b(512);
    runSine(*e, b, 0.9, 40, 0.001);
    double sum = 0;
    for (TypeParam v : b.outR) sum += std::fabs(v);
    return sum;
  };
  EXPECT_LT(rightLevel(1), 0.5 * rightLevel(0));
}

// In-place buffers work, a missing second input reads the left one, a missing
// second output keeps the left result; no frames or no buffers touch nothing.
TYPED_TEST(FETProcess, InPlaceAndMissingBuffers) {
  using T = TypeParam;
  const int n = 333;
  Rng rng(11);
  StereoBlock<T> ref(n);
  fillNoise(ref, rng, 0.9);
  StereoBlock<T> mono = ref, inPlace = ref, nullIn = ref;
  mono.inR = mono.inL;
  run(*makeEngine(), ref);
  run(*makeEngine(), mono);

  T* io[2] = {inPlace.inL.data(), inPlace.inR.data()};
  run(*makeEngine(), io, io, n, 1);
  EXPECT_TRUE(sameBits(inPlace.inL, ref.outL) && sameBits(inPlace.inR, ref.outR));
  T* in[2] = {nullIn.inL.data(), nullptr};
  T* out[2] = {nullIn.outL.data(), nullIn.outR.data()};
  run(*makeEngine(), in, out, n, 1);
  EXPECT_TRUE(sameBits(nullIn.outL, mono.outL) && sameBits(nullIn.outR, mono.outR));
  T* one[2] = {nullIn.inL.data(), nullIn.inL.data()};
  run(*makeEngine(), one, one, n, 1);
  EXPECT_TRUE(sameBits(nullIn.inL, mono.outL));

  auto e = makeEngine();
  std::vector<T> left(n);
  T* in2[2] = {ref.inL.data(), ref.inR.data()};
  T* leftOnly[2] = {left.data(), nullptr};
  T* none[2] = {nullptr, nullptr};
  run(*e, in2, leftOnly, n, 1);
  EXPECT_TRUE(sameBits(left, ref.outL));
  const float gr = e->getGR();
  for (int frames : {0, -5}) run(*e, in2, leftOnly, frames, 1);
  run(*e, none, leftOnly, 10, 1);
  run(*e, in2, none, 10, 1);
  EXPECT_TRUE(e->getGR() == gr && sameBits(left, ref.outL));
}

// The float path rounds gains and signal to float on the way and feeds the
// gains back, so it differs from the double path by about one float ulp of
// the signal; 1e-6 still catches any lost or extra step.
TEST(FETProcessPrecision, FloatAndDoublePathsAgree) {
  for (int frames : {1, 3, 64, 65, 999}) {
    auto setup = [](FETCompressor& c) {
      c.setThreshold(.2f);
      c.setGain(.4f);
      c.setHPF(.3f);
    };
    auto ef = makeEngine(setup, 48000), ed = makeEngine(setup, 48000);
    Rng rng(5);
    StereoBlock<float> bf(frames);
    StereoBlock<double> bd(frames);
    for (int k = 0; k < std::min(48000 / frames, 2000); ++k) {
      fillNoise(bf, rng, 0.9);
      bd.inL.assign(bf.inL.begin(), bf.inL.end());
      bd.inR.assign(bf.inR.begin(), bf.inR.end());
      run(*ef, bf);
      run(*ed, bd);
      for (int i = 0; i < frames; ++i)
        ASSERT_TRUE(std::fabs(bf.outL[i] - bd.outL[i]) < 1e-6 &&
                    std::fabs(bf.outR[i] - bd.outR[i]) < 1e-6)
            << frames << " " << k;
      ASSERT_NEAR(ef->getGR(), ed->getGR(), 1e-6f);
    }
  }
}

// A lower threshold setting (more detector gain) and a higher ratio reduce
// more; ratio 0 never compresses.
TEST(FETProcessMeter, StaticGainLaw) {
  auto steadyGain = [](float threshold, float ratio) {
    auto e = makeEngine([&](FETCompressor& c) {
      c.setThreshold(threshold);
      c.setRatio(ratio);
    });
    StereoBlock<double> b(512);
    return runSine(*e, b, 0.5, 150);
  };
  EXPECT_LT(steadyGain(0.25f, 0.5f), steadyGain(0.5f, 0.5f));
  EXPECT_LT(steadyGain(0.5f, 0.5f), steadyGain(0.75f, 0.5f));
  EXPECT_LT(steadyGain(0.5f, 1.0f), steadyGain(0.5f, 0.5f));
  EXPECT_LT(steadyGain(0.5f, 0.5f), steadyGain(0.5f, 0.25f));
  EXPECT_NEAR(steadyGain(0.0f, 0.0f), 1.0f, 1e-6f);
}

// The meter is polled from another thread without the owner's lock.
TEST(FETProcessThreads, MeterReadWhileProcessing) {
  auto e = makeEngine();
  std::atomic<bool> done{false};
  std::thread reader([&] {
    while (!done.load()) {
      const float gr = e->getGR();
      EXPECT_TRUE(gr >= 0.0f && gr <= 1.2f);
    }
  });
  StereoBlock<float> b(64);
  runSine(*e, b, 0.9, 200);
  done = true;
  reader.join();
}

}  // namespace
