#include "DspTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

using namespace dsptest;

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

// Each setter's default and its values at 0, 0.5 and 1; out-of-range and
// non-finite settings land on the nearest end.
TEST(FETControls, DefaultsMappingsAndClamping) {
  struct Mapping {
    const char* name;
    Setter set;
    std::function<double(const FETControls&)> get;
    double byDefault, at0, atHalf, at1;
  };
#define CONTROL(setter, field) \
#field, &FETCompressor::setter, [](const FETControls& c) -> double { return c.field; }
  const Mapping mappings[] = {
      {CONTROL(setAttack, attackTime), 0.022360679774997897, 0.001, 0.022360679774997897, 0.5},
      {CONTROL(setRelease, releaseTime), 0.05, 0.005, 0.05, 0.5},
      {CONTROL(setThreshold, thresholdFactor), 4, 64, 4, 0.25},
      {CONTROL(setGain, makeupGain), 0.25, 0.25, 4, 64},
      {CONTROL(setRatio, ratio), 0.5, 0, 0.5, 1},
      {CONTROL(setHPF, hpfAmount), 0, 0, 0.5, 1},
      {CONTROL(setBlend, blend), 0, 0, 0.5, 1},
      {CONTROL(setScHpfSwitch, scHpfOn), 1, 0, 1, 1},
      {CONTROL(setLink, link), 1, 0, 1, 1},
      {CONTROL(setBlendSwitch, blendSwitch), 0, 0, 1, 1},
      {CONTROL(setChannel, channelMode), 1, 0, 1, 2},
      {CONTROL(setPower, power), 1, 0, 1, 1},
  };
#undef CONTROL
  for (const Mapping& m : mappings) {
    SCOPED_TRACE(m.name);
    FETCompressor e;
    EXPECT_EQ(m.get(e.getControls()), m.byDefault);
    auto at = [&](float v) { return (e.*m.set)(v), m.get(e.getControls()); };
    EXPECT_NEAR(at(0.0f), m.at0, 1e-12 * m.at0);
    EXPECT_NEAR(at(0.5f), m.atHalf, 1e-12 * m.atHalf);
    EXPECT_NEAR(at(1.0f), m.at1, 1e-12 * m.at1);
    for (float low : {-0.3f, -kInf, kNaN}) EXPECT_EQ(at(low), at(0.0f)) << low;
    for (float high : {1.7f, kInf}) EXPECT_EQ(at(high), at(1.0f)) << high;
  }
  FETCompressor e;
  EXPECT_TRUE(e.getSampleRate() == 44100.0f && e.getGR() == 1.0f);
}

// Channel mode changes at 0.25 and 0.75, the on/off switches at 0.5.
TEST(FETControls, SwitchThresholds) {
  FETCompressor e;
  const FETControls& c = e.getControls();
  for (auto [v, mode] : {std::pair{0.2499f, 0}, {0.25f, 1}, {0.7499f, 1}, {0.75f, 2}}) {
    e.setChannel(v);
    EXPECT_EQ(c.channelMode, mode) << v;
  }
  for (float v : {0.4999f, 0.5f}) {
    for (Setter set : {&FETCompressor::setPower, &FETCompressor::setLink,
                       &FETCompressor::setBlendSwitch, &FETCompressor::setScHpfSwitch})
      (e.*set)(v);
    const bool on = v >= 0.5f;
    EXPECT_TRUE(c.power == on && c.link == on && c.blendSwitch == on && c.scHpfOn == on) << v;
  }
}

TEST(FETControls, SampleRateOutsideRangeFallsBackTo44100) {
  FETCompressor e;
  for (auto [rate, used] : {std::pair{22050.0f, 44100.0f},
                            {500000.0f, 44100.0f},
                            {kNaN, 44100.0f},
                            {-48000.0f, 44100.0f},
                            {32000.0f, 32000.0f},
                            {4e5f, 4e5f}}) {
    e.setSampleRate(rate);
    EXPECT_EQ(e.getSampleRate(), used) << rate;
    EXPECT_EQ(e.getMeterFilter().getSampleRate(), used) << rate;
  }
}

// Suspend resets meter, envelopes, output stage and ratio smoother but not the
// side chain; resume jumps the smoothers to their targets and sets up the meter.
TEST(FETControls, SuspendAndResumeResetRunningState) {
  auto setup = [](FETCompressor& c) {
    c.setBlend(0.3f);
    c.setThreshold(0.1f);
    c.setRatio(0);
  };
  auto e = makeEngine(setup, 48000);
  e->setRatio(1);  // the smoother is still on its way after the run
  StereoBlock<float> b(512);
  ASSERT_LT(runSine(*e, b, 0.9, 20), 0.9f);
  e->suspend();
  const FETRunningState& s = e->getRunningState();
  EXPECT_TRUE(e->getGR() == 1.0f && e->getMeterFilter().getLastOutput() == 0.0);
  EXPECT_TRUE(s.envelope[0] == 0.0001 && s.envelope[1] == 0.0001);
  EXPECT_TRUE(s.outState[0] == 0.0 && s.outState[1] == 0.0 && s.ratioSmoothed == 1.0f);
  EXPECT_NE(s.scState[0], 0.0f);

  e->setGain(0.5f);
  e->setThreshold(0.5f);
  e->resume();
  EXPECT_TRUE(s.scState[0] == 0.0f && s.scState[1] == 0.0f);
  EXPECT_TRUE(s.thresholdSmoothed == 4.0 && s.makeupSmoothed == 4.0);
  EXPECT_EQ(s.blendSmoothed, 0.0);   // blend switch off: glides in from dry
  EXPECT_EQ(s.envelope[0], 0.0001);  // resume keeps the envelopes
  EXPECT_TRUE(e->getMeterFilter().getFreq() == 3.0 && e->getMeterFilter().getQ() == 0.8765);
  EXPECT_EQ(e->getMeterFilter().getSampleRate(), 48000.0);
  e->setBlendSwitch(1);
  e->resume();
  EXPECT_EQ(s.blendSmoothed, static_cast<double>(0.3f));
}

}  // namespace
