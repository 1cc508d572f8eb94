// A built-in drum-and-bass loop, so that zel-render has something to compress on any machine.
#pragma once

#include "AudioBuffer.h"

namespace zelrender {

inline constexpr double kDemoSampleRate = 48000.0;
inline constexpr double kDemoSeconds = 8.0;

// Synthesises the demo: stereo, kick, snare, hats and a sub bass at 174 BPM, peaking at
// -1 dBFS. The same arguments always give the same samples.
AudioBuffer makeDemoSignal(double sampleRate = kDemoSampleRate, double seconds = kDemoSeconds);

}  // namespace zelrender
