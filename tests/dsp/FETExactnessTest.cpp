// The engine's optimised kernel must produce the plain form's output and meter
// bit for bit. Built with the release optimisation flags: a vectoriser that
// drops a rounding to float shows up only here.

#include "DspTestSupport.h"
#include "FETCompressorReference.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using dsptest::Lcg;

// How the buffers are handed over; both engines get the same arrangement.
enum class Wiring { Separate, InPlace, NullSecondInput, NullSecondOutput, OneBuffer };

template <class T>
struct Buffers {
    std::vector<T> inL, inR, outL, outR;
};

// Fills one block of test material of the given kind.
template <class T>
void fillMaterial(Buffers<T>& b, int n, int kind, Lcg& rng, long& t)
{
    b.inL.assign(n, T(0));
    b.inR.assign(n, T(0));
    const double amp = std::pow(10.0, -3.0 * rng.uniform()); // 0 to -60 dB
    const double freq = 0.0005 + 0.05 * rng.uniform();
    for (int i = 0; i < n; ++i, ++t) {
        double l = 0, r = 0;
        switch (kind) {
        case 0: l = amp * rng.bipolar(); r = amp * rng.bipolar(); break;          // noise
        case 1: l = amp * std::sin(freq * t); r = 0.5 * amp * std::cos(freq * t); break; // sines
        case 2: l = r = ((t / 300) % 2 ? amp : 0.001 * amp) * rng.bipolar(); break; // bursts
        case 3: break;                                                            // silence
        case 4: l = (t % 97 == 0) ? amp : 0.0; r = -l; break;                      // impulses
        case 5: l = amp; r = -0.3 * amp; break;                                     // DC
        case 6: // tiny values around the float denormal range
            l = std::numeric_limits<float>::denorm_min() * double(t % 50);
            r = std::numeric_limits<float>::min() * rng.bipolar();
            break;
        default: // loud noise with non-finite values sprinkled in
            l = 2.0 * rng.bipolar();
            r = 2.0 * rng.bipolar();
            if (t % 31 == 0) l = std::numeric_limits<double>::quiet_NaN();
            if (t % 37 == 0) r = std::numeric_limits<double>::infinity();
            if (t % 41 == 0) l = -std::numeric_limits<double>::infinity();
            break;
        }
        b.inL[i] = static_cast<T>(l);
        b.inR[i] = static_cast<T>(r);
    }
}

// Runs one block through one engine, with the optimised or the plain kernel.
template <class T>
void runBlock(FETCompressor& e, bool reference, Buffers<T>& b, int n, Wiring w, int stereo)
{
    b.outL.assign(n, T(0));
    b.outR.assign(n, T(0));
    T* in[2] = {b.inL.data(), b.inR.data()};
    T* out[2] = {b.outL.data(), b.outR.data()};
    switch (w) {
    case Wiring::Separate: break;
    case Wiring::InPlace:
        b.outL = b.inL;
        b.outR = b.inR;
        in[0] = out[0] = b.outL.data();
        in[1] = out[1] = b.outR.data();
        break;
    case Wiring::NullSecondInput: in[1] = nullptr; break;
    case Wiring::NullSecondOutput: out[1] = nullptr; break;
    case Wiring::OneBuffer:
        b.outL = b.inL;
        in[0] = in[1] = out[0] = out[1] = b.outL.data();
        break;
    }
    if constexpr (std::is_same_v<T, float>) {
        if (reference)
            FETCompressorReference::processReplacing(e, in, out, n, stereo);
        else
            e.processReplacing(in, out, n, stereo);
    } else {
        if (reference)
            FETCompressorReference::processDoubleReplacing(e, in, out, n, stereo);
        else
            e.processDoubleReplacing(in, out, n, stereo);
    }
}

template <class T>
bool sameBits(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
}

using Setter = void (FETCompressor::*)(float);
const Setter kSetters[] = {&FETCompressor::setAttack,      &FETCompressor::setRelease,
                           &FETCompressor::setScHpfSwitch, &FETCompressor::setHPF,
                           &FETCompressor::setRatio,       &FETCompressor::setThreshold,
                           &FETCompressor::setChannel,     &FETCompressor::setGain,
                           &FETCompressor::setLink,        &FETCompressor::setBlendSwitch,
                           &FETCompressor::setBlend,       &FETCompressor::setPower};

