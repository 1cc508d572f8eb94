// zel-host --screenshot: the editor drawn offscreen, without an X server.
#pragma once

#include <cstdio>

#include "HostCommandLine.h"
#include "HostOutcome.h"

namespace zelhost {

// Frames of the demo processed before the picture is taken (one second).
inline constexpr int kScreenshotDemoFrames = 48000;

// Creates the effect built into zel-host, opens its editor offscreen, runs a second of the
// demo with editor idle calls in between (so the meter shows a real reading) and writes the
// editor's picture to options.screenshot as PNG. Main thread.
Outcome runScreenshot(const HostOptions& options, std::FILE* out);

}  // namespace zelhost
