// Audio through the record: compression and the meter, mono feeds, hostile
// arguments, and no heap allocation while processing.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "PluginHost.h"

#ifndef ZEL_NO_ALLOCATION_COUNTER
#include "AllocationCounter.h"
#endif

namespace {

struct Stereo {
  explicit Stereo(int n) : left(static_cast<size_t>(n)), right(static_cast<size_t>(n)) {}
  std::vector<float> left, right;
};

// A loud drum-like test signal: decaying bursts of a low tone with some noise.
void fill(Stereo& s, int offset) {
  unsigned seed = 12345u + static_cast<unsigned>(offset);
  for (size_t i = 0; i < s.left.size(); ++i) {
    const double t = static_cast<double>(i + static_cast<size_t>(offset)) / 48000.0;
    const double beat = std::fmod(t, 0.25);
    seed = seed * 1664525u + 1013904223u;
    const double noise = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.2;
    const double env = std::exp(-beat * 18.0);
    s.left[i] = static_cast<float>(0.9 * env * std::sin(2 * M_PI * 60 * t) + noise * env);
    s.right[i] = static_cast<float>(0.8 * env * std::sin(2 * M_PI * 65 * t) - noise * env);
  }
}

class Processing : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(host.create(), nullptr);
    host.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    host.dispatch(effSetBlockSize, 0, 512);
    host.dispatch(effMainsChanged, 0, 1);
  }
  void processFloat(Stereo& in, Stereo& out) {
    float* ins[2] = {in.left.data(), in.right.data()};
    float* outs[2] = {out.left.data(), out.right.data()};
    host.effect->processReplacing(host.effect, ins, outs, static_cast<VstInt32>(in.left.size()));
  }
  PluginHost host;
};

TEST_F(Processing, CompressesAndReportsGainReduction) {
  Stereo in(512), out(512);
  double minGain = 1.0;
  for (int block = 0; block < 200; ++block) {
    fill(in, block * 512);
    processFloat(in, out);
    for (float x : out.left) ASSERT_TRUE(std::isfinite(x));
    minGain = std::min(minGain, static_cast<double>(host.effect->getParameter(host.effect, 17)));
  }
  EXPECT_LT(minGain, 0.9);  // the meter shows reduction
  EXPECT_NE(out.left, in.left);
}

TEST_F(Processing, MonoFeedCompressesOnlyTheLeftChannel) {
  // One buffer for both inputs: the engine runs in left-only mode.
  Stereo in(512), out(512);
  for (int block = 0; block < 40; ++block) {
    fill(in, block * 512);
    float* ins[2] = {in.left.data(), in.left.data()};
    float* outs[2] = {out.left.data(), out.right.data()};
    host.effect->processReplacing(host.effect, ins, outs, 512);
  }
  EXPECT_EQ(out.right, in.left);
  EXPECT_NE(out.left, in.left);

  // A null second input behaves the same way.
  float* ins[2] = {in.left.data(), nullptr};
  float* outs[2] = {out.left.data(), out.right.data()};
  host.effect->processReplacing(host.effect, ins, outs, 512);
  EXPECT_EQ(out.right, in.left);
}

TEST_F(Processing, HostileArgumentsAreIgnored) {
  Stereo in(64), out(64);
  fill(in, 0);
  out.left.assign(64, 7.0f);
  float* ins[2] = {in.left.data(), in.right.data()};
  float* outs[2] = {out.left.data(), out.right.data()};
  AEffect* e = host.effect;
  e->processReplacing(e, ins, outs, 0);
  e->processReplacing(e, ins, outs, -5);
  e->processReplacing(e, nullptr, outs, 64);
  e->processReplacing(e, ins, nullptr, 64);
  float* noLeft[2] = {nullptr, in.right.data()};
  e->processReplacing(e, noLeft, outs, 64);
  for (float x : out.left) EXPECT_EQ(x, 7.0f);
}

TEST_F(Processing, NoHeapAllocationWhileProcessing) {
#ifdef ZEL_NO_ALLOCATION_COUNTER
  GTEST_SKIP() << "allocation counting is not built with this sanitizer";
#else
  Stereo in(512), out(512);
  fill(in, 0);
  std::vector<double> dl(512), dr(512), ol(512), orr(512);
  double* dins[2] = {dl.data(), dr.data()};
  double* douts[2] = {ol.data(), orr.data()};
  AEffect* e = host.effect;
  AllocationCounter counter;
  for (int block = 0; block < 50; ++block) {
    processFloat(in, out);
    e->processDoubleReplacing(e, dins, douts, 512);
    e->setParameter(e, block % 14, 0.3f);  // automation from the audio thread
    (void)e->getParameter(e, 17);
  }
  EXPECT_EQ(counter.count(), 0);
#endif
}

}  // namespace
