// zel-host --screenshot: the editor of the loaded plug-in in a real X window, read back
// from the X server and written as a PNG file.
#pragma once

#include <cstdio>

#include "HostCommandLine.h"
#include "HostOutcome.h"

namespace zelhost {

// Frames of the demo processed before the picture is taken (one second).
inline constexpr int kScreenshotDemoFrames = 48000;

// Loads the plug-in as the window run does, opens its editor in a window of zel-host's own
// on the X display (or, when DISPLAY is unset or unreachable, on a private Xvfb server
// started for the run and stopped after it), runs a second of the demo with editor idle
// calls in between (so the meter shows a real reading), then reads the window's pixels
// from the server and writes them to options.screenshot as PNG. Main thread.
Outcome runScreenshot(const HostOptions& options, std::FILE* out);

}  // namespace zelhost
