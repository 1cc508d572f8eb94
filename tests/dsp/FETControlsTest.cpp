#include "DspTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(FETControls, DefaultsAfterConstruction)
{
    FETCompressor e;
    const FETControls& c = e.getControls();
    EXPECT_EQ(c.power, 1);
    EXPECT_EQ(c.attackTime, 0.022360679774997897);
    EXPECT_DOUBLE_EQ(c.attackTime, 0.001 * std::pow(500.0, 0.5));
    EXPECT_EQ(c.releaseTime, 0.05);
    EXPECT_EQ(c.ratio, 0.5);
    EXPECT_EQ(c.thresholdFactor, 4.0);
    EXPECT_EQ(c.blend, 0.0);
    EXPECT_EQ(c.blendSwitch, 0.0);
    EXPECT_EQ(c.hpfAmount, 0.0);
    EXPECT_EQ(c.makeupGain, 0.25);
    EXPECT_EQ(c.channelMode, 1);
    EXPECT_EQ(c.link, 1);
    EXPECT_EQ(c.scHpfOn, 1);
    EXPECT_EQ(e.getSampleRate(), 44100.0f);
    EXPECT_EQ(e.getGR(), 1.0f);

    const FETRunningState& s = e.getRunningState();
    EXPECT_EQ(s.envelope[0], 0.0001);
    EXPECT_EQ(s.envelope[1], 0.0001);
    EXPECT_EQ(s.ratioSmoothed, 0.5f);
    EXPECT_EQ(s.thresholdSmoothed, 4.0);
    EXPECT_EQ(s.makeupSmoothed, 0.25);
    EXPECT_EQ(s.blendSmoothed, 0.0);
    EXPECT_EQ(e.getMeterFilter().getFreq(), 3.0);
    EXPECT_EQ(e.getMeterFilter().getQ(), 0.8765);
}

struct Mapping {
    const char* name;
    std::function<void(FETCompressor&, float)> set;
    std::function<double(const FETControls&)> get;
    double at0, atHalf, at1;
};

TEST(FETControls, MappingsAndClamping)
{
    const Mapping mappings[] = {
        {"attack", &FETCompressor::setAttack, [](auto& c) { return c.attackTime; }, 0.001,
         0.022360679774997897, 0.5},
        {"release", &FETCompressor::setRelease, [](auto& c) { return c.releaseTime; }, 0.005, 0.05,
         0.5},
        {"threshold", &FETCompressor::setThreshold, [](auto& c) { return c.thresholdFactor; }, 64.0,
         4.0, 0.25},
        {"makeup", &FETCompressor::setGain, [](auto& c) { return c.makeupGain; }, 0.25, 4.0, 64.0},
        {"ratio", &FETCompressor::setRatio, [](auto& c) { return c.ratio; }, 0.0, 0.5, 1.0},
        {"hpf", &FETCompressor::setHPF, [](auto& c) { return c.hpfAmount; }, 0.0, 0.5, 1.0},
        {"blend", &FETCompressor::setBlend, [](auto& c) { return c.blend; }, 0.0, 0.5, 1.0},
        {"scHpf", &FETCompressor::setScHpfSwitch, [](auto& c) { return double(c.scHpfOn); }, 0, 1,
         1},
        {"link", &FETCompressor::setLink, [](auto& c) { return double(c.link); }, 0, 1, 1},
        {"blendSwitch", &FETCompressor::setBlendSwitch, [](auto& c) { return c.blendSwitch; }, 0,
         1, 1},
        {"channel", &FETCompressor::setChannel, [](auto& c) { return double(c.channelMode); }, 0,
         1, 2},
    };
    for (const Mapping& m : mappings) {
        SCOPED_TRACE(m.name);
        FETCompressor e;
        auto at = [&](float v) {
            m.set(e, v);
            return m.get(e.getControls());
        };
        EXPECT_NEAR(at(0.0f), m.at0, 1e-12 * m.at0);
        EXPECT_NEAR(at(0.5f), m.atHalf, 1e-12 * m.atHalf);
        EXPECT_NEAR(at(1.0f), m.at1, 1e-12 * m.at1);
        EXPECT_EQ(at(-0.3f), at(0.0f));
        EXPECT_EQ(at(kNaN), at(0.0f));
        EXPECT_EQ(at(1.7f), at(1.0f));
        EXPECT_EQ(at(std::numeric_limits<float>::infinity()), at(1.0f));
    }
}

