#pragma once

// Helpers shared by the engine tests: deterministic signals and block runners.

#include "FETCompressor.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace dsptest {

// Small deterministic generator (same sequence on every platform).
class Lcg {
public:
    explicit Lcg(std::uint64_t seed) : s(seed * 2862933555777941757ULL + 3037000493ULL) {}
    // Uniform value in [0, 1).
    double uniform()
    {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(s >> 11) * (1.0 / 9007199254740992.0);
    }
    // Uniform value in [-1, 1).
    double bipolar() { return 2.0 * uniform() - 1.0; }

private:
    std::uint64_t s;
};

// A stereo block: inputs and outputs of one sample type.
template <class T>
struct StereoBlock {
    explicit StereoBlock(int frames) : inL(frames), inR(frames), outL(frames), outR(frames) {}
    std::vector<T> inL, inR, outL, outR;
    int frames() const { return static_cast<int>(inL.size()); }
};

// Engine at the given rate, resumed as the effect does it.
inline std::unique_ptr<FETCompressor> makeEngine(float sampleRate = 44100.0f)
{
    auto engine = std::make_unique<FETCompressor>();
    engine->setSampleRate(sampleRate);
    engine->resume();
    return engine;
}

// Runs one block through the engine's own process call for T.
inline void run(FETCompressor& e, float** in, float** out, int n, int stereo)
{
    e.processReplacing(in, out, n, stereo);
}
inline void run(FETCompressor& e, double** in, double** out, int n, int stereo)
{
    e.processDoubleReplacing(in, out, n, stereo);
}

template <class T>
void run(FETCompressor& e, StereoBlock<T>& b, int stereo = 1)
{
    T* in[2] = {b.inL.data(), b.inR.data()};
    T* out[2] = {b.outL.data(), b.outR.data()};
    run(e, in, out, b.frames(), stereo);
}

// Fills both inputs with a sine of the given amplitude and frequency (cycles per sample).
template <class T>
void fillSine(StereoBlock<T>& b, double amplitude, double cyclesPerSample, int offset = 0)
{
    for (int i = 0; i < b.frames(); ++i) {
        const double v = amplitude * std::sin(6.283185307179586 * cyclesPerSample * (i + offset));
        b.inL[i] = static_cast<T>(v);
        b.inR[i] = static_cast<T>(v);
    }
}

// Runs `blocks` blocks of a steady sine and returns the meter values after each.
template <class T>
std::vector<float> runSine(FETCompressor& e, double amplitude, int blocks, int frames = 512)
{
    StereoBlock<T> b(frames);
    std::vector<float> meter;
    for (int k = 0; k < blocks; ++k) {
        fillSine(b, amplitude, 0.01, k * frames);
        run(e, b);
        meter.push_back(e.getGR());
    }
    return meter;
}

} // namespace dsptest
