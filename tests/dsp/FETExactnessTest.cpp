// The engine's optimised kernel must produce the plain form's output and meter
// bit for bit, both with the plain form built at the release optimisation
// flags and with it built at -O0. A vectoriser that drops a rounding to float
// shows up only here (GCC 12's SLP vectoriser does, see the dsp CMakeLists).

#include "DspTestSupport.h"
#include "FETCompressorReference.h"
#include "ReferenceAtO0.h"

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

enum class Kernel { Fast, Plain, PlainAtO0 };

// Runs one block through one engine with the given kernel.
template <class T>
void runBlock(FETCompressor& e, Kernel kernel, Buffers<T>& b, int n, Wiring w, int stereo)
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
    if (kernel == Kernel::PlainAtO0) {
        referenceAtO0(e, in, out, n, stereo);
    } else if constexpr (std::is_same_v<T, float>) {
        if (kernel == Kernel::Plain)
            FETCompressorReference::processReplacing(e, in, out, n, stereo);
        else
            e.processReplacing(in, out, n, stereo);
    } else {
        if (kernel == Kernel::Plain)
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

// Bit-equal running state (outputs alone could hide a state difference for a while).
bool sameState(const FETCompressor& a, const FETCompressor& b)
{
    const FETRunningState& x = a.getRunningState();
    const FETRunningState& y = b.getRunningState();
    auto same = [](auto u, auto v) { return std::memcmp(&u, &v, sizeof u) == 0; };
    bool equal = same(x.ratioSmoothed, y.ratioSmoothed) &&
                 same(x.thresholdSmoothed, y.thresholdSmoothed) &&
                 same(x.makeupSmoothed, y.makeupSmoothed) && same(x.blendSmoothed, y.blendSmoothed);
    for (int c = 0; c < 2; ++c)
        equal = equal && same(x.envelope[c], y.envelope[c]) && same(x.outState[c], y.outState[c]) &&
                same(x.scState[c], y.scState[c]);
    return equal;
}

// One long run with controls, material, block sizes, wiring and the stereo flag
// changing between blocks; the optimised kernel and both builds of the plain
// form see exactly the same calls, each on its own engine.
template <class T>
void compareRun(std::uint64_t seed, int blocks, const float (&initial)[12])
{
    static const float rates[] = {44100.0f, 48000.0f, 96000.0f, 32000.0f};
    static const int sizes[] = {1, 3, 64, 65, 999};
    static const Kernel kernels[3] = {Kernel::Fast, Kernel::Plain, Kernel::PlainAtO0};
    static const char* const names[3] = {"fast", "plain", "plain -O0"};
    Lcg rng(seed);
    FETCompressor engines[3];
    for (FETCompressor& e : engines) {
        for (int s = 0; s < 12; ++s) (e.*kSetters[s])(initial[s]);
        e.setSampleRate(rates[seed % 4]);
        e.resume();
    }
    long t = 0;
    Buffers<T> buffers[3];
    for (int k = 0; k < blocks; ++k) {
        const int n = sizes[static_cast<int>(rng.uniform() * 5)];
        const int kind = static_cast<int>(rng.uniform() * 8);
        const Wiring wiring = static_cast<Wiring>(static_cast<int>(rng.uniform() * 5));
        const int stereo = rng.uniform() < 0.8 ? 1 : 0;
        fillMaterial(buffers[0], n, kind, rng, t);
        for (int j = 1; j < 3; ++j) {
            buffers[j].inL = buffers[0].inL;
            buffers[j].inR = buffers[0].inR;
        }
        for (int j = 0; j < 3; ++j) runBlock(engines[j], kernels[j], buffers[j], n, wiring, stereo);
        for (int j = 1; j < 3; ++j) {
            ASSERT_TRUE(sameBits(buffers[0].outL, buffers[j].outL) &&
                        sameBits(buffers[0].outR, buffers[j].outR))
                << names[j] << ": seed " << seed << " block " << k << " size " << n << " kind "
                << kind;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(FETCompressorReference::meterValue(engines[0])),
                      std::bit_cast<std::uint64_t>(FETCompressorReference::meterValue(engines[j])))
                << names[j] << ": seed " << seed << " block " << k;
            ASSERT_TRUE(sameState(engines[0], engines[j])) << names[j] << ": block " << k;
        }

        // Change a control now and then; sometimes to an extreme.
        if (rng.uniform() < 0.3) {
            const int s = static_cast<int>(rng.uniform() * 12);
            const double u = rng.uniform();
            const float v = u < 0.15 ? 0.0f : u > 0.85 ? 1.0f : static_cast<float>(rng.uniform());
            if (s != 11 || rng.uniform() < 0.3) // power off only now and then
                for (FETCompressor& e : engines) (e.*kSetters[s])(v);
        }
        if (engines[0].getControls().power == 0 && rng.uniform() < 0.5)
            for (FETCompressor& e : engines) e.setPower(1.0f);
        if (rng.uniform() < 0.02)
            for (FETCompressor& e : engines) {
                e.suspend();
                e.resume();
            }
    }
}

// Two paired float roundings, the shape GCC 12's SLP vectoriser compiles
// without the roundings. Kept out of line so the optimiser sees only this.
[[gnu::noinline]] void pairedRoundings(const double* x, double gain, double* out)
{
    const double y[2] = {fet::SinglePrecision::round(0.7 * x[0]),
                         fet::SinglePrecision::round(0.3 * x[1])};
    for (int c = 0; c < 2; ++c) out[c] = fet::SinglePrecision::round(y[c] * gain);
}

// Guards the compiler flags of the engine: every rounding to float must stay.
TEST(FETCompilerCanary, PairedRoundingsToFloatSurvive)
{
    static volatile double input[3] = {0.1, 0.2, 4.5}; // opaque to the optimiser
    const double x[2] = {input[0], input[1]};
    double out[2];
    pairedRoundings(x, input[2], out);
    for (int c = 0; c < 2; ++c) {
        const double y = static_cast<float>(0.3 * x[1]);
        const double expected = static_cast<float>((c == 0 ? static_cast<float>(0.7 * x[0]) : y) * 4.5);
        EXPECT_EQ(out[c], expected) << "channel " << c;
        EXPECT_EQ(out[c], static_cast<double>(static_cast<float>(out[c])));
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
                                               channel, 0.45f, link, blendOn, 0.35f, 1.0f};
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
    const float ratioZero[12] = {0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.5f, 0.9f, 1.0f, 1.0f, 0.5f, 1.0f};
    const float heavy[12] = {0.0f, 1.0f, 1.0f, 0.2f, 1.0f, 0.0f, 0.5f, 0.8f, 1.0f, 1.0f, 0.9f, 1.0f};
    compareRun<TypeParam>(500, 150, ratioZero);
    compareRun<TypeParam>(501, 150, heavy);
}

} // namespace
