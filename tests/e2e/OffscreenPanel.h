// The plug-in's editor built into the test (not loaded from the .so) and drawn offscreen:
// the reference that pictures of the real window are compared with.
#pragma once

#include "HostCommandLine.h"
#include "XSession.h"

namespace e2e {

// Opens an in-process effect's editor on the offscreen platform after the preset and settings
// of `options`, runs a second of the demo with idle calls as zel-host --screenshot does, and
// returns the editor's picture (empty on failure, with a test failure added).
WindowImage offscreenPanel(const zelhost::HostOptions& options);

}  // namespace e2e
