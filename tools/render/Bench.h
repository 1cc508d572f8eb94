// --bench: timing of the plug-in's processing in memory.
#pragma once

#include "CommandLine.h"
#include "RenderStatus.h"

namespace zelrender {

// Renders the demo (or the input) options.benchRuns times in single and then double
// precision without writing, and prints ns per stereo frame and the real-time factor at 48 kHz.
Status runBench(const RenderOptions& options);

}  // namespace zelrender
