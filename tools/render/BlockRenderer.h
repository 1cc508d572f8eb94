// Feeds audio through a plug-in in host-sized blocks and measures what goes in and out.
#pragma once

#include <cstdint>

#include "FrameStream.h"
#include "PluginHost.h"
#include "ProgressBar.h"
#include "RenderStatus.h"
#include "SignalStats.h"

namespace zelrender {

// Index of the plug-in's read-only gain-reduction meter value.
inline constexpr int kGainReductionParameter = 17;

inline constexpr int kMinBlockSize = 1;
inline constexpr int kMaxBlockSize = 8192;

struct RenderSettings {
  int blockSize = 512;
  bool doublePrecision = false;
  bool correctMeterStartup = true;  // see renderStream
};

struct RenderResult {
  LevelMeter input{2};
  LevelMeter output{2};
  GainReductionMeter gainReduction;
  int64_t frames = 0;
  double pluginSeconds = 0.0;  // time spent inside the plug-in's process calls
};

// Streams `source` (mono or stereo) through the plug-in, which must be resumed with the
// matching precision, into `sink` (stereo; null to discard). Mono feeds both plug-in inputs
// the same buffer and writes the plug-in's left output to both channels (see renderAs).
// Fails with ExitCode::input, output or processing.
//
// The gain-reduction meter is a smoothed value that starts from zero at every resume and
// rises to its resting value, which would read as a large reduction. With
// correctMeterStartup the renderer first records that start-up response on silence (then
// suspends and resumes, which restarts the plug-in) and takes later readings relative to it.
Status renderStream(PluginHost& host, FrameSource& source, FrameSink* sink,
                    const RenderSettings& settings, RenderResult& result, ProgressBar& progress);

}  // namespace zelrender