// One long run with controls, material, block sizes, wiring and the stereo flag
// changing between blocks; both engines see exactly the same calls.
template <class T>
void compareRun(std::uint64_t seed, int blocks, const float (&initial)[12])
{
    static const float rates[] = {44100.0f, 48000.0f, 96000.0f, 32000.0f};
    static const int sizes[] = {1, 3, 64, 65, 999};
    Lcg rng(seed);
    FETCompressor fast, plain;
    const float rate = rates[seed % 4];
    for (FETCompressor* e : {&fast, &plain}) {
        for (int s = 0; s < 12; ++s) (e->*kSetters[s])(initial[s]);
        e->setSampleRate(rate);
        e->resume();
    }
    long t = 0;
    Buffers<T> bf, bp;
    for (int k = 0; k < blocks; ++k) {
        const int n = sizes[static_cast<int>(rng.uniform() * 5)];
        const int kind = static_cast<int>(rng.uniform() * 8);
        const Wiring wiring = static_cast<Wiring>(static_cast<int>(rng.uniform() * 5));
        const int stereo = rng.uniform() < 0.8 ? 1 : 0;
        fillMaterial(bf, n, kind, rng, t);
        bp.inL = bf.inL;
        bp.inR = bf.inR;

        runBlock(fast, false, bf, n, wiring, stereo);
        runBlock(plain, true, bp, n, wiring, stereo);
        ASSERT_TRUE(sameBits(bf.outL, bp.outL) && sameBits(bf.outR, bp.outR))
            << "seed " << seed << " block " << k << " size " << n << " kind " << kind;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(FETCompressorReference::meterValue(fast)),
                  std::bit_cast<std::uint64_t>(FETCompressorReference::meterValue(plain)))
            << "seed " << seed << " block " << k;

        // Change a control now and then; sometimes to an extreme.
        if (rng.uniform() < 0.3) {
            const int s = static_cast<int>(rng.uniform() * 12);
            const double u = rng.uniform();
            const float v = u < 0.15 ? 0.0f : u > 0.85 ? 1.0f : static_cast<float>(rng.uniform());
            if (s != 11 || rng.uniform() < 0.3) { // power off only now and then
                (fast.*kSetters[s])(v);
                (plain.*kSetters[s])(v);
            }
        }
        if (fast.getControls().power == 0 && rng.uniform() < 0.5) {
            fast.setPower(1.0f);
            plain.setPower(1.0f);
        }
        if (rng.uniform() < 0.02) {
            fast.suspend();
            plain.suspend();
            fast.resume();
            plain.resume();
        }
    }
    const FETRunningState& a = fast.getRunningState();
    const FETRunningState& b = plain.getRunningState();
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.envelope[c]), std::bit_cast<std::uint64_t>(b.envelope[c]));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.outState[c]), std::bit_cast<std::uint64_t>(b.outState[c]));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(a.scState[c]), std::bit_cast<std::uint32_t>(b.scState[c]));
    }
}

template <class T>
class FETExactness : public ::testing::Test {};
using SampleTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(FETExactness, SampleTypes);

// Initial controls in kSetters order: attack, release, sc switch, sc hpf, ratio,
// threshold, channel, makeup, link, blend switch, blend, power.
TYPED_TEST(FETExactness, EveryModeAndSwitchCombination)
{
    std::uint64_t seed = 1;
    for (float channel : {0.0f, 0.5f, 1.0f})
        for (float link : {0.0f, 1.0f})
            for (float sc : {0.0f, 1.0f})
                for (float blendOn : {0.0f, 1.0f}) {
                    const float initial[12] = {0.3f, 0.6f, sc,   0.4f, 0.7f,    0.2f,
                                               channel, 0.5f, link, blendOn, 0.35f, 1.0f};
                    compareRun<TypeParam>(seed++, 25, initial);
                }
}

TYPED_TEST(FETExactness, RandomControlChangesAndMaterial)
{
    for (std::uint64_t seed = 100; seed < 112; ++seed) {
        const float initial[12] = {0.5f, 0.5f, 0.0f,  0.5f, 0.5f, 0.625f,
                                   0.5f, 0.375f, 1.0f, 0.0f, 0.75f, 1.0f};
        compareRun<TypeParam>(seed, 250, initial);
    }
}

TYPED_TEST(FETExactness, RatioZeroAndHeavySettings)
{
    const float ratioZero[12] = {0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.5f, 1.0f, 1.0f, 1.0f, 0.5f, 1.0f};
    const float heavy[12] = {0.0f, 1.0f, 1.0f, 0.2f, 1.0f, 0.0f, 0.5f, 0.8f, 1.0f, 1.0f, 0.9f, 1.0f};
    compareRun<TypeParam>(500, 150, ratioZero);
    compareRun<TypeParam>(501, 150, heavy);
}

} // namespace