TEST(FETControls, SwitchBoundaries)
{
    FETCompressor e;
    auto power = [&](float v) {
        e.setPower(v);
        return e.getControls().power;
    };
    EXPECT_EQ(power(0.49f), 0);
    EXPECT_EQ(power(0.5f), 1);
    EXPECT_EQ(power(1.7f), 1);
    EXPECT_EQ(power(-3.0f), 0);
    EXPECT_EQ(power(kNaN), 0);
    EXPECT_EQ(power(1e30f), 1);

    auto channel = [&](float v) {
        e.setChannel(v);
        return e.getControls().channelMode;
    };
    EXPECT_EQ(channel(0.2499f), 0);
    EXPECT_EQ(channel(0.25f), 1);
    EXPECT_EQ(channel(0.7499f), 1);
    EXPECT_EQ(channel(0.75f), 2);

    e.setLink(0.49f);
    EXPECT_EQ(e.getControls().link, 0);
    e.setBlendSwitch(0.49f);
    EXPECT_EQ(e.getControls().blendSwitch, 0.0);
    e.setScHpfSwitch(0.49f);
    EXPECT_EQ(e.getControls().scHpfOn, 0);
}

TEST(FETControls, SampleRateBounds)
{
    FETCompressor e;
    const float cases[][2] = {{22050.0f, 44100.0f},   {500000.0f, 44100.0f}, {32000.0f, 32000.0f},
                              {400000.0f, 400000.0f}, {96000.0f, 96000.0f},  {kNaN, 44100.0f},
                              {-48000.0f, 44100.0f}};
    for (const auto& c : cases) {
        e.setSampleRate(c[0]);
        EXPECT_EQ(e.getSampleRate(), c[1]) << c[0];
        EXPECT_EQ(e.getMeterFilter().getSampleRate(), c[1]);
    }
}

TEST(FETControls, SuspendAndResumeResetRunningState)
{
    auto e = dsptest::makeEngine(48000.0f);
    e->setBlend(0.3f);
    e->setGain(0.75f);
    e->setThreshold(0.1f);
    e->setRatio(1.0f);
    dsptest::runSine<float>(*e, 0.9, 20);
    ASSERT_LT(e->getGR(), 0.9f);

    e->suspend();
    const FETRunningState& s = e->getRunningState();
    EXPECT_EQ(e->getGR(), 1.0f);
    EXPECT_EQ(s.envelope[0], 0.0001);
    EXPECT_EQ(s.envelope[1], 0.0001);
    EXPECT_EQ(s.outState[0], 0.0);
    EXPECT_EQ(s.ratioSmoothed, 1.0f);
    EXPECT_EQ(e->getMeterFilter().getLastOutput(), 0.0);
    EXPECT_NE(s.scState[0], 0.0f); // suspend leaves the side chain alone

    e->resume();
    EXPECT_EQ(s.scState[0], 0.0f);
    EXPECT_EQ(s.thresholdSmoothed, e->getControls().thresholdFactor);
    EXPECT_EQ(s.makeupSmoothed, e->getControls().makeupGain);
    EXPECT_EQ(s.blendSmoothed, 0.0); // blend switch off: glides in from dry
    EXPECT_EQ(s.envelope[0], 0.0001); // resume keeps the envelopes
    EXPECT_EQ(e->getMeterFilter().getFreq(), 3.0);
    EXPECT_EQ(e->getMeterFilter().getSampleRate(), 48000.0);

    e->setBlendSwitch(1.0f);
    e->resume();
    EXPECT_EQ(s.blendSmoothed, static_cast<double>(0.3f));
}

} // namespace
